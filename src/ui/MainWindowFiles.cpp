#include "ui/MainWindow.h"

// The main window's file flows and the questions before anything is lost: Load, Save, the recent
// files, the title with its modified mark, and Close.

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "editing/CsvImport.h"
#include "editing/TableFormat.h"
#include "editing/TableTexts.h"
#include "platform/PosixFileSystem.h"
#include "store/InputFile.h"
#include "store/OutputFile.h"
#include "store/RadioDataFile.h"
#include "ui/ImageHistory.h"
#include "ui/ListDialog.h"
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

std::string MainWindow::chooseTypedFile(const std::string& mode, TextId title, TextId filter,
                                        const std::string& suffix, const std::string& suggestedName) {
    const Language lang = state_.language;
    FileDialogRequest request = MakeFileDialogRequest(mode, std::string(Text(title, lang)), lang);
    request.filters = {std::string(Text(filter, lang)), std::string(Text(TextId::FileFilterAll, lang))};
    request.defaultSuffix = request.open ? "" : suffix;
    request.fileName = suggestedName;
    request.folder = RecentFiles(services_.userSettings).lastFolder();
    return services_.files.choose(request);
}

void MainWindow::showError(const std::string& text) {
    services_.messages.show(text, std::string(Text(TextId::ApplicationTitle, state_.language)),
                            MessageButtons::Ok, MessageIcon::Critical);
}

MessageAnswer MainWindow::ask(TextId question, MessageButtons buttons) {
    return services_.messages.show(std::string(Text(question, state_.language)),
                                   std::string(Text(TextId::ApplicationTitle, state_.language)), buttons,
                                   MessageIcon::Warning);
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
    return ask(TextId::CoverCurrentData, MessageButtons::OkCancel) == MessageAnswer::Ok;
}

void MainWindow::rememberFile(const std::string& path) {
    RecentFiles(services_.userSettings).add(path);
}

void MainWindow::loadFile(const std::string& path) {
    const Language lang = state_.language;
    const LoadedImage loaded = LoadRadioDataFile(diskOf(services_), path);
    if (!loaded.ok()) {
        showError(LoadFailureText(loaded.error(), lang) + "\n" + path);
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
    saveAs();
}

bool MainWindow::saveAs() {
    const std::string path = chooseFile("Save", std::string(Text(TextId::SaveTitle, state_.language)));
    return !path.empty() && saveTo(path);
}

bool MainWindow::writeChecked(const std::string& path, std::span<const unsigned char> content) {
    const OutputResult saved = WriteOutputFile(diskOf(services_), path, content);
    if (saved.ok())
        return true;
    // A file written in place when it could not be replaced may have lost its old content: say so.
    showError(OutputFailureText(saved.error(), state_.language) + "\n" + path);
    return false;
}

bool MainWindow::saveTo(const std::string& path) {
    if (!writeChecked(path, state_.image.bytes()))
        return false;
    filePath_ = path;
    rememberFile(path);
    history_->markSaved();
    updateTitle();
    showStatus(q(Text(TextId::StatusSaved, state_.language)).arg(q(path)));
    return true;
}

void MainWindow::exportCsv() {
    commitOpenEdit();
    const std::string path = chooseTypedFile("Save", TextId::ActionExportCsv, TextId::FileFilterCsv, "csv");
    if (path.empty())
        return;
    // The same table as the command line's show --csv, in the window's language and number format.
    const std::string table = FormatCsvTable(BuildTableTexts(state_));
    if (writeChecked(path, {reinterpret_cast<const unsigned char*>(table.data()), table.size()}))
        showStatus(q(Text(TextId::StatusExported, state_.language)).arg(q(path)));
}

void MainWindow::importCsv() {
    commitOpenEdit();
    const Language lang = state_.language;
    const std::string path = chooseTypedFile("OPEN", TextId::ActionImportCsv, TextId::FileFilterCsv, "csv");
    if (path.empty())
        return;
    const InputRead read = ReadInputFile(diskOf(services_), path, kMostTableBytes);
    if (!read.ok() || read.value().longer) {
        showError(std::string(Text(TextId::FileCannotOpen, lang)) + " " +
                  (read.ok() ? std::string("larger than 1 MiB") : read.error()) + "\n" + path);
        return;
    }
    const std::vector<unsigned char>& bytes = read.value().bytes;
    const CsvParse parsed = ParseCsv(std::string(bytes.begin(), bytes.end()));
    if (!parsed.ok()) {
        showError(DescribeCsvError(parsed.error()) + "\n" + path);
        return;
    }
    // Applied to a copy first: a table that turns out unusable half way leaves the image untouched,
    // and a usable one becomes a single undo step.
    AppState imported = state_;
    const ImportResult result = ImportTable(imported, parsed.value());
    if (!result.ok()) {
        showError(DescribeNote(result.error()) + "\n" + path);
        return;
    }
    history_->record(stepName(TextId::StepImportCsv, QFileInfo(q(path)).fileName().toStdString()),
                     [&] { state_.image.replaceAll(imported.image.bytes()); });
    showImage();
    updateTitle();
    if (!result.value().empty())
        showImportNotes(result.value());
}

void MainWindow::showImportNotes(const std::vector<ImportNote>& notes) {
    QStringList lines;
    for (const ImportNote& note : notes)
        lines << q(DescribeNote(note));
    OpenListDialog(this, QStringLiteral("ImportNotes"), q(Text(TextId::ImportNotesTitle, state_.language)),
                   lines);
}

bool MainWindow::saveToCurrentFile() {
    commitOpenEdit();
    return filePath_.empty() ? saveAs() : saveTo(filePath_);
}

bool MainWindow::modified() const {
    return history_->modified();
}

bool MainWindow::changesMayBeLost() {
    if (!modified())
        return true;
    const MessageAnswer answer = ask(TextId::SaveChanges, MessageButtons::SaveDiscardCancel);
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
