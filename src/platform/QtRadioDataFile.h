#pragma once
// Reading and writing .rdat files on disk.

#include <QString>
#include <optional>

#include "image/RadioImage.h"

namespace vorix {

struct FileResult {
    bool ok = false;
    QString reason; // the system's reason when not ok
};

/// Reads the whole file first; the image is only produced when the file could be read and holds at
/// least 128 bytes. `tooShort` tells a short file from an unreadable one.
struct LoadedImage {
    std::optional<ImageBytes> bytes;
    bool tooShort = false;
    QString reason;
};
LoadedImage LoadRadioDataFile(const QString& path);

/// Writes exactly 128 bytes through a temporary file renamed over the target only when complete,
/// so a failed save never destroys the old file and is never reported as success.
FileResult SaveRadioDataFile(const QString& path, const ImageBytes& bytes);

} // namespace vorix
