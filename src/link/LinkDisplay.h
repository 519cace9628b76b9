#pragma once
// What the link shows on its dialog. The session hands out plain data; the dialog chooses the words.

namespace vorix::link {

/// The caption a fresh start gives the dialog: the direction its start button asked for.
enum class LinkCaption { Read, Write };

/// What a run that reached its end with the whole image transferred has done.
enum class LinkResult { ReadOk, WriteOk };

/// The programming dialog as the link session sees it. Every call comes from the session on the
/// user-interface thread; none comes after the session has ended or been abandoned.
class LinkDisplay {
public:
    virtual ~LinkDisplay() = default;
    /// The dialog's caption, set once the port has opened.
    virtual void setCaption(LinkCaption caption) = 0;
    /// The dialog has loaded: the progress bar shows 0; the label keeps the dialog's own
    /// starting text ("Complete:0%").
    virtual void resetProgress() = 0;
    /// An answer was accepted: the progress bar and the label beside it ("Complete:50%") show
    /// fraction, 0 to 1.
    virtual void setProgress(double fraction) = 0;
    /// Puts the result into the result field and makes the field visible ("Read Data OK").
    virtual void showResult(LinkResult result) = 0;
    /// End of run: enables the (hidden) password controls and both start buttons again.
    virtual void enableControls() = 0;
    /// End of run: focuses the button that started the run (Read when readMode, else Write).
    virtual void focusStartButton(bool readMode) = 0;
    /// After a successful read: the main window shows the new image (showImage).
    virtual void refreshMainWindow() = 0;
    /// Closes the dialog; the last call of every run that reaches its end. The session has ended
    /// and closed the port by then, so abandon() from the dialog's close handler is harmless.
    virtual void closeDialog() = 0;
};

} // namespace vorix::link
