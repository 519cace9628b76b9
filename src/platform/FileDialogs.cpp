#include "platform/FileDialogs.h"

#include <algorithm>
#include <cctype>

#include "texts/InterfaceTexts.h"

namespace vorix {

FileDialogRequest MakeFileDialogRequest(const std::string& mode, const std::string& title,
                                        Language language) {
    std::string upper = mode;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    FileDialogRequest request;
    request.open = upper == "OPEN";
    request.title = title;
    request.filters = {std::string(Text(TextId::FileFilterRadioData, language)),
                       std::string(Text(TextId::FileFilterAll, language))};
    if (!request.open)
        request.defaultSuffix = "rdat";
    return request;
}

} // namespace vorix
