#include "store/RadioDataFile.h"

#include <algorithm>

#include "texts/InterfaceTexts.h"

namespace vorix {

std::string LoadFailureText(const ImageLoadFailure& failure, Language language) {
    if (failure.tooShort)
        return std::string(Text(TextId::FileTooShort, language));
    return std::string(Text(TextId::FileCannotOpen, language)) + " " + failure.reason;
}

LoadedImage ImageFromFileContent(const std::vector<unsigned char>& content) {
    if (content.size() < static_cast<std::size_t>(kImageSize))
        return Failure{ImageLoadFailure{true, content.size(), {}}};
    ImageBytes bytes;
    std::copy_n(content.begin(), kImageSize, bytes.begin());
    return bytes;
}

LoadedImage ImageFromInput(const InputRead& read) {
    if (!read.ok())
        return Failure{ImageLoadFailure{false, 0, read.error()}};
    return ImageFromFileContent(read.value().bytes);
}

LoadedImage LoadRadioDataFile(FileSystem& files, const std::string& path) {
    return ImageFromInput(ReadInputFile(files, path, kImageSize));
}

} // namespace vorix
