#pragma once
// Outputs written so that nothing already on the disk is lost or half replaced. The window's Save,
// vorix-cli's outputs and the backups of reads all write through here.

#include <optional>
#include <span>
#include <string>

#include "image/Language.h"
#include "image/Result.h"
#include "store/FileSystem.h"

namespace vorix {

/// Why an output was not written.
struct OutputFailure {
    std::string reason;
    bool mayBeIncomplete = false; // the file was being written in place when that failed
};

using OutputResult = Result<void, OutputFailure>;

/// What the user is told, before the file's name: "The file was not saved: <reason>", or that the
/// file may be incomplete when it was being written in place.
std::string OutputFailureText(const OutputFailure& failure, Language language);

/// Fails with the reason an output to path would be refused, found without writing anything (a
/// directory, a socket, a block device, a missing folder).
Result<void> CheckOutputTarget(FileSystem& files, const std::string& path);

/// Writes content to path.
/// - A symbolic link is written through and stays a link.
/// - A regular file, or a new one, is replaced in one step: a temporary file beside it is written,
///   synced and checked whole, given the old file's permissions and renamed over it. Any failure
///   leaves the old file as it was and no temporary file behind.
/// - When the folder refuses the temporary file but the file itself may be written (a shared file in
///   a folder of someone else's), the file is written in place; if that fails, the old content may be
///   lost, and mayBeIncomplete says so.
/// - A character device or a named pipe is written as it is, never replaced; a pipe that nobody
///   reads is refused at once. A directory, a socket or a block device is refused.
OutputResult WriteOutputFile(FileSystem& files, const std::string& path,
                             std::span<const unsigned char> content);

/// Why no temporary copy was made; nothing is left behind.
struct CopyFailure {
    std::string reason;
    std::error_code creationError; // set when the folder refused the file itself
};

/// The path of a file with a unique name of its own in folder that holds content, synced and checked
/// whole.
Result<std::string, CopyFailure> WriteTemporaryCopy(FileSystem& files, const std::string& folder,
                                                    std::span<const unsigned char> content,
                                                    std::optional<unsigned> permissions);

/// Whether a and b name one file (the same device and inode, after links); for a name that does not
/// exist yet, whether both name the same entry of the same folder.
bool NameTheSameFile(FileSystem& files, const std::string& a, const std::string& b);

/// The folder part of a path: "." for a bare name.
std::string FolderOf(const std::string& path);

} // namespace vorix
