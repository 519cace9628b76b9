#pragma once
// The machine's files, failing on request: the seam through which a test makes the creation, the
// write, the sync to the disk, the close or the rename fail, as on a full, read-only or failing disk.

#include <map>
#include <system_error>

#include "platform/PosixFileSystem.h"

namespace vorix::test {

class FaultyDisk : public PosixFileSystem {
public:
    enum class Step { CreateTemporary, OpenForWriting, Write, Sync, Close, Rename, Link };

    /// The step fails with error from now on. A failing write first writes half of what it was given,
    /// as a disk that fills up on the way does.
    void fail(Step step, std::errc error) { faults_[step] = std::make_error_code(error); }
    /// Writes report success but only half of each reaches the file, as a careless layer below may do.
    void loseHalfOfEachWrite() { losesHalf_ = true; }

    OpenedFile createTemporary(const std::string& folder, std::optional<unsigned> permissions) override {
        if (const auto error = fault(Step::CreateTemporary))
            return {-1, {}, error};
        return PosixFileSystem::createTemporary(folder, permissions);
    }
    OpenedFile openForWriting(const std::string& path) override {
        if (const auto error = fault(Step::OpenForWriting))
            return {-1, {}, error};
        return PosixFileSystem::openForWriting(path);
    }
    std::error_code write(int handle, const unsigned char* data, std::size_t size) override {
        const auto error = fault(Step::Write);
        if (!error && !losesHalf_)
            return PosixFileSystem::write(handle, data, size);
        const std::error_code half = PosixFileSystem::write(handle, data, size / 2);
        return error ? error : half;
    }
    std::error_code sync(int handle) override {
        const auto error = fault(Step::Sync);
        return error ? error : PosixFileSystem::sync(handle);
    }
    std::error_code close(int handle) override {
        const std::error_code closed = PosixFileSystem::close(handle); // the handle goes either way
        const auto error = fault(Step::Close);
        return error ? error : closed;
    }
    std::error_code rename(const std::string& from, const std::string& to) override {
        const auto error = fault(Step::Rename);
        return error ? error : PosixFileSystem::rename(from, to);
    }
    std::error_code link(const std::string& existing, const std::string& newName) override {
        const auto error = fault(Step::Link);
        return error ? error : PosixFileSystem::link(existing, newName);
    }

private:
    std::error_code fault(Step step) const {
        const auto it = faults_.find(step);
        return it == faults_.end() ? std::error_code() : it->second;
    }

    std::map<Step, std::error_code> faults_;
    bool losesHalf_ = false;
};

} // namespace vorix::test
