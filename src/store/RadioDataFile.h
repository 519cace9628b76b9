#pragma once
// The radio data file: exactly the 128 bytes of the RadioImage, no header.

#include <optional>
#include <string>
#include <vector>

#include "image/RadioImage.h"

namespace vorix {

/// The image a file's content gives: its first 128 bytes. Nothing for a file shorter than that,
/// so a truncated file never mixes into the current image.
std::optional<ImageBytes> ImageFromFileContent(const std::vector<unsigned char>& content);

} // namespace vorix
