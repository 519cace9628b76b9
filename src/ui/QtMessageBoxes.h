#pragma once
// Message boxes on QMessageBox.

#include <QPointer>
#include <QWidget>

#include "platform/MessageBoxes.h"

namespace vorix {

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                       MessageIcon icon) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace vorix
