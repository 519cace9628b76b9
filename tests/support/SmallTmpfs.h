#pragma once
// A real filesystem of 12 KiB, filled up but for one data file, for the tests that can mount one: in a
// mount namespace of the test's own, so that nothing outlives the test process. Where mounting is
// not allowed (no root, a container without the right), available() is false and the test skips.

#include <sched.h>
#include <sys/mount.h>

#include <fstream>
#include <string>

#include "support/TempFolder.h"

namespace vorix::test {

class SmallTmpfs {
public:
    /// Mounts the filesystem and puts `old` into data.rdat, then fills what is left.
    explicit SmallTmpfs(const std::string& old) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return;
        if (::mount("tmpfs", folder_.file("").c_str(), "tmpfs", 0, "size=12k") != 0)
            return;
        mounted_ = true;
        folder_.put("data.rdat", old);
        std::ofstream filler(folder_.file("filler"), std::ios::binary);
        const std::string block(1024, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
        }
    }
    ~SmallTmpfs() {
        if (mounted_)
            ::umount2(folder_.file("").c_str(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool available() const { return mounted_; }
    const TempFolder& folder() const { return folder_; }

private:
    TempFolder folder_;
    bool mounted_ = false;
};

} // namespace vorix::test
