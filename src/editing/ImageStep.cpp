#include "editing/ImageStep.h"

namespace vorix {

namespace {

void writeChanged(RadioImage& image, const ImageBytes& from, const ImageBytes& to) {
    for (int i = 0; i < kImageSize; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (from[at] != to[at])
            image.write(i, to[at]);
    }
}

} // namespace

void ImageStep::undo(RadioImage& image) const {
    writeChanged(image, after, before);
}

void ImageStep::redo(RadioImage& image) const {
    writeChanged(image, before, after);
}

} // namespace vorix
