#include "ui/ImageHistory.h"

#include <QUndoStack>

namespace vorix {

namespace {

// The change is already in the image when the step is pushed; the stack's first redo is that
// change, so it does nothing.
class ImageStepCommand final : public QUndoCommand {
public:
    ImageStepCommand(ImageStep step, RadioImage& image, const std::function<void()>& showImage)
        : step_(std::move(step)), image_(image), showImage_(showImage) {
        setText(QString::fromStdString(step_.name));
    }
    void undo() override {
        step_.undo(image_);
        showImage_();
    }
    void redo() override {
        if (done_) {
            step_.redo(image_);
            showImage_();
        }
        done_ = true;
    }

private:
    ImageStep step_;
    RadioImage& image_;
    const std::function<void()>& showImage_;
    bool done_ = false;
};

} // namespace

ImageHistory::ImageHistory(RadioImage& image, std::function<void()> showImage, QObject* parent)
    : QObject(parent), image_(image), showImage_(std::move(showImage)), stack_(new QUndoStack(this)) {
    connect(stack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

ImageHistory::~ImageHistory() {
    // The stack empties itself as it goes and reports that; the window listening may be half gone.
    stack_->blockSignals(true);
}

bool ImageHistory::push(ImageStep step) {
    if (step.empty())
        return false;
    stack_->push(new ImageStepCommand(std::move(step), image_, showImage_));
    return true;
}

void ImageHistory::markSaved() {
    stack_->setClean();
}

bool ImageHistory::modified() const {
    return !stack_->isClean();
}

} // namespace vorix
