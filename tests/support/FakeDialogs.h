#pragma once
// Pre-answered message boxes and file dialogs for window tests.

#include <deque>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

namespace vorix::test {

class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text, title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers; // the first button when empty

    MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                       MessageIcon icon) override {
        shown.push_back({text, title, buttons, icon});
        if (answers.empty())
            switch (buttons) {
            case MessageButtons::RetryCancel:
                return MessageAnswer::Retry;
            case MessageButtons::SaveDiscardCancel:
                return MessageAnswer::Save;
            case MessageButtons::ContinueCancel:
                return MessageAnswer::Continue;
            case MessageButtons::Ok:
            case MessageButtons::OkCancel:
                return MessageAnswer::Ok;
            }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FakeFileDialogs final : public FileDialogs {
public:
    std::vector<FileDialogRequest> requests;
    std::deque<std::string> paths; // empty text: the user cancels

    std::string choose(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (paths.empty())
            return {};
        std::string path = paths.front();
        paths.pop_front();
        return path;
    }
};

} // namespace vorix::test
