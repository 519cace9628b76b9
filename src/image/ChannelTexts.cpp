#include "image/ChannelTexts.h"

namespace vorix {

std::array<std::string, 2> SpacingItems(bool isEnglish, std::string_view separator) {
    const std::string narrow = "12" + std::string(separator) + (isEnglish ? "5K(Narrow)" : "5K(窄带)");
    return {narrow, isEnglish ? "25K(Wide)" : "25K(宽带)"};
}

std::array<std::string, 2> PowerItems(bool isEnglish) {
    if (isEnglish)
        return {"Low", "High"};
    return {"低", "高"};
}

} // namespace vorix
