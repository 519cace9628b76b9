#pragma once
// Message boxes on QMessageBox.

#include <QPointer>
#include <QWidget>

#include "image/Language.h"
#include "platform/MessageBoxes.h"

namespace vorix {

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    /// The language of the Save / Discard / Continue / Cancel captions; null keeps Qt's own.
    void setLanguage(const Language* language) { language_ = language; }
    MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                       MessageIcon icon) override;

private:
    QPointer<QWidget> parent_;
    const Language* language_ = nullptr;
};

} // namespace vorix
