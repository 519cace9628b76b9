#include "cli/ImageFiles.h"

#include "store/RadioDataFile.h"
#include "texts/InterfaceTexts.h"

namespace vorix::cli {

namespace {

// Standard input and output are told apart by their role, not compared as files.
bool sameFile(CliFiles& files, const std::string& a, const std::string& b) {
    if (a == kStandardStream || b == kStandardStream)
        return false;
    return files.sameFile(a, b);
}

} // namespace

LoadedImage LoadImageFile(CliFiles& files, const std::string& path) {
    const InputRead read = files.read(path, kImageSize);
    if (!read.content)
        return {std::nullopt, path + ": " + std::string(Text(TextId::FileCannotOpen, Language::English)) +
                                  " " + read.error};
    const auto bytes = ImageFromFileContent(*read.content);
    if (!bytes)
        return {std::nullopt, path + ": " + std::string(Text(TextId::FileTooShort, Language::English)) +
                                  " (" + std::to_string(read.content->size()) + " bytes)"};
    return {RadioImage(*bytes), {}};
}

std::string SaveImageFile(CliFiles& files, const std::string& path, const RadioImage& image) {
    const ImageBytes& bytes = image.bytes();
    const OutputResult written = files.write(path, FileContent(bytes.begin(), bytes.end()));
    return written.ok() ? std::string() : DescribeOutputFailure(path, written);
}

std::string DescribeOutputFailure(const std::string& path, const OutputResult& result) {
    const TextId text = result.mayBeIncomplete ? TextId::FileMayBeIncomplete : TextId::FileCannotSave;
    return path + ": " + std::string(Text(text, Language::English)) + " " + result.error;
}

std::string CheckOutputs(CliFiles& files, const std::vector<std::string>& outputs,
                         const std::vector<std::string>& inputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::string& output = outputs[i];
        if (const std::string refused = files.checkOutput(output); !refused.empty())
            return DescribeOutputFailure(output, {refused});
        for (const std::string& input : inputs)
            if (sameFile(files, output, input))
                return DescribeOutputFailure(output, {"it is the input " + input});
        for (std::size_t j = 0; j < i; ++j)
            if (output == outputs[j] || sameFile(files, output, outputs[j]))
                return DescribeOutputFailure(output, {"it is also the output " + outputs[j]});
    }
    return {};
}

} // namespace vorix::cli
