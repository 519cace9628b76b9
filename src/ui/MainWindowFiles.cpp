#include "ui/MainWindow.h"

// The main window's file flows and the questions before anything is lost: Load, Save, the recent
// files, the title with its modified mark, and Close.

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "editing/TableFormat.h"
#include "editing/TableTexts.h"
#include "platform/PosixFileSystem.h"
#include "store/OutputFile.h"
#include "store/RadioDataFile.h"
#include "ui/ImageHistory.h"
#include "ui/QtText.h"
#include "ui/RecentFiles.h"

namespace vorix {

namespace {

FileSystem& diskOf(const MainWindowServices& services) {
    return services.disk ? *services.disk : MachineFileSystem();
}

} // namespace

std::string MainWindow::chooseFile(const std::string& mode, const std::string& title) {
    FileDialogRequest request = MakeFileDialogRequest(mode, title, state_.language);
    request.folder = RecentFiles(services_.userSettings).lastFolder();
    return services_.files.choose(request);
}

void MainWindow::showError(const std::string& text) {
    services_.messages.show(text, std::string(Text(TextId::ApplicationTitle, state_.language)),
                            MessageButtons::Ok, MessageIcon::Critical);
}

void MainWindow::onLoadClicked() {
    commitOpenEdit();
    const Language lang = state_.language;
    // With unsaved changes, "Save changes?" comes first and takes the place of "cover current data?".
    const bool asked = modified();
    if (!changesMayBeLost())
        return;
    const std::string path = chooseFile("OPEN", std::string(Text(TextId::OpenTitle, lang)));
    if (!path.empty() && mayCoverImage(asked))
        loadFile(path);
}

void MainWindow::openRecentFile(const std::string& path) {
    commitOpenEdit();
    if (!QFileInfo::exists(q(path))) {
        // A file moved or deleted since leaves the list, with a note of where it was.
        RecentFiles(services_.userSettings).remove(path);
        showStatus(q(Text(TextId::StatusRecentMissing, state_.language)).arg(q(path)));
        return;
    }
    openWithQuestions(path);
}

void MainWindow::openWithQuestions(const std::string& path) {
    const bool asked = modified();
    if (changesMayBeLost() && mayCoverImage(asked))
        loadFile(path);
}

void MainWindow::openAtStart(const std::string& path) {
    loadFile(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    commitOpenEdit();
    const QString path = urls.first().toLocalFile();
    // Only the extension is judged here; the content goes through Load's own checks.
    if (QFileInfo(path).suffix().compare(QStringLiteral("rdat"), Qt::CaseInsensitive) != 0) {
        showError(std::string(Text(TextId::FileNotDroppable, state_.language)) + "\n" + path.toStdString());
        return;
    }
    openWithQuestions(path.toStdString());
}

std::vector<std::string> MainWindow::recentFiles() const {
    return RecentFiles(services_.userSettings).files();
}

bool MainWindow::mayCoverImage(bool alreadyAsked) {
    if (alreadyAsked)
        return true;
    const Language lang = state_.language;
    const MessageAnswer answer = services_.messages.show(std::string(Text(TextId::CoverCurrentData, lang)),
                                                         std::string(Text(TextId::ApplicationTitle, lang)),
                                                         MessageButtons::OkCancel, MessageIcon::Warning);
    return answer == MessageAnswer::Ok;
}

void MainWindow::rememberFile(const std::string& path) {
    RecentFiles(services_.userSettings).add(path);
}

void MainWindow::loadFile(const std::string& path) {
    const Language lang = state_.language;
    const LoadedImage loaded = LoadRadioDataFile(diskOf(services_), path);
    if (!loaded.ok()) {
        const ImageLoadFailure& failure = loaded.error();
        const std::string text = failure.tooShort
                                     ? std::string(Text(TextId::FileTooShort, lang))
                                     : std::string(Text(TextId::FileCannotOpen, lang)) + " " + failure.reason;
        showError(text + "\n" + path);
        return;
    }
    history_->record(stepName(TextId::StepLoad, QFileInfo(q(path)).fileName().toStdString()),
                     [&] { state_.image.replaceAll(loaded.value()); });
    showImage();
    history_->markSaved();
    imageFromSource_ = true;
    filePath_ = path;
    rememberFile(path);
    updateTitle();
    showStatus(q(Text(TextId::StatusLoaded, state_.language)).arg(q(path)));
}

void MainWindow::onSaveClicked() {
    commitOpenEdit();
    const std::string path = chooseFile("Save", std::string(Text(TextId::SaveTitle, state_.language)));
    if (!path.empty())
        saveTo(path);
}

bool MainWindow::saveTo(const std::string& path) {
    const OutputResult saved = WriteOutputFile(diskOf(services_), path, state_.image.bytes());
    if (!saved.ok()) {
        // A file written in place when it could not be replaced may have lost its old content: say so.
        const OutputFailure& failure = saved.error();
        const TextId text = failure.mayBeIncomplete ? TextId::FileMayBeIncomplete : TextId::FileCannotSave;
        showError(std::string(Text(text, state_.language)) + " " + failure.reason + "\n" + path);
        return false;
    }
    filePath_ = path;
    rememberFile(path);
    history_->markSaved();
    updateTitle();
    showStatus(q(Text(TextId::StatusSaved, state_.language)).arg(q(path)));
    return true;
}

void MainWindow::exportCsv() {
    commitOpenEdit();
    const Language lang = state_.language;
    FileDialogRequest request =
        MakeFileDialogRequest("Save", std::string(Text(TextId::ActionExportCsv, lang)), lang);
    request.filters = {std::string(Text(TextId::FileFilterCsv, lang)),
                       std::string(Text(TextId::FileFilterAll, lang))};
    request.defaultSuffix = "csv";
    request.folder = RecentFiles(services_.userSettings).lastFolder();
    const std::string path = services_.files.choose(request);
    if (path.empty())
        return;
    // The same table as the command line's show --csv, in the window's language and number format.
    const std::string table = FormatCsvTable(BuildTableTexts(state_));
    const OutputResult saved = WriteOutputFile(
        diskOf(services_), path, {reinterpret_cast<const unsigned char*>(table.data()), table.size()});
    if (!saved.ok()) {
        const OutputFailure& failure = saved.error();
        const TextId text = failure.mayBeIncomplete ? TextId::FileMayBeIncomplete : TextId::FileCannotSave;
        showError(std::string(Text(text, lang)) + " " + failure.reason + "\n" + path);
        return;
    }
    showStatus(q(Text(TextId::StatusExported, lang)).arg(q(path)));
}

bool MainWindow::saveToCurrentFile() {
    commitOpenEdit();
    if (!filePath_.empty())
        return saveTo(filePath_);
    const std::string path = chooseFile("Save", std::string(Text(TextId::SaveTitle, state_.language)));
    return !path.empty() && saveTo(path);
}

bool MainWindow::modified() const {
    return history_->modified();
}

bool MainWindow::changesMayBeLost() {
    if (!modified())
        return true;
    const MessageAnswer answer =
        services_.messages.show(std::string(Text(TextId::SaveChanges, state_.language)),
                                std::string(Text(TextId::ApplicationTitle, state_.language)),
                                MessageButtons::SaveDiscardCancel, MessageIcon::Warning);
    if (answer == MessageAnswer::Save)
        return saveToCurrentFile();
    return answer == MessageAnswer::Discard;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    commitOpenEdit();
    if (changesMayBeLost())
        event->accept();
    else
        event->ignore();
}

void MainWindow::updateTitle() {
    // "Vorix", "Vorix *", "Vorix — club.rdat *": the file's name and whether the image differs from it.
    QString title = q(Text(TextId::ApplicationTitle, state_.language));
    if (!filePath_.empty())
        title += QStringLiteral(" \u2014 ") + QFileInfo(q(filePath_)).fileName();
    if (history_ && history_->modified())
        title += QStringLiteral(" *");
    setWindowTitle(title);
}

} // namespace vorix
