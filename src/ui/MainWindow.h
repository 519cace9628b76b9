#pragma once
// The main window: the channel table, the radio option controls and the command buttons.

#include <QWidget>
#include <array>
#include <functional>

#include "image/AppState.h"
#include "store/SettingsStore.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace vorix {

class ChannelGrid;
class FileSystem;

/// What the main window needs from outside; tests pass fakes.
struct MainWindowServices {
    SettingsStore& settings;
    MessageBoxes& messages;
    FileDialogs& files;
    /// The user's text for the number 0.5, which decides the decimal separator.
    std::string formattedHalf = "0.5";
    /// Opens the programming dialog modally (ReadMode already set) and returns when it closed.
    std::function<void()> openProgrammingDialog;
    /// Opens the serial port dialog modally.
    std::function<void()> openPortDialog;
    /// Where Load and Save read and write; null for the machine's own files.
    FileSystem* disk = nullptr;
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(AppState& state, MainWindowServices services, QWidget* parent = nullptr);

    /// Shows the RadioImage in the table and the option controls; never changes the image.
    void AnalyseChannelInformation();
    /// Commits an in-place edit that is still open.
    void FreshData();
    /// Sets every text and refills every list in the current language.
    void ApplyLanguage();

    bool Refreshing = false;

    ChannelGrid* grid() const { return grid_; }

public slots:
    void CommandRead_Click();
    void CommandWrite_Click();
    void CommandLoad_Click();
    void CommandSave_Click();
    void CommandCom_Click();
    void CommandLanguage_Click();

private:
    void buildControls();
    void buildLayout();
    void connectOptionControls();
    void startUp();
    std::string ShowFileDialog(const std::string& mode, const std::string& title);
    void showError(const std::string& text);

    AppState& state_;
    MainWindowServices services_;
    ChannelGrid* grid_ = nullptr;
    QComboBox* comboSQ_ = nullptr;
    QComboBox* comboTOT_ = nullptr;
    QComboBox* comboSqDelay_ = nullptr;
    std::array<QComboBox*, 2> comboOffset_{};
    QLabel* labelSQ_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* labelSqDelay_ = nullptr;
    std::array<QLabel*, 2> labelOffset_{};
    QCheckBox* checkBeep_ = nullptr;
    QCheckBox* checkSave_ = nullptr;
    QCheckBox* checkBusyLock_ = nullptr;
    QPushButton* commandRead_ = nullptr;
    QPushButton* commandWrite_ = nullptr;
    QPushButton* commandLoad_ = nullptr;
    QPushButton* commandSave_ = nullptr;
    QPushButton* commandCom_ = nullptr;
    QPushButton* commandClose_ = nullptr;
    QPushButton* commandLanguage_ = nullptr;
    QLabel* label2_ = nullptr;
};

} // namespace vorix
