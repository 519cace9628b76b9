#pragma once
// Radio data files for the commands: one clear line for every file that cannot be used.

#include <optional>
#include <string>

#include "cli/CliFiles.h"
#include "image/RadioImage.h"

namespace vorix::cli {

struct LoadedImage {
    std::optional<RadioImage> image;
    std::string error; // "A.rdat: ..." when the image is missing
};

/// Reads the image of a radio data file: its first 128 bytes, as the window's Load does.
LoadedImage LoadImageFile(CliFiles& files, const std::string& path);

/// Writes the 128 bytes of the image atomically; an empty text on success, else "OUT.rdat: ...".
std::string SaveImageFile(CliFiles& files, const std::string& path, const RadioImage& image);

} // namespace vorix::cli
