#pragma once
// The radio data file: exactly the 128 bytes of the RadioImage, no header.

#include <optional>
#include <string>
#include <vector>

#include "image/RadioImage.h"
#include "store/FileSystem.h"

namespace vorix {

/// The image a file's content gives: its first 128 bytes. Nothing for a file shorter than that,
/// so a truncated file never mixes into the current image.
std::optional<ImageBytes> ImageFromFileContent(const std::vector<unsigned char>& content);

/// The image only when the file could be read and holds at least 128 bytes; `tooShort` tells a short
/// file from one that cannot be read, `reason` says why it cannot.
struct LoadedImage {
    std::optional<ImageBytes> bytes;
    bool tooShort = false;
    std::string reason;
};

/// Reads the first 128 bytes of a regular file (or a link to one); a pipe or a device is refused
/// before it is opened.
LoadedImage LoadRadioDataFile(FileSystem& files, const std::string& path);

} // namespace vorix
