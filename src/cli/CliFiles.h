#pragma once
// The file access the commands need, as an interface: the program gives it the machine's files, the
// tests a fake folder. "-" names standard input as an input and standard output as an output.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/InputFile.h"
#include "store/OutputFile.h"

namespace vorix::cli {

using FileContent = std::vector<unsigned char>;

/// The name of standard input or output.
inline constexpr std::string_view kStandardStream = "-";

class CliFiles {
public:
    virtual ~CliFiles() = default;
    /// At most `limit` bytes of an input: a regular file or a link to one (anything else is refused
    /// before it is opened), or standard input.
    virtual InputRead read(const std::string& path, std::size_t limit) = 0;
    /// Writes an output as the window's Save does (see WriteOutputFile), or to standard output.
    virtual OutputResult write(const std::string& path, const FileContent& content) = 0;
    /// Fails with the reason an output to path would be refused, found before anything is done.
    virtual Result<void> checkOutput(const std::string& path) = 0;
    /// Whether two names (neither of them "-") are one file.
    virtual bool sameFile(const std::string& a, const std::string& b) = 0;
};

} // namespace vorix::cli
