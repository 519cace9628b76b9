#pragma once
// One undoable change of the image, as an undo stack keeps it: what the user did, and the image
// bytes before and after.

#include <string>
#include <utility>

#include "image/RadioImage.h"

namespace vorix {

/// A named change of the image. Undo and redo write back only the bytes this change changed:
/// a byte changed since by something that is not a step of its own (the write mark that Write
/// sets) keeps its value.
struct ImageStep {
    std::string name; // what the user did, for "Undo <name>"
    ImageBytes before{};
    ImageBytes after{};

    /// True when the change left every byte as it was: there is nothing to undo.
    bool empty() const { return before == after; }

    void undo(RadioImage& image) const;
    void redo(RadioImage& image) const;
};

/// Runs `edit`, which changes `image`, and returns the step it made.
template <typename Edit> ImageStep RecordImageStep(RadioImage& image, std::string name, Edit&& edit) {
    ImageStep step{std::move(name), image.bytes(), {}};
    std::forward<Edit>(edit)();
    step.after = image.bytes();
    return step;
}

} // namespace vorix
