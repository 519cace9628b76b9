#pragma once
// The radio data file: exactly the 128 bytes of the RadioImage, no header.

#include <cstddef>
#include <string>
#include <vector>

#include "image/Language.h"
#include "image/RadioImage.h"
#include "image/Result.h"
#include "store/FileSystem.h"
#include "store/InputFile.h"

namespace vorix {

/// Why a file gives no image: it cannot be read, or it holds fewer than 128 bytes, so that a
/// truncated file never mixes into the current image.
struct ImageLoadFailure {
    bool tooShort = false;
    std::size_t size = 0; // the bytes a file too short holds
    std::string reason;   // why a file that cannot be read cannot
};

/// The image of a radio data file: its first 128 bytes.
using LoadedImage = Result<ImageBytes, ImageLoadFailure>;

/// What the user is told of a file that did not load: that it is too short, or why it could not be
/// read.
std::string LoadFailureText(const ImageLoadFailure& failure, Language language);

/// The image a file's content gives.
LoadedImage ImageFromFileContent(const std::vector<unsigned char>& content);

/// The image a read of a file (capped at 128 bytes or more) gives.
LoadedImage ImageFromInput(const InputRead& read);

/// Reads the first 128 bytes of a regular file (or a link to one); a pipe or a device is refused
/// before it is opened.
LoadedImage LoadRadioDataFile(FileSystem& files, const std::string& path);

} // namespace vorix
