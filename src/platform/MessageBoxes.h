#pragma once
// The modal message boxes the windows show, behind an interface so tests can answer them.

#include <string>

namespace vorix {

enum class MessageIcon { Warning, Exclamation, Critical };
/// SaveDiscardCancel asks about unsaved changes; ContinueCancel asks before something that cannot
/// be taken back, with Cancel the default.
enum class MessageButtons { Ok, OkCancel, RetryCancel, SaveDiscardCancel, ContinueCancel };
enum class MessageAnswer { Ok, Cancel, Retry, Save, Discard, Continue };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    /// Shows a modal box and returns the button pressed (Cancel when the box is closed otherwise).
    virtual MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                               MessageIcon icon) = 0;
};

} // namespace vorix
