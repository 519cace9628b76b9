#pragma once
// What the link shows on its dialog. The session hands out plain data; the dialog only renders it.

#include <string>

namespace vorix::link {

/// The programming dialog as the link session sees it. Every call comes from the session on the
/// user-interface thread; none comes after the session has ended or been abandoned.
class LinkDisplay {
public:
    virtual ~LinkDisplay() = default;
    /// The dialog's caption (the text a fresh start was given).
    virtual void setCaption(const std::string& text) = 0;
    /// The progress bar, 0 to 1.
    virtual void setProgress(double fraction) = 0;
    /// The label beside the progress bar, e.g. "Complete:50%".
    virtual void setProgressLabel(const std::string& text) = 0;
    /// Puts text into the result field and makes the field visible ("Read Data OK").
    virtual void showResult(const std::string& text) = 0;
    /// End of run: enables the (hidden) password controls and both start buttons again.
    virtual void enableControls() = 0;
    /// End of run: focuses the button that started the run (Read when readMode, else Write).
    virtual void focusStartButton(bool readMode) = 0;
    /// After a successful read: the main window shows the new image (AnalyseChannelInformation).
    virtual void refreshMainWindow() = 0;
    /// Closes the dialog; the last call of every run that reaches its end. The session has ended
    /// and closed the port by then, so abandon() from the dialog's close handler is harmless.
    virtual void closeDialog() = 0;
};

} // namespace vorix::link
