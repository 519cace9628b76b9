#include "cli/ImageFiles.h"

#include "store/RadioDataFile.h"
#include "ui/InterfaceTexts.h"

namespace vorix::cli {

LoadedImage LoadImageFile(CliFiles& files, const std::string& path) {
    const FileRead read = files.read(path);
    if (!read.content)
        return {std::nullopt, path + ": " + std::string(Text(TextId::FileCannotOpen, true)) + " " + read.error};
    const auto bytes = ImageFromFileContent(*read.content);
    if (!bytes)
        return {std::nullopt, path + ": " + std::string(Text(TextId::FileTooShort, true)) + " (" +
                                  std::to_string(read.content->size()) + " bytes)"};
    return {RadioImage(*bytes), {}};
}

std::string SaveImageFile(CliFiles& files, const std::string& path, const RadioImage& image) {
    const ImageBytes& bytes = image.bytes();
    const std::string error = files.writeAtomically(path, FileContent(bytes.begin(), bytes.end()));
    if (error.empty())
        return {};
    return path + ": " + std::string(Text(TextId::FileCannotSave, true)) + " " + error;
}

} // namespace vorix::cli
