#include "cli/PosixFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorix::cli {

namespace {

std::string lastError() { return std::strerror(errno); }

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file gets what the user's umask leaves of rw-rw-rw-, as any other program's output.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

mode_t targetMode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    return newFileMode();
}

bool writeAll(int fd, const FileContent& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// After the rename the folder entry must reach the disk too, or a crash can bring back the old file.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileRead PosixFiles::read(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return {std::nullopt, lastError()};
    FileContent content;
    unsigned char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const std::string error = lastError();
            ::close(fd);
            return {std::nullopt, error};
        }
        if (n == 0)
            break;
        content.insert(content.end(), buffer, buffer + n);
    }
    ::close(fd);
    return {std::move(content), {}};
}

std::string PosixFiles::writeAtomically(const std::string& path, const FileContent& content) {
    const std::string folder = folderOf(path);
    const std::string name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    std::string temp = folder + "/." + name + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return lastError();
    const auto fail = [&](int savedErrno) {
        ::close(fd);
        ::unlink(temp.c_str());
        return std::string(std::strerror(savedErrno));
    };
    if (::fchmod(fd, targetMode(path)) != 0 || !writeAll(fd, content) || ::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const std::string error = lastError();
        ::unlink(temp.c_str());
        return error;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string error = lastError();
        ::unlink(temp.c_str());
        return error;
    }
    syncFolder(folder);
    return {};
}

} // namespace vorix::cli
