#pragma once
// Every image read from a radio is also kept as a dated .rdat file, so a radio's original
// configuration survives a later Load or edit.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "image/RadioImage.h"

namespace vorix {

/// "read-2026-12-07_073015.rdat" for the given local time.
std::string BackupFileName(const std::tm& localTime);

/// The time a backup's name carries, or nothing for a file that is not a backup.
std::optional<std::tm> BackupTimeFromName(const std::string& fileName);

/// Writes the image into folder (created if needed) under a name for `now`, through a temporary file
/// renamed into place, and prunes backups older than a year. Never throws: a backup that cannot be
/// written must not disturb the read. Returns the path written, or nothing.
std::optional<std::filesystem::path> SaveReadBackup(const std::filesystem::path& folder, const ImageBytes& bytes,
                                                    std::chrono::system_clock::time_point now);

/// Removes the backups in folder whose names are dated more than 365 days before now; other files stay.
/// Returns how many were removed.
int PruneReadBackups(const std::filesystem::path& folder, std::chrono::system_clock::time_point now);

} // namespace vorix
