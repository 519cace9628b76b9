#include "link/LinkTexts.h"

#include "link/ProgressText.h"
#include "texts/InterfaceTexts.h"

namespace vorix {

std::string PromptText(const link::PromptQuestion& question, Language language) {
    const TextId id =
        question.kind == link::PromptKind::ReselectPort ? TextId::ReselectComPort : TextId::CheckConnection;
    std::string text(Text(id, language));
    if (!question.detail.empty())
        text += "\n" + question.detail;
    return text;
}

std::string_view CaptionText(link::LinkCaption caption, Language language) {
    return Text(caption == link::LinkCaption::Read ? TextId::DialogStartRead : TextId::DialogStartWrite,
                language);
}

std::string_view ResultText(link::LinkResult result, Language language) {
    return Text(result == link::LinkResult::ReadOk ? TextId::ReadDataOk : TextId::WriteDataOk, language);
}

std::string CompleteLabel(double p, Language language) {
    return std::string(Text(TextId::DialogComplete, language)) + link::PercentText(p);
}

} // namespace vorix
