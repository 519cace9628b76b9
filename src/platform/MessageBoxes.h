#pragma once
// The modal message boxes the windows show, behind an interface so tests can answer them.

#include <string>

namespace vorix {

enum class MessageIcon { Warning, Exclamation, Critical };
enum class MessageButtons { Ok, OkCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Retry };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    /// Shows a modal box and returns the button pressed (Cancel when the box is closed otherwise).
    virtual MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                               MessageIcon icon) = 0;
};

} // namespace vorix
