#include "ui/QtMessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "texts/InterfaceTexts.h"
#include "ui/QtText.h"

namespace vorix {

MessageAnswer QtMessageBoxes::show(const std::string& text, const std::string& title, MessageButtons buttons,
                                   MessageIcon icon) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setIcon(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning);
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    case MessageButtons::SaveDiscardCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        break;
    case MessageButtons::ContinueCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        break;
    }
    // The answers of the window's own questions speak the window's language.
    const std::pair<QMessageBox::StandardButton, TextId> captions[] = {
        {QMessageBox::Save, TextId::AnswerSave},
        {QMessageBox::Discard, TextId::AnswerDiscard},
        {QMessageBox::Cancel, TextId::AnswerCancel}};
    const Language language = language_ ? *language_ : Language::English;
    if (buttons == MessageButtons::ContinueCancel)
        box.button(QMessageBox::Ok)->setText(q(Text(TextId::AnswerContinue, language)));
    if (language_ &&
        (buttons == MessageButtons::SaveDiscardCancel || buttons == MessageButtons::ContinueCancel))
        for (auto [button, text] : captions)
            if (QAbstractButton* shown = box.button(button))
                shown->setText(q(Text(text, language)));
    box.setObjectName(QStringLiteral("VorixMessageBox"));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return buttons == MessageButtons::ContinueCancel ? MessageAnswer::Continue : MessageAnswer::Ok;
    case QMessageBox::Save:
        return MessageAnswer::Save;
    case QMessageBox::Discard:
        return MessageAnswer::Discard;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    default:
        return MessageAnswer::Cancel;
    }
}

} // namespace vorix
