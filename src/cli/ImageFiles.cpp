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

Result<RadioImage> LoadImageFile(CliFiles& files, const std::string& path) {
    const LoadedImage loaded = ImageFromInput(files.read(path, kImageSize));
    if (loaded.ok())
        return RadioImage(loaded.value());
    const ImageLoadFailure& failure = loaded.error();
    std::string text = path + ": " + LoadFailureText(failure, Language::English);
    if (failure.tooShort)
        text += " (" + std::to_string(failure.size) + " bytes)";
    return Failure{text};
}

Result<void> SaveImageFile(CliFiles& files, const std::string& path, const RadioImage& image) {
    const ImageBytes& bytes = image.bytes();
    const OutputResult written = files.write(path, FileContent(bytes.begin(), bytes.end()));
    if (!written.ok())
        return Failure{DescribeOutputFailure(path, written.error())};
    return {};
}

std::string DescribeOutputFailure(const std::string& path, const OutputFailure& failure) {
    return path + ": " + OutputFailureText(failure, Language::English);
}

Result<void> CheckOutputs(CliFiles& files, const std::vector<std::string>& outputs,
                          const std::vector<std::string>& inputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::string& output = outputs[i];
        if (const Result<void> checked = files.checkOutput(output); !checked.ok())
            return Failure{DescribeOutputFailure(output, {checked.error()})};
        for (const std::string& input : inputs)
            if (sameFile(files, output, input))
                return Failure{DescribeOutputFailure(output, {"it is the input " + input})};
        for (std::size_t j = 0; j < i; ++j)
            if (output == outputs[j] || sameFile(files, output, outputs[j]))
                return Failure{DescribeOutputFailure(output, {"it is also the output " + outputs[j]})};
    }
    return {};
}

} // namespace vorix::cli
