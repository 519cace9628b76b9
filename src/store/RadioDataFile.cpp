#include "store/RadioDataFile.h"

#include <algorithm>

#include "store/InputFile.h"

namespace vorix {

std::optional<ImageBytes> ImageFromFileContent(const std::vector<unsigned char>& content) {
    if (content.size() < static_cast<std::size_t>(kImageSize))
        return std::nullopt;
    ImageBytes bytes;
    std::copy_n(content.begin(), kImageSize, bytes.begin());
    return bytes;
}

LoadedImage LoadRadioDataFile(FileSystem& files, const std::string& path) {
    const InputRead read = ReadInputFile(files, path, kImageSize);
    if (!read.content)
        return {std::nullopt, false, read.error};
    const auto image = ImageFromFileContent(*read.content);
    return {image, !image.has_value(), {}};
}

} // namespace vorix
