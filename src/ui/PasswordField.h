#pragma once
// The key rules of the programming dialog's password fields.

#include <QValidator>

class QLineEdit;

namespace vorix {

/// Longest password the radio keeps.
inline constexpr int kPasswordLength = 6;

/// Refuses any text with a character outside Latin-1: the radio stores one byte per character,
/// and a character that needs more than one byte in an 8-bit code page cannot be entered.
/// Checked on every change, so typing, pasting and input methods are all covered.
class SingleByteValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

/// Masks the field with "*", limits it to kPasswordLength characters and applies the validator.
void MakePasswordField(QLineEdit* field);

} // namespace vorix
