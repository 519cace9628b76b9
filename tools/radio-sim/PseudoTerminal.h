#pragma once
// The simulator's end of the cable: a pseudo-terminal in raw mode, and its COMn link.

#include <string>

#include "image/Result.h"

namespace vorix::sim {

/// A pseudo-terminal pair. The simulator talks through the master; it keeps the slave open as
/// well, so the line survives the programming tool closing and reopening its port.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    /// Opens the pair with the slave in raw mode (before anyone can write to it) and the master
    /// non-blocking; a failure says which step failed and why.
    Result<void> open();
    int master() const { return master_; }
    /// The slave's device path, such as /dev/pts/3.
    const std::string& device() const { return device_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string device_;
};

/// The link comN in the ports folder that makes the pseudo-terminal the port COMn.
class PortLink {
public:
    PortLink() = default;
    ~PortLink() { release(); }
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    /// Links device as COM`forced`, or when forced is 0 as the first number whose link is absent
    /// (or dangling) and whose default device does not exist, so no real port is hidden.
    /// Returns the number, or why none could be claimed.
    Result<int> claim(const std::string& folder, int forced, const std::string& device);
    /// Removes the link if it still points at the device; safe to call twice.
    void release();
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string device_;
};

} // namespace vorix::sim
