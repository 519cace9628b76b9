#pragma once
// The kinds of place an output may be sent to and an input read from, each made fresh in a temporary
// folder, with what must become of it. One table of outputs and one of inputs serve the window's Save
// and Load and vorix-cli's outputs and inputs alike: each test gives the place's path to its own
// command and hands what happened to the place's check.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/FaultyDisk.h"
#include "support/TempFolder.h"
#include "texts/InterfaceTexts.h"

namespace vorix::test {

using Bytes = std::vector<unsigned char>;
namespace fs = std::filesystem;

/// A pseudo-terminal in raw mode standing in for a device node: what is written to its device
/// arrives at the test's end, and nothing ever comes out of it.
class DeviceStandIn {
public:
    DeviceStandIn() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
            throw std::runtime_error("no pseudo-terminal");
        termios raw{};
        ::tcgetattr(slave_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
        device_ = name;
    }
    ~DeviceStandIn() {
        ::close(master_);
        ::close(slave_);
    }
    DeviceStandIn(const DeviceStandIn&) = delete;
    DeviceStandIn& operator=(const DeviceStandIn&) = delete;

    const std::string& device() const { return device_; }
    /// What has arrived, waiting up to a second for `count` bytes: a pseudo-terminal passes them on
    /// a moment after they were written.
    Bytes received(std::size_t count) {
        Bytes bytes;
        pollfd ready{master_, POLLIN, 0};
        unsigned char buffer[4096];
        while (bytes.size() < count && ::poll(&ready, 1, 1000) > 0) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }

private:
    int master_ = -1;
    int slave_ = -1; // held open so that the line stays up between the writer's open and close
    std::string device_;
};

enum class Place {
    NewFile,           // a free name in an existing folder
    RegularFile,       // a file holding an old content, readable by its group only
    LinkToFile,        // a symbolic link to such a file in another folder
    LinkToMissingFile, // a symbolic link to a name not taken yet
    Device,            // a symbolic link to a character device
    PipeWithReader,    // a named pipe that a process reads
    PipeWithoutReader, // a named pipe that nobody reads
    Directory,
    MissingFolder, // a name in a folder that does not exist
};

struct OutputCase {
    const char* name;
    Place place;
    std::vector<std::pair<FaultyDisk::Step, std::errc>> faults;
    const char* reason = nullptr; // nothing: the content arrives; else a part of the failure message
    bool mayBeIncomplete = false; // the message must say that the file may be incomplete
    bool losesHalf = false;       // writes report success but only half reaches the disk
};

using Step = FaultyDisk::Step;

/// Every kind of place an output may be given, on a working disk and on one that fails.
inline std::vector<OutputCase> OutputCases() {
    return {
        {"new file", Place::NewFile, {}},
        {"existing file", Place::RegularFile, {}},
        {"link to a file", Place::LinkToFile, {}},
        {"link to a file not made yet", Place::LinkToMissingFile, {}},
        {"device", Place::Device, {}},
        {"pipe with a reader", Place::PipeWithReader, {}},
        {"pipe nobody reads", Place::PipeWithoutReader, {}, "no process reads the named pipe"},
        {"directory", Place::Directory, {}, "it is a directory"},
        {"missing folder", Place::MissingFolder, {}, "No such file or directory"},
        {"read-only filesystem",
         Place::RegularFile,
         {{Step::CreateTemporary, std::errc::read_only_file_system},
          {Step::OpenForWriting, std::errc::read_only_file_system}},
         "Read-only file system"},
        {"full filesystem",
         Place::RegularFile,
         {{Step::Write, std::errc::no_space_on_device}},
         "No space left on device"},
        {"full filesystem, new file",
         Place::NewFile,
         {{Step::Write, std::errc::no_space_on_device}},
         "No space left on device"},
        {"flush to the disk fails",
         Place::RegularFile,
         {{Step::Sync, std::errc::no_space_on_device}},
         "No space left on device"},
        {"close fails", Place::LinkToFile, {{Step::Close, std::errc::io_error}}, "Input/output error"},
        {"bytes lost on the way", Place::RegularFile, {}, "bytes reached the disk", false, true},
        {"rename fails", Place::RegularFile, {{Step::Rename, std::errc::io_error}}, "Input/output error"},
        {"folder refuses new files",
         Place::RegularFile,
         {{Step::CreateTemporary, std::errc::permission_denied}}},
        {"folder refuses new files, writing in place fails",
         Place::RegularFile,
         {{Step::CreateTemporary, std::errc::permission_denied},
          {Step::Write, std::errc::no_space_on_device}},
         "No space left on device",
         true},
        {"folder refuses new files, no file there",
         Place::NewFile,
         {{Step::CreateTemporary, std::errc::permission_denied}},
         "Permission denied"},
    };
}

/// The place of one output case, made in a folder of its own, with the case's faults set on disk.
class OutputPlace {
public:
    OutputPlace(const OutputCase& c, FaultyDisk& disk) : case_(c) {
        for (const auto& [step, error] : c.faults)
            disk.fail(step, error);
        if (c.losesHalf)
            disk.loseHalfOfEachWrite();
        fs::create_directory(folder_.file("real"));
        for (int i = 0; i < 128; ++i)
            old_.push_back(static_cast<unsigned char>(i * 3 + 1));
        switch (c.place) {
        case Place::NewFile:
            path_ = folder_.file("out.rdat");
            break;
        case Place::RegularFile:
            path_ = folder_.put("out.rdat", old_);
            fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
            break;
        case Place::LinkToFile:
            folder_.put("real/out.rdat", old_);
            path_ = link("real/out.rdat");
            break;
        case Place::LinkToMissingFile:
            path_ = link("real/new.rdat");
            break;
        case Place::Device:
            device_.emplace();
            path_ = link(device_->device());
            break;
        case Place::PipeWithReader:
        case Place::PipeWithoutReader:
            path_ = folder_.file("pipe");
            ::mkfifo(path_.c_str(), 0600);
            if (c.place == Place::PipeWithReader)
                reader_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
            break;
        case Place::Directory:
            path_ = folder_.file("out.rdat");
            fs::create_directory(path_);
            break;
        case Place::MissingFolder:
            path_ = folder_.file("missing/out.rdat");
            break;
        }
        before_ = entries();
    }
    ~OutputPlace() {
        if (reader_ >= 0)
            ::close(reader_);
    }
    OutputPlace(const OutputPlace&) = delete;
    OutputPlace& operator=(const OutputPlace&) = delete;

    /// What the output is given.
    const std::string& path() const { return path_; }

    /// Empty when all is as the case says, else what is not: the content arrived where it belongs (or
    /// the old content is untouched), the place is still of its kind, no other file was left behind,
    /// and ok and the message tell the truth.
    std::string check(const Bytes& content, bool ok, const std::string& message) {
        std::string problems;
        const auto expect = [&problems](bool holds, const std::string& what) {
            if (!holds)
                problems += what + "; ";
        };
        const bool written = case_.reason == nullptr;
        expect(ok == written, written ? "reported a failure: " + message : "reported success");
        if (!written) {
            expect(message.find(case_.reason) != std::string::npos,
                   "message without \"" + std::string(case_.reason) + "\": " + message);
            const TextId text = case_.mayBeIncomplete ? TextId::FileMayBeIncomplete : TextId::FileCannotSave;
            expect(message.find(Text(text, Language::English)) != std::string::npos,
                   "message not saying what became of it: " + message);
        }
        switch (case_.place) {
        case Place::NewFile:
            expect(written ? folder_.content("out.rdat") == text(content) : !folder_.exists("out.rdat"),
                   "out.rdat wrong");
            break;
        case Place::RegularFile:
            if (written || !case_.mayBeIncomplete)
                expect(folder_.content("out.rdat") == text(written ? content : old_), "out.rdat wrong");
            expect(fs::status(path_).permissions() ==
                       (fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read),
                   "permissions of out.rdat changed");
            break;
        case Place::LinkToFile:
            expect(folder_.content("real/out.rdat") == text(written ? content : old_), "real/out.rdat wrong");
            expect(fs::is_symlink(path_), "the link was replaced");
            break;
        case Place::LinkToMissingFile:
            expect(written && folder_.content("real/new.rdat") == text(content), "real/new.rdat wrong");
            expect(fs::is_symlink(path_), "the link was replaced");
            break;
        case Place::Device:
            expect(device_->received(content.size()) == content, "the device did not get the content");
            expect(fs::is_symlink(path_) && fs::is_character_file(path_), "the link was replaced");
            break;
        case Place::PipeWithReader:
            expect(drainReader() == content, "the pipe's reader did not get the content");
            [[fallthrough]];
        case Place::PipeWithoutReader:
            expect(fs::is_fifo(fs::symlink_status(path_)), "the pipe was replaced");
            break;
        case Place::Directory:
            expect(fs::is_directory(fs::symlink_status(path_)) && fs::is_empty(path_),
                   "the directory changed");
            break;
        case Place::MissingFolder:
            expect(!fs::exists(folder_.file("missing")), "the missing folder was made");
            break;
        }
        std::vector<std::string> expected = before_;
        if (written && case_.place == Place::NewFile)
            expected.push_back("out.rdat");
        if (written && case_.place == Place::LinkToMissingFile)
            expected.push_back("real/new.rdat");
        std::sort(expected.begin(), expected.end());
        expect(entries() == expected, "files left behind: " + listing(entries()));
        return problems;
    }

private:
    std::string link(const std::string& target) {
        const std::string path = folder_.file("link");
        fs::create_symlink(target, path);
        return path;
    }
    static std::string text(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }
    static std::string listing(const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& name : names)
            text += name + " ";
        return text;
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(folder_.file("")))
            names.push_back(entry.path().lexically_relative(folder_.file("")).string());
        std::sort(names.begin(), names.end());
        return names;
    }
    Bytes drainReader() {
        Bytes bytes;
        unsigned char buffer[4096];
        for (ssize_t n; (n = ::read(reader_, buffer, sizeof buffer)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + n);
        return bytes;
    }

    OutputCase case_;
    TempFolder folder_;
    Bytes old_;
    std::string path_;
    std::optional<DeviceStandIn> device_;
    int reader_ = -1;
    std::vector<std::string> before_;
};

enum class Source { DataFile, LongerFile, ShortFile, LinkToFile, Device, Pipe, Directory, Missing };

struct InputCase {
    const char* name;
    Source source;
    const char* reason = nullptr; // nothing: the first 128 bytes are taken; else a part of the message
};

/// Every kind of place an input may be named, among them two that block a reader that opens them
/// (a pipe without a writer, a device that never sends) and one larger than any input should be.
inline std::vector<InputCase> InputCases() {
    return {
        {"radio data file", Source::DataFile},
        {"file larger than a MiB", Source::LongerFile},
        {"short file", Source::ShortFile, "fewer than 128 bytes"},
        {"link to a file", Source::LinkToFile},
        {"device", Source::Device, "it is a character device, not a regular file"},
        {"pipe", Source::Pipe, "it is a named pipe, not a regular file"},
        {"directory", Source::Directory, "it is a directory, not a regular file"},
        {"missing file", Source::Missing, "No such file or directory"},
    };
}

/// The place of one input case, made in a folder of its own.
class InputPlace {
public:
    explicit InputPlace(const InputCase& c) : case_(c) {
        Bytes content;
        const std::size_t size = c.source == Source::LongerFile  ? (1u << 20) + 5
                                 : c.source == Source::ShortFile ? 100
                                                                 : 128;
        for (std::size_t i = 0; i < size; ++i)
            content.push_back(static_cast<unsigned char>(i * 5 + 2));
        image_.assign(content.begin(), content.begin() + std::min<std::size_t>(size, 128));
        path_ = folder_.file("in.rdat");
        switch (c.source) {
        case Source::DataFile:
        case Source::LongerFile:
        case Source::ShortFile:
            folder_.put("in.rdat", content);
            break;
        case Source::LinkToFile:
            folder_.put("real.rdat", content);
            fs::create_symlink("real.rdat", path_);
            break;
        case Source::Device:
            device_.emplace();
            fs::create_symlink(device_->device(), path_);
            break;
        case Source::Pipe:
            ::mkfifo(path_.c_str(), 0600);
            break;
        case Source::Directory:
            fs::create_directory(path_);
            break;
        case Source::Missing:
            break;
        }
    }

    const std::string& path() const { return path_; }

    /// Empty when the image taken is the file's first 128 bytes (or nothing was taken and the message
    /// says why), else what is wrong.
    std::string check(const std::optional<Bytes>& taken, const std::string& message) const {
        if (case_.reason == nullptr)
            return taken == image_ ? std::string() : "the first 128 bytes were not taken: " + message;
        if (taken)
            return "an image was taken";
        return message.find(case_.reason) != std::string::npos ? std::string()
                                                               : "message without the reason: " + message;
    }

private:
    InputCase case_;
    TempFolder folder_;
    std::string path_;
    Bytes image_;
    std::optional<DeviceStandIn> device_;
};

} // namespace vorix::test
