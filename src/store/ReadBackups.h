#pragma once
// Every image read from a radio is also kept as a dated .rdat file, so a radio's original
// configuration survives a later Load or edit.

#include <chrono>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "image/RadioImage.h"
#include "image/Result.h"
#include "store/FileSystem.h"

namespace vorix {

/// "read-2026-12-07_073015.rdat" for the given local time.
std::string BackupFileName(const std::tm& localTime);

/// The time a backup's name carries, for a name of exactly the form this tool writes:
/// read-YYYY-MM-DD_HHMMSS.rdat, or read-YYYY-MM-DD_HHMMSS-N.rdat with N from 2 to 99 for a later
/// backup in the same second, with a real date and time. Nothing for any other name.
std::optional<std::tm> BackupTimeFromName(const std::string& fileName);

/// Writes the image into folder (created if needed) under a name for `now`, and prunes backups older
/// than a year. The image is written whole into a temporary file of its own, synced, and then given
/// the first of the names for that second that nobody has taken, in one step that fails when another
/// process took it first; so backups made at once by several processes each keep their own image.
/// Never throws: a backup that cannot be written must not disturb the read. Returns the path written,
/// or why there is none.
Result<std::filesystem::path> SaveReadBackup(FileSystem& files, const std::filesystem::path& folder,
                                             const ImageBytes& bytes,
                                             std::chrono::system_clock::time_point now);

/// Removes the backups in folder whose names are dated more than 365 days before now: regular files
/// only, never a link, never a name of any other form. Returns how many were removed; one that cannot
/// be removed now is tried again after the next read.
int PruneReadBackups(const std::filesystem::path& folder, std::chrono::system_clock::time_point now);

} // namespace vorix
