#pragma once
// The file operations the store needs beyond the standard library: the kind and identity of what a
// name points at, a unique temporary file, opens that never wait for a pipe's other end, a sync to
// the disk. The platform gives the machine's files; tests give a disk that fails on request.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace vorix {

enum class FileKind { Missing, Regular, Directory, CharacterDevice, Pipe, Socket, BlockDevice, Other };

/// "a directory", "a named pipe", ...: what a message calls a kind of file.
const char* FileKindName(FileKind kind);

struct FileStatus {
    FileKind kind = FileKind::Missing;
    std::uint64_t device = 0; // device and inode tell whether two names are one file
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    unsigned permissions = 0; // the mode's 07777 bits
    std::error_code error;    // why the name could not be looked at; a missing file alone is no error
};

/// A file opened for the caller, or why it could not be.
struct OpenedFile {
    int handle = -1;
    std::string path; // the name a temporary file was given
    std::error_code error;
};

struct ReadChunk {
    std::size_t size = 0; // 0 at the end of the file
    std::error_code error;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    /// What path names, following symbolic links.
    virtual FileStatus status(const std::string& path) = 0;
    /// What an open file is.
    virtual FileStatus statusOf(int handle) = 0;
    /// The text of the symbolic link path; nothing when path is not a link.
    virtual std::optional<std::string> linkTarget(const std::string& path) = 0;

    /// A new file with a short unique name of its own in folder, open for writing, with the given
    /// permissions (without any: those a new file gets under the user's umask).
    virtual OpenedFile createTemporary(const std::string& folder, std::optional<unsigned> permissions) = 0;
    /// An existing file for writing from its start, neither created nor truncated. Never waits: a
    /// pipe that nobody reads fails at once.
    virtual OpenedFile openForWriting(const std::string& path) = 0;
    /// A file for reading. Never waits for a pipe's writer or a device.
    virtual OpenedFile openForReading(const std::string& path) = 0;

    virtual ReadChunk read(int handle, unsigned char* buffer, std::size_t size) = 0;
    /// Writes all of data, or says why not.
    virtual std::error_code write(int handle, const unsigned char* data, std::size_t size) = 0;
    virtual std::error_code truncate(int handle, std::uint64_t size) = 0;
    /// Returns once what was written is on the disk.
    virtual std::error_code sync(int handle) = 0;
    virtual std::error_code close(int handle) = 0;

    /// Replaces `to` by `from` in one step.
    virtual std::error_code rename(const std::string& from, const std::string& to) = 0;
    /// A second name for an existing file; fails with file_exists when that name is taken.
    virtual std::error_code link(const std::string& existing, const std::string& newName) = 0;
    virtual std::error_code remove(const std::string& path) = 0;
    /// Makes the folder's entries durable after a rename or link.
    virtual void syncFolder(const std::string& folder) = 0;
};

} // namespace vorix
