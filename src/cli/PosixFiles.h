#pragma once
// Real files for the commands, through POSIX calls so that a write can be made durable.

#include "cli/CliFiles.h"

namespace vorix::cli {

class PosixFiles : public CliFiles {
public:
    FileRead read(const std::string& path) override;
    /// Writes a temporary file in the target's folder, flushes it to the disk, gives it the
    /// target's permissions (or those of a new file) and renames it over the target.
    std::string writeAtomically(const std::string& path, const FileContent& content) override;
};

} // namespace vorix::cli
