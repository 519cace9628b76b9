#include "ui/PasswordField.h"

#include <QLineEdit>

namespace vorix {

QValidator::State SingleByteValidator::validate(QString& input, int& /*position*/) const {
    for (const QChar c : input)
        if (c.unicode() > 0xFF)
            return Invalid;
    return Acceptable;
}

void MakePasswordField(QLineEdit* field) {
    field->setEchoMode(QLineEdit::Password);
    // Shown as "*" whatever the style's own mask character is.
    field->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    field->setMaxLength(kPasswordLength);
    field->setValidator(new SingleByteValidator(field));
}

} // namespace vorix
