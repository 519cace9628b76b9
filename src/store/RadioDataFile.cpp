#include "store/RadioDataFile.h"

#include <algorithm>

namespace vorix {

std::optional<ImageBytes> ImageFromFileContent(const std::vector<unsigned char>& content) {
    if (content.size() < static_cast<std::size_t>(kImageSize))
        return std::nullopt;
    ImageBytes bytes;
    std::copy_n(content.begin(), kImageSize, bytes.begin());
    return bytes;
}

} // namespace vorix
