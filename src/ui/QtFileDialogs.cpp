#include "ui/QtFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace vorix {

std::string QtFileDialogs::choose(const FileDialogRequest& request) {
    // Shown without an owner window, starting in the folder asked for while it still exists, else in
    // the process's current folder.
    const QString folder = QString::fromStdString(request.folder);
    const bool folderExists = !folder.isEmpty() && QDir(folder).exists();
    QFileDialog dialog(nullptr, QString::fromStdString(request.title),
                       folderExists ? folder : QDir::currentPath());
    QStringList filters;
    for (const std::string& filter : request.filters)
        filters << QString::fromStdString(filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (request.open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
        if (!request.fileName.empty())
            dialog.selectFile(QString::fromStdString(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first().toStdString();
}

} // namespace vorix
