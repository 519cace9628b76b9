#include "link/LinkTexts.h"

#include "link/ProgressText.h"
#include "texts/InterfaceTexts.h"

namespace vorix {

std::string PromptText(const link::PromptQuestion& question, bool isEnglish) {
    const TextId id =
        question.kind == link::PromptKind::ReselectPort ? TextId::ReselectComPort : TextId::CheckConnection;
    std::string text(Text(id, isEnglish));
    if (!question.detail.empty())
        text += "\n" + question.detail;
    return text;
}

std::string_view CaptionText(link::LinkCaption caption, bool isEnglish) {
    return Text(caption == link::LinkCaption::Read ? TextId::DialogStartRead : TextId::DialogStartWrite,
                isEnglish);
}

std::string_view ResultText(link::LinkResult result, bool isEnglish) {
    return Text(result == link::LinkResult::ReadOk ? TextId::ReadDataOk : TextId::WriteDataOk, isEnglish);
}

std::string CompleteLabel(double p, bool isEnglish) {
    return std::string(Text(TextId::DialogComplete, isEnglish)) + link::PercentText(p);
}

} // namespace vorix
