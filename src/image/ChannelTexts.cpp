#include "image/ChannelTexts.h"

namespace vorix {

std::array<std::string, 2> SpacingItems(Language language, std::string_view separator) {
    const std::string narrow =
        "12" + std::string(separator) + (language == Language::English ? "5K(Narrow)" : "5K(窄带)");
    return {narrow, language == Language::English ? "25K(Wide)" : "25K(宽带)"};
}

std::array<std::string, 2> PowerItems(Language language) {
    if (language == Language::English)
        return {"Low", "High"};
    return {"低", "高"};
}

} // namespace vorix
