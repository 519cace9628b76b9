#pragma once
// A list the user reads beside the main window and then closes: the import's notes, the
// differences a verified write found.

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace vorix {

/// Opens a dialog over parent (window-modal, deleted on close) with one read-only list item per line
/// and a Close button. The dialog is named objectName and its list objectName + "List"; both carry
/// title as their accessible name. fixedFont keeps columns aligned with spaces in line.
QDialog* OpenListDialog(QWidget* parent, const QString& objectName, const QString& title,
                        const QStringList& lines, bool fixedFont = false);

} // namespace vorix
