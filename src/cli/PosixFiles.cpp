#include "cli/PosixFiles.h"

#include <unistd.h>

namespace vorix::cli {

InputRead PosixFiles::read(const std::string& path, std::size_t limit) {
    if (path == kStandardStream)
        return ReadOpenFile(disk_, STDIN_FILENO, limit);
    return ReadInputFile(disk_, path, limit);
}

OutputResult PosixFiles::write(const std::string& path, const FileContent& content) {
    if (path != kStandardStream)
        return WriteOutputFile(disk_, path, content);
    if (const std::error_code error = disk_.write(STDOUT_FILENO, content.data(), content.size()))
        return Failure{OutputFailure{error.message()}};
    return {};
}

Result<void> PosixFiles::checkOutput(const std::string& path) {
    if (path == kStandardStream)
        return {};
    return CheckOutputTarget(disk_, path);
}

bool PosixFiles::sameFile(const std::string& a, const std::string& b) {
    return NameTheSameFile(disk_, a, b);
}

} // namespace vorix::cli
