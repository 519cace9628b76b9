#include "platform/MessageBoxPrompt.h"

#include "link/LinkTexts.h"
#include "texts/InterfaceTexts.h"

namespace vorix {

link::PromptAnswer MessageBoxPrompt::ask(const link::PromptQuestion& question) {
    const bool retryCancel = question.buttons() == link::PromptButtons::RetryCancel;
    const MessageAnswer answer = boxes_.show(
        PromptText(question, state_.language), std::string(Text(TextId::ApplicationTitle, state_.language)),
        retryCancel ? MessageButtons::RetryCancel : MessageButtons::Ok, MessageIcon::Critical);
    switch (answer) {
    case MessageAnswer::Ok:
        return retryCancel ? link::PromptAnswer::Cancel : link::PromptAnswer::Ok;
    case MessageAnswer::Retry:
        return retryCancel ? link::PromptAnswer::Retry : link::PromptAnswer::Ok;
    case MessageAnswer::Cancel:
    case MessageAnswer::Save: // answers of other questions: these boxes never offer them
    case MessageAnswer::Discard:
    case MessageAnswer::Continue:
        break;
    }
    // An OK box closed with Escape or its close box was still only acknowledged.
    return retryCancel ? link::PromptAnswer::Cancel : link::PromptAnswer::Ok;
}

} // namespace vorix
