#pragma once
// The machine's files through POSIX calls, for the window and vorix-cli alike. No Qt.

#include "store/FileSystem.h"

namespace vorix {

/// Every open is close-on-exec and never becomes the controlling terminal; opens of pipes and devices
/// do not wait, and what they return then waits for each write as usual.
class PosixFileSystem : public FileSystem {
public:
    FileStatus status(const std::string& path) override;
    FileStatus statusOf(int handle) override;
    std::optional<std::string> linkTarget(const std::string& path) override;
    OpenedFile createTemporary(const std::string& folder, std::optional<unsigned> permissions) override;
    OpenedFile openForWriting(const std::string& path) override;
    OpenedFile openForReading(const std::string& path) override;
    ReadChunk read(int handle, unsigned char* buffer, std::size_t size) override;
    std::error_code write(int handle, const unsigned char* data, std::size_t size) override;
    std::error_code truncate(int handle, std::uint64_t size) override;
    std::error_code sync(int handle) override;
    std::error_code close(int handle) override;
    std::error_code rename(const std::string& from, const std::string& to) override;
    std::error_code link(const std::string& existing, const std::string& newName) override;
    std::error_code remove(const std::string& path) override;
    void syncFolder(const std::string& folder) override;
};

/// The machine's files, for a caller that was given no other.
FileSystem& MachineFileSystem();

} // namespace vorix
