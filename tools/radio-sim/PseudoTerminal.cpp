#include "PseudoTerminal.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "link/PortNames.h"

namespace vorix::sim {

namespace fs = std::filesystem;

PseudoTerminal::~PseudoTerminal() {
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
}

Result<void> PseudoTerminal::open() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        return Failure{std::string("openpty: ") + std::strerror(errno)};
    termios raw{};
    if (::tcgetattr(slave_, &raw) != 0)
        return Failure{std::string("line settings: ") + std::strerror(errno)};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B19200);
    cfsetospeed(&raw, B19200);
    if (::tcsetattr(slave_, TCSANOW, &raw) != 0)
        return Failure{std::string("raw mode: ") + std::strerror(errno)};
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)
        return Failure{std::string("non-blocking master: ") + std::strerror(errno)};
    device_ = name;
    return {};
}

namespace {

enum class Entry { Absent, Dangling, Taken };

Entry Inspect(const fs::path& link) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(link, error);
    if (status.type() == fs::file_type::not_found)
        return Entry::Absent;
    if (status.type() == fs::file_type::symlink && !fs::exists(link, error))
        return Entry::Dangling;
    return Entry::Taken;
}

} // namespace

Result<int> PortLink::claim(const std::string& folder, int forced, const std::string& device) {
    std::error_code fsError;
    fs::create_directories(folder, fsError);
    if (fsError)
        return Failure{"cannot create " + folder + ": " + fsError.message()};
    const int first = forced != 0 ? forced : link::kFirstPortNumber;
    const int last = forced != 0 ? forced : link::kLastPortNumber;
    for (int number = first; number <= last; ++number) {
        const fs::path link = fs::path(folder) / link::PortLinkName(number);
        const Entry entry = Inspect(link);
        if (entry == Entry::Taken)
            continue;
        if (forced == 0) {
            const auto real = link::DefaultDevicePath(number);
            if (real && fs::exists(*real, fsError))
                continue;
        }
        // Left behind by a simulator that was killed; if it cannot be removed, symlink() below fails
        // and the next number is tried.
        if (entry == Entry::Dangling)
            fs::remove(link, fsError);
        // symlink() fails if someone else claimed the name meanwhile; then try the next one.
        if (::symlink(device.c_str(), link.c_str()) != 0)
            continue;
        path_ = link.string();
        device_ = device;
        return number;
    }
    return Failure{forced != 0
                       ? "COM" + std::to_string(forced) + " is already linked to a device in " + folder
                       : "no free COM number in " + folder};
}

void PortLink::release() {
    if (path_.empty())
        return;
    std::error_code error;
    // A link that cannot be removed dangles once the line is gone, and the next claim takes it over.
    if (fs::read_symlink(path_, error) == fs::path(device_))
        fs::remove(path_, error);
    path_.clear();
}

} // namespace vorix::sim
