#pragma once
// The commands' files on the machine's disk, with standard input and output for "-".

#include "cli/CliFiles.h"
#include "store/FileSystem.h"

namespace vorix::cli {

class PosixFiles : public CliFiles {
public:
    /// disk is where files are read and written; tests give one that fails on request.
    explicit PosixFiles(FileSystem& disk) : disk_(disk) {}

    InputRead read(const std::string& path, std::size_t limit) override;
    OutputResult write(const std::string& path, const FileContent& content) override;
    Result<void> checkOutput(const std::string& path) override;
    bool sameFile(const std::string& a, const std::string& b) override;

private:
    FileSystem& disk_;
};

} // namespace vorix::cli
