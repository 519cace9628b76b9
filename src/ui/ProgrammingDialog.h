#pragma once
// The programming dialog: one read of the radio into the RadioImage, or one write of the image into
// the radio, over the serial link.

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "image/AppState.h"
#include "link/LinkDisplay.h"
#include "platform/MessageBoxes.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QShowEvent;

namespace vorix {

class MessageBoxPrompt;
class QtLinkRunner;
namespace link {
class LinkSession;
}

/// The modal dialog that carries one run of the link. Its mode is readMode as the main window set
/// it before opening; it owns the link session on the serial port of COM`portNumber` (through a
/// QtLinkRunner) and renders what the session reports. Closing it, whichever way, abandons a run
/// in progress (no end byte) and sets readMode to false.
class ProgrammingDialog final : public QDialog, private link::LinkDisplay {
    Q_OBJECT

public:
    /// Resolution of ProgressBar1, whose value stands for a fraction 0..1.
    static constexpr int kProgressSteps = 1000;

    /// messages shows the link's prompts and must outlive the dialog; showImage
    /// shows the new image on the main window after a successful read.
    ProgrammingDialog(AppState& state, MessageBoxes& messages, std::function<void()> showImage,
                      QWidget* parent = nullptr);
    ~ProgrammingDialog() override;

    /// Sets the captions of the dialog and its controls in the language of the shared state.
    void applyLanguage();

    /// Abandons a run in progress and resets readMode before the dialog closes.
    void done(int result) override;

    /// The result the last run showed; nothing before a run ended.
    std::optional<link::LinkResult> linkResult() const { return linkResult_; }

    /// The link session, for tests and diagnostics.
    const link::LinkSession& session() const;

public slots:
    void onReadClicked();
    void onWriteClicked();
    void onNewPasswordToggled(bool checked);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void load();
    QPushButton* startButton() const;

    // What the session shows.
    void setCaption(link::LinkCaption caption) override;
    void resetProgress() override;
    void setProgress(double fraction) override;
    void showResult(link::LinkResult result) override;
    void enableControls() override;
    void focusStartButton(bool readMode) override;
    void refreshMainWindow() override;
    void closeDialog() override;

    AppState& state_;
    const bool readMode_; // the mode the dialog was opened in
    std::function<void()> showImage_;

    QLabel* progressLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLineEdit* resultField_ = nullptr;
    QPushButton* readButton_ = nullptr;
    QPushButton* writeButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* passwordLabel_ = nullptr;
    QLineEdit* passwordField_ = nullptr;
    QLabel* newPasswordLabel_ = nullptr;
    QLineEdit* newPasswordField_ = nullptr;
    QCheckBox* newPasswordCheck_ = nullptr;

    // Declared in the order of their use; the session goes first when the dialog is destroyed.
    std::unique_ptr<MessageBoxPrompt> prompt_;
    std::unique_ptr<QtLinkRunner> runner_;
    std::optional<link::LinkResult> linkResult_;
};

} // namespace vorix
