#include "platform/PosixFileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vorix {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Directory;
    if (S_ISCHR(mode))
        return FileKind::CharacterDevice;
    if (S_ISFIFO(mode))
        return FileKind::Pipe;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    if (S_ISBLK(mode))
        return FileKind::BlockDevice;
    return FileKind::Other;
}

FileStatus statusFrom(int result, const struct stat& info) {
    FileStatus status;
    if (result != 0) {
        if (errno != ENOENT)
            status.error = lastError();
        return status;
    }
    status.kind = kindOf(info.st_mode);
    status.device = info.st_dev;
    status.inode = info.st_ino;
    status.size = static_cast<std::uint64_t>(info.st_size);
    status.permissions = info.st_mode & 07777;
    return status;
}

// A new file gets what the user's umask leaves of rw-rw-rw-, as any other program's output.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Opened without waiting (a pipe's other end, a modem's carrier), then made to wait for each
// read or write as usual.
OpenedFile openNow(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {-1, {}, lastError()};
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return {fd, path, {}};
}

std::error_code resultOf(int result) {
    return result == 0 ? std::error_code() : lastError();
}

} // namespace

FileStatus PosixFileSystem::status(const std::string& path) {
    struct stat info {};
    const int result = ::stat(path.c_str(), &info);
    return statusFrom(result, info);
}

FileStatus PosixFileSystem::statusOf(int handle) {
    struct stat info {};
    const int result = ::fstat(handle, &info);
    return statusFrom(result, info);
}

std::optional<std::string> PosixFileSystem::linkTarget(const std::string& path) {
    std::vector<char> text(256);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
        if (n < 0)
            return std::nullopt;
        if (static_cast<std::size_t>(n) < text.size())
            return std::string(text.data(), static_cast<std::size_t>(n));
        text.resize(text.size() * 2);
    }
}

OpenedFile PosixFileSystem::createTemporary(const std::string& folder, std::optional<unsigned> permissions) {
    // A short name of its own, so that a target name of any allowed length still leaves room for it.
    std::string path = folder + "/.vorix-XXXXXX";
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        return {-1, {}, lastError()};
    if (::fchmod(fd, permissions ? static_cast<mode_t>(*permissions) : newFileMode()) != 0) {
        const std::error_code error = lastError();
        ::close(fd);
        ::unlink(path.c_str());
        return {-1, {}, error};
    }
    return {fd, path, {}};
}

OpenedFile PosixFileSystem::openForWriting(const std::string& path) {
    return openNow(path, O_WRONLY);
}

OpenedFile PosixFileSystem::openForReading(const std::string& path) {
    return openNow(path, O_RDONLY);
}

ReadChunk PosixFileSystem::read(int handle, unsigned char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(handle, buffer, size);
        if (n >= 0)
            return {static_cast<std::size_t>(n), {}};
        if (errno != EINTR)
            return {0, lastError()};
    }
}

std::error_code PosixFileSystem::write(int handle, const unsigned char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(handle, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return lastError();
        if (n == 0)
            return std::make_error_code(std::errc::io_error);
        done += static_cast<std::size_t>(n);
    }
    return {};
}

std::error_code PosixFileSystem::truncate(int handle, std::uint64_t size) {
    return resultOf(::ftruncate(handle, static_cast<off_t>(size)));
}

std::error_code PosixFileSystem::sync(int handle) {
    return resultOf(::fsync(handle));
}

std::error_code PosixFileSystem::close(int handle) {
    return resultOf(::close(handle));
}

std::error_code PosixFileSystem::rename(const std::string& from, const std::string& to) {
    return resultOf(::rename(from.c_str(), to.c_str()));
}

std::error_code PosixFileSystem::link(const std::string& existing, const std::string& newName) {
    return resultOf(::link(existing.c_str(), newName.c_str()));
}

std::error_code PosixFileSystem::remove(const std::string& path) {
    return resultOf(::unlink(path.c_str()));
}

void PosixFileSystem::syncFolder(const std::string& folder) {
    // After a rename the folder's entry must reach the disk too, or a crash can bring back the old file.
    // The file is in place already when this runs: a folder that refuses the sync (some file systems
    // do) leaves nothing to undo, so that failure is not reported.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

FileSystem& MachineFileSystem() {
    static PosixFileSystem files;
    return files;
}

} // namespace vorix
