#pragma once
// A link::Prompt whose answers are queued by the test; it notes each question in the words the dialog
// would show. While "open" it can run a callback, the way a real message box runs the event loop:
// deliver receive events, advance the clock.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "image/AppState.h"
#include "link/LinkInterfaces.h"
#include "link/LinkTexts.h"
#include "support/FakeClock.h"

namespace vorix::test {

class ScriptedPrompt final : public link::Prompt {
public:
    /// The texts follow state.language at the moment of asking.
    ScriptedPrompt(const FakeClock& clock, const AppState& state) : clock_(clock), state_(state) {}

    struct Reply {
        link::PromptAnswer answer;
        std::function<void()> whileOpen; // runs before the answer is given
    };
    struct Asked {
        std::string text;
        link::PromptButtons buttons;
        std::int64_t time;
    };

    std::deque<Reply> replies;
    std::vector<Asked> asked;
    int unexpected = 0; // prompts that found no queued reply (answered with Cancel)

    void reply(link::PromptAnswer answer, std::function<void()> whileOpen = {}) {
        replies.push_back({answer, std::move(whileOpen)});
    }

    link::PromptAnswer ask(const link::PromptQuestion& question) override {
        asked.push_back({PromptText(question, state_.language), question.buttons(), clock_.now()});
        if (replies.empty()) {
            ++unexpected;
            return link::PromptAnswer::Cancel;
        }
        Reply next = std::move(replies.front());
        replies.pop_front();
        if (next.whileOpen)
            next.whileOpen();
        return next.answer;
    }

private:
    const FakeClock& clock_;
    const AppState& state_;
};

} // namespace vorix::test
