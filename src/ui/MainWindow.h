#pragma once
// The main window: the channel table, the radio option controls and the command buttons.

#include <QWidget>
#include <array>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "image/AppState.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "store/SettingsStore.h"
#include "texts/InterfaceTexts.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStatusBar;

namespace vorix {

struct ChannelCard;
class ChannelGrid;
class FileSystem;
class ImageHistory;
struct ImportNote;
class RadioImage;
class WindowActions;

/// How the read-back after a verified write ended.
enum class ReadBack {
    Done,      // the whole image was read
    Cancelled, // the user closed the dialog (Cancel, Esc) before the read ended
    Failed,    // the link gave up: no answer, a wrong answer, no port
};

/// What the main window needs from outside; tests pass fakes.
struct MainWindowServices {
    SettingsStore& settings;
    MessageBoxes& messages;
    FileDialogs& files;
    /// The user's text for the number 0.5, which decides the decimal separator.
    std::string formattedHalf = "0.5";
    /// Opens the programming dialog modally (readMode already set) and returns when it closed.
    std::function<void()> openProgrammingDialog = {};
    /// Reads the radio into the given image with a programming dialog that starts by itself; the
    /// window's own image, its history and the read backups are left alone.
    std::function<ReadBack(RadioImage&)> readBack = {};
    /// Opens the serial port dialog modally.
    std::function<void()> openPortDialog = {};
    /// Where Load and Save read and write; null for the machine's own files.
    FileSystem* disk = nullptr;
    /// The user's own settings, for the recent files and the last folder; null keeps none.
    SettingsScope* userSettings = nullptr;
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(AppState& state, MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Shows the RadioImage in the table and the option controls; never changes the image.
    void showImage();
    /// Commits an in-place edit that is still open.
    void commitOpenEdit();
    /// Sets every text and refills every list in the current language.
    void applyLanguage();

    /// After a finished read: the view shows the radio's image, which is now the saved state;
    /// backupPath names the copy kept of it, empty when none was written.
    void onImageRead(const std::string& backupPath = {});
    /// After a finished write: the radio holds what the window shows.
    void onImageWritten();

    ChannelGrid* grid() const { return grid_; }
    ImageHistory* history() const { return history_; }
    /// True when the image has user changes that no file or radio holds.
    bool modified() const;
    /// Saves to the current file, or asks for one when there is none; true when the file was written.
    bool saveToCurrentFile();
    /// The name of an undo step in the current language; argument fills its %1.
    std::string stepName(TextId id, const std::string& argument) const;
    /// The Load flow for a file chosen from the recent files: the same questions, no file dialog.
    void openRecentFile(const std::string& path);
    /// Loads a file named when the program started; nothing is there yet to ask about.
    void openAtStart(const std::string& path);
    /// The files last loaded or saved, newest first.
    std::vector<std::string> recentFiles() const;
    /// Asks for a file and writes the channel table and the options to it as CSV.
    void exportCsv();
    /// Asks for a CSV table and applies it to the image as one undo step; lists what it replaced
    /// or could not use.
    void importCsv();
    /// Shows the channel card in a print preview, from which the user prints it.
    void printCard();
    /// Asks for a file and writes the channel card to it as a one-page PDF.
    void exportPdf();
    /// Reports the result of the last action in the status bar.
    void showStatus(const QString& text);

public slots:
    void onReadClicked();
    void onWriteClicked();
    /// Write, then read the radio back and compare it with what was written.
    void onWriteAndVerifyClicked();
    void onLoadClicked();
    void onSaveClicked();
    void onPortClicked();
    void onLanguageClicked();

private:
    void buildControls();
    void buildLayout();
    void connectOptionControls();
    void startUp();
    std::string chooseFile(const std::string& mode, const std::string& title);
    /// The open or save dialog for an exported or imported file (a CSV table, a PDF card), titled
    /// with the menu entry's text: its own filter beside "All files", its suffix when saving, and
    /// the name it suggests, if any.
    std::string chooseTypedFile(const std::string& mode, TextId title, TextId filter,
                                const std::string& suffix, const std::string& suggestedName = {});
    void showError(const std::string& text);
    /// A warning question in the window's language and title; the button the user chose.
    MessageAnswer ask(TextId question, MessageButtons buttons);
    /// The save dialog, then the file; false when the user cancelled or the file was not written.
    bool saveAs();
    /// Asks "Save changes?" when there are unsaved changes; false when the user chose to keep them
    /// here (Cancel, or a save that did not happen).
    bool changesMayBeLost();
    bool saveTo(const std::string& path);
    /// Writes content through the checked output writer; false after telling the user why not.
    bool writeChecked(const std::string& path, std::span<const unsigned char> content);
    /// Loads `path` over the image after the questions have been answered.
    void loadFile(const std::string& path);
    /// Load's questions ("Save changes?", "cover current data?"), then loads `path`.
    void openWithQuestions(const std::string& path);
    /// Asks what Load asks before covering the image; false when the user keeps it.
    bool mayCoverImage(bool alreadyAsked);
    /// Puts a file loaded or saved at the top of the recent files and keeps its folder.
    void rememberFile(const std::string& path);
    void updateTitle();
    void showImportNotes(const std::vector<ImportNote>& notes);
    /// The channel card of the image as it is now, with the file's name and today's date.
    ChannelCard channelCard() const;
    /// Write's question and write mark, then the programming dialog; true when the write ended well.
    bool writeToRadio();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    AppState& state_;
    MainWindowServices services_;
    bool refreshing_ = false; // the view is being shown: change events are not the user's
    ImageHistory* history_ = nullptr;
    WindowActions* actions_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    std::string filePath_;         // the file last loaded or saved; empty before any
    bool imageFromSource_ = false; // read from a radio or loaded from a file since start-up
    bool readFinished_ = false;    // set by onImageRead while the programming dialog runs
    bool writeFinished_ = false;   // set by onImageWritten while the programming dialog runs
    std::string readBackupPath_;   // where onImageRead says the read was kept
    ChannelGrid* grid_ = nullptr;
    QComboBox* sqLevelList_ = nullptr;
    QComboBox* totList_ = nullptr;
    QComboBox* sqDelayList_ = nullptr;
    std::array<QComboBox*, 2> offsetLists_{};
    QLabel* sqLevelLabel_ = nullptr;
    QLabel* totLabel_ = nullptr;
    QLabel* sqDelayLabel_ = nullptr;
    std::array<QLabel*, 2> offsetLabels_{};
    QCheckBox* beepCheck_ = nullptr;
    QCheckBox* powerSaveCheck_ = nullptr;
    QCheckBox* busyLockCheck_ = nullptr;
    QPushButton* readButton_ = nullptr;
    QPushButton* writeButton_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* portButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* languageButton_ = nullptr;
    QLabel* versionLabel_ = nullptr;
};

} // namespace vorix
