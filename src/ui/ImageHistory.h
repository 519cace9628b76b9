#pragma once
// The undo history of the RadioImage: every user change of the image is one named step on a
// QUndoStack, and the stack's clean point is the image as it was last loaded, read, saved or written.

#include <QObject>
#include <functional>
#include <string>
#include <utility>

#include "editing/ImageStep.h"

class QUndoStack;

namespace vorix {

class ImageHistory : public QObject {
    Q_OBJECT
public:
    /// showImage puts the image into the view after an undo or redo.
    ImageHistory(RadioImage& image, std::function<void()> showImage, QObject* parent = nullptr);
    ~ImageHistory() override;

    /// Runs `edit` and keeps what it changed as one step; a change that left every byte as it was
    /// is no step. Returns true when a step was kept.
    template <typename Edit> bool record(std::string name, Edit&& edit) {
        return push(RecordImageStep(image_, std::move(name), std::forward<Edit>(edit)));
    }
    /// Keeps a change that has already been made; false when it changed nothing.
    bool push(ImageStep step);

    /// The image as it is now is what a file or the radio holds: no unsaved changes.
    void markSaved();
    bool modified() const;

    QUndoStack* stack() const { return stack_; }

signals:
    void modifiedChanged(bool modified);

private:
    RadioImage& image_;
    std::function<void()> showImage_;
    QUndoStack* stack_;
};

} // namespace vorix
