#pragma once
// The file access the commands need, as an interface: the program gives it real files, the
// tests a fake folder.

#include <optional>
#include <string>
#include <vector>

namespace vorix::cli {

using FileContent = std::vector<unsigned char>;

struct FileRead {
    std::optional<FileContent> content;
    std::string error; // why the file could not be read, when content is empty
};

class CliFiles {
public:
    virtual ~CliFiles() = default;
    /// The whole content of the file.
    virtual FileRead read(const std::string& path) = 0;
    /// Replaces the file as one step: a reader sees the old content or the new, never a part,
    /// and a failure leaves the old file and no stray file behind. Returns the reason of a
    /// failure, or an empty text on success.
    virtual std::string writeAtomically(const std::string& path, const FileContent& content) = 0;
};

} // namespace vorix::cli
