#include "store/OutputFile.h"

#include "texts/InterfaceTexts.h"

namespace vorix {

std::string OutputFailureText(const OutputFailure& failure, Language language) {
    const TextId text = failure.mayBeIncomplete ? TextId::FileMayBeIncomplete : TextId::FileCannotSave;
    return std::string(Text(text, language)) + " " + failure.reason;
}

namespace {

constexpr int kMostLinks = 40; // as the system follows them

struct Target {
    std::string path; // where a regular or new file really is, after links
    FileStatus status;
};

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string refusal(FileKind kind) {
    return std::string("it is ") + FileKindName(kind);
}

// A link is followed by its text, so that a link to a file not made yet names where it will be made
// and the new file replaces the link's target, not the link.
Result<Target> resolve(FileSystem& files, const std::string& path) {
    Target target{path, files.status(path)};
    if (target.status.error)
        return Failure{target.status.error.message()};
    // A device or a pipe is opened by the name given; only a file that is replaced needs its real place.
    if (target.status.kind != FileKind::Regular && target.status.kind != FileKind::Missing)
        return target;
    for (int hops = 0;; ++hops) {
        const std::optional<std::string> text = files.linkTarget(target.path);
        if (!text)
            break;
        if (hops == kMostLinks || text->empty())
            return Failure{std::make_error_code(std::errc::too_many_symbolic_link_levels).message()};
        target.path = text->front() == '/' ? *text : FolderOf(target.path) + "/" + *text;
    }
    return target;
}

// How a file is written: a device or a pipe as a stream, a new file whole to the disk, an existing
// file in place, cut to the new length.
enum class Writing { Stream, NewFile, InPlace };

// Writes content from the start of the open file and closes it: the first failure.
std::error_code writeAndClose(FileSystem& files, int handle, std::span<const unsigned char> content,
                              Writing how) {
    std::error_code error = files.write(handle, content.data(), content.size());
    if (!error && how == Writing::InPlace)
        error = files.truncate(handle, content.size());
    if (!error && how != Writing::Stream)
        error = files.sync(handle);
    const std::error_code closed = files.close(handle);
    return error ? error : closed;
}

OutputResult writeInPlace(FileSystem& files, const std::string& path, FileKind kind,
                          std::span<const unsigned char> content) {
    const OpenedFile file = files.openForWriting(path);
    if (file.error) {
        if (kind == FileKind::Pipe && file.error == std::errc::no_such_device_or_address)
            return Failure{OutputFailure{"no process reads the named pipe"}};
        return Failure{OutputFailure{file.error.message()}};
    }
    const bool regular = kind == FileKind::Regular;
    const std::error_code error =
        writeAndClose(files, file.handle, content, regular ? Writing::InPlace : Writing::Stream);
    if (!error)
        return {};
    return Failure{OutputFailure{error.message(), regular}};
}

OutputResult replace(FileSystem& files, const Target& target, std::span<const unsigned char> content) {
    const bool exists = target.status.kind == FileKind::Regular;
    const std::string folder = FolderOf(target.path);
    const auto copy = WriteTemporaryCopy(files, folder, content,
                                         exists ? std::optional(target.status.permissions) : std::nullopt);
    if (!copy.ok()) {
        const std::error_code& refused = copy.error().creationError;
        if (exists &&
            (refused == std::errc::permission_denied || refused == std::errc::operation_not_permitted))
            return writeInPlace(files, target.path, FileKind::Regular, content);
        return Failure{OutputFailure{copy.error().reason}};
    }
    if (const std::error_code error = files.rename(copy.value(), target.path)) {
        // The rename's reason is the one to tell; a copy that cannot be removed either is only litter.
        files.remove(copy.value());
        return Failure{OutputFailure{error.message()}};
    }
    files.syncFolder(folder);
    return {};
}

struct Identity {
    std::uint64_t device = 0, inode = 0;
    std::string name; // for a file not made yet: the folder's device and inode, and this name
    bool operator==(const Identity&) const = default;
};

std::optional<Identity> identityOf(FileSystem& files, const std::string& path) {
    const auto resolved = resolve(files, path);
    if (!resolved.ok())
        return std::nullopt;
    const Target& target = resolved.value();
    if (target.status.kind != FileKind::Missing)
        return Identity{target.status.device, target.status.inode, {}};
    const FileStatus folder = files.status(FolderOf(target.path));
    if (folder.error || folder.kind != FileKind::Directory)
        return std::nullopt;
    return Identity{folder.device, folder.inode, nameOf(target.path)};
}

} // namespace

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

Result<void> CheckOutputTarget(FileSystem& files, const std::string& path) {
    const auto resolved = resolve(files, path);
    if (!resolved.ok())
        return Failure{resolved.error()};
    const Target& target = resolved.value();
    switch (target.status.kind) {
    case FileKind::Regular:
    case FileKind::CharacterDevice:
    case FileKind::Pipe:
        return {};
    case FileKind::Missing: {
        const FileStatus folder = files.status(FolderOf(target.path));
        if (folder.error)
            return Failure{folder.error.message()};
        if (folder.kind == FileKind::Missing)
            return Failure{std::make_error_code(std::errc::no_such_file_or_directory).message()};
        if (folder.kind != FileKind::Directory)
            return Failure{std::make_error_code(std::errc::not_a_directory).message()};
        return {};
    }
    default:
        return Failure{refusal(target.status.kind)};
    }
}

OutputResult WriteOutputFile(FileSystem& files, const std::string& path,
                             std::span<const unsigned char> content) {
    const auto resolved = resolve(files, path);
    if (!resolved.ok())
        return Failure{OutputFailure{resolved.error()}};
    const Target& target = resolved.value();
    switch (target.status.kind) {
    case FileKind::Regular:
    case FileKind::Missing:
        return replace(files, target, content);
    case FileKind::CharacterDevice:
    case FileKind::Pipe:
        return writeInPlace(files, path, target.status.kind, content);
    default:
        return Failure{OutputFailure{refusal(target.status.kind)}};
    }
}

Result<std::string, CopyFailure> WriteTemporaryCopy(FileSystem& files, const std::string& folder,
                                                    std::span<const unsigned char> content,
                                                    std::optional<unsigned> permissions) {
    const OpenedFile file = files.createTemporary(folder, permissions);
    if (file.error)
        return Failure{CopyFailure{file.error.message(), file.error}};
    std::string error;
    if (const std::error_code written = writeAndClose(files, file.handle, content, Writing::NewFile)) {
        error = written.message();
    } else {
        // The size on the disk is the last word on whether every byte got there.
        const FileStatus status = files.status(file.path);
        if (status.error)
            error = status.error.message();
        else if (status.size != content.size())
            error = "only " + std::to_string(status.size) + " of " + std::to_string(content.size()) +
                    " bytes reached the disk";
    }
    if (error.empty())
        return file.path;
    // The write's reason is the one to tell; a copy that cannot be removed either is only litter.
    files.remove(file.path);
    return Failure{CopyFailure{error, {}}};
}

bool NameTheSameFile(FileSystem& files, const std::string& a, const std::string& b) {
    const std::optional<Identity> first = identityOf(files, a);
    return first && first == identityOf(files, b);
}

} // namespace vorix
