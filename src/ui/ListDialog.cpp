#include "ui/ListDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QVBoxLayout>

namespace vorix {

QDialog* OpenListDialog(QWidget* parent, const QString& objectName, const QString& title,
                        const QStringList& lines, bool fixedFont) {
    // Not modal to the application: the user reads the list, and may look at the table beside it.
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(objectName);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    dialog->setAccessibleName(title);
    auto* list = new QListWidget(dialog);
    list->setObjectName(objectName + QStringLiteral("List"));
    list->setAccessibleName(title);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    if (fixedFont)
        list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list->addItems(lines);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog->resize(560, 320);
    dialog->open();
    return dialog;
}

} // namespace vorix
