#include "ui/WindowActions.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QUndoStack>
#include <QUrl>

#include "editing/ChannelRows.h"
#include "editing/RowClipboard.h"
#include "editing/Startup.h"
#include "image/ImageLayout.h"
#include "platform/QtPortNames.h"
#include "ui/ChannelGrid.h"
#include "ui/ImageHistory.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"

namespace vorix {

namespace {

const QString kCsvType = QStringLiteral("text/csv");

} // namespace

WindowActions::WindowActions(MainWindow& window, AppState& state, ImageHistory& history, ChannelGrid& grid)
    : QObject(&window), window_(window), state_(state), history_(history), grid_(grid),
      menuBar_(new QMenuBar(&window)) {
    menuBar_->setObjectName(QStringLiteral("MenuBar"));
    menuBar_->setAccessibleName(QStringLiteral("Menu bar"));
    auto menu = [this](TextId text, const char* name) {
        QMenu* m = menuBar_->addMenu(QString());
        m->setObjectName(QString::fromLatin1(name));
        menus_.emplace_back(m, text);
        return m;
    };
    QMenu* file = menu(TextId::MenuFile, "MenuFile");
    connect(addAction(file, TextId::ActionOpen, "ActionOpen"), &QAction::triggered, &window_,
            &MainWindow::onLoadClicked);
    connect(addAction(file, TextId::ActionSave, "ActionSave"), &QAction::triggered, &window_,
            [this] { window_.saveToCurrentFile(); });
    connect(addAction(file, TextId::ActionSaveAs, "ActionSaveAs"), &QAction::triggered, &window_,
            &MainWindow::onSaveClicked);
    QMenu* recent = file->addMenu(QString());
    recent->setObjectName(QStringLiteral("MenuOpenRecent"));
    menus_.emplace_back(recent, TextId::ActionOpenRecent);
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentMenu(recent); });
    file->addSeparator();
    connect(addAction(file, TextId::ActionExportCsv, "ActionExportCsv"), &QAction::triggered, &window_,
            &MainWindow::exportCsv);
    connect(addAction(file, TextId::ActionImportCsv, "ActionImportCsv"), &QAction::triggered, &window_,
            &MainWindow::importCsv);
    file->addSeparator();
    connect(addAction(file, TextId::ActionPrint, "ActionPrint"), &QAction::triggered, &window_,
            &MainWindow::printCard);
    connect(addAction(file, TextId::ActionExportPdf, "ActionExportPdf"), &QAction::triggered, &window_,
            &MainWindow::exportPdf);
    file->addSeparator();
    connect(addAction(file, TextId::ActionQuit, "ActionQuit"), &QAction::triggered, &window_,
            &QWidget::close);

    QMenu* edit = menu(TextId::MenuEdit, "MenuEdit");
    undoAction_ = addAction(edit, TextId::ActionUndo, "ActionUndo");
    redoAction_ = addAction(edit, TextId::ActionRedo, "ActionRedo");
    connect(undoAction_, &QAction::triggered, this, &WindowActions::undo);
    connect(redoAction_, &QAction::triggered, this, &WindowActions::redo);
    QUndoStack* stack = history_.stack();
    undoAction_->setEnabled(false);
    redoAction_->setEnabled(false);
    connect(stack, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
    connect(stack, &QUndoStack::indexChanged, this, &WindowActions::applyLanguage);
    edit->addSeparator();
    connect(addAction(edit, TextId::ActionCut, "ActionCut"), &QAction::triggered, this,
            &WindowActions::cutRows);
    connect(addAction(edit, TextId::ActionCopy, "ActionCopy"), &QAction::triggered, this,
            &WindowActions::copyRows);
    connect(addAction(edit, TextId::ActionPaste, "ActionPaste"), &QAction::triggered, this,
            &WindowActions::pasteRows);
    connect(addAction(edit, TextId::ActionClearChannels, "ActionClearChannels"), &QAction::triggered, this,
            &WindowActions::clearRows);
    edit->addSeparator();
    connect(addAction(edit, TextId::ActionMoveUp, "ActionMoveUp"), &QAction::triggered, this,
            [this] { moveRows(true); });
    connect(addAction(edit, TextId::ActionMoveDown, "ActionMoveDown"), &QAction::triggered, this,
            [this] { moveRows(false); });
    connect(addAction(edit, TextId::ActionSort, "ActionSort"), &QAction::triggered, this,
            &WindowActions::sortRows);
    edit->addSeparator();
    connect(addAction(edit, TextId::ActionSelectAll, "ActionSelectAll"), &QAction::triggered, this,
            &WindowActions::selectAllRows);

    QMenu* radio = menu(TextId::MenuRadio, "MenuRadio");
    connect(addAction(radio, TextId::ActionRead, "ActionRead"), &QAction::triggered, &window_,
            &MainWindow::onReadClicked);
    connect(addAction(radio, TextId::ActionWrite, "ActionWrite"), &QAction::triggered, &window_,
            &MainWindow::onWriteClicked);
    connect(addAction(radio, TextId::ActionWriteVerify, "ActionWriteVerify"), &QAction::triggered, &window_,
            &MainWindow::onWriteAndVerifyClicked);
    connect(addAction(radio, TextId::ActionPort, "ActionPort"), &QAction::triggered, &window_,
            &MainWindow::onPortClicked);
    connect(addAction(radio, TextId::ActionBackups, "ActionBackups"), &QAction::triggered, this, [] {
        const QString folder = ReadBackupFolder();
        if (!folder.isEmpty())
            QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    });

    QMenu* view = menu(TextId::MenuView, "MenuView");
    QMenu* language = view->addMenu(QString());
    language->setObjectName(QStringLiteral("MenuLanguage"));
    menus_.emplace_back(language, TextId::MenuLanguage);
    englishAction_ = language->addAction(QStringLiteral("English"));
    englishAction_->setObjectName(QStringLiteral("ActionEnglish"));
    chineseAction_ = language->addAction(QStringLiteral("中文"));
    chineseAction_->setObjectName(QStringLiteral("ActionChinese"));
    for (QAction* choice : {englishAction_, chineseAction_}) {
        choice->setCheckable(true);
        connect(choice, &QAction::triggered, this, [this, choice] {
            const Language wanted = choice == englishAction_ ? Language::English : Language::Chinese;
            if (wanted != state_.language)
                window_.onLanguageClicked(); // the same switch as the language button
            applyLanguage();
        });
    }

    QMenu* help = menu(TextId::MenuHelp, "MenuHelp");
    connect(addAction(help, TextId::ActionGuide, "ActionGuide"), &QAction::triggered, this, [this] {
        QMessageBox::information(&window_, withoutMnemonic(q(Text(TextId::ActionGuide, state_.language))),
                                 q(Text(TextId::GuideText, state_.language)));
    });
    connect(addAction(help, TextId::ActionAbout, "ActionAbout"), &QAction::triggered, this, [this] {
        QMessageBox::about(&window_, withoutMnemonic(q(Text(TextId::ActionAbout, state_.language))),
                           q(Text(TextId::AboutText, state_.language))
                               .arg(q(ProgramVersion()), QString::fromLatin1(qVersion())));
    });

    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"ActionOpen", QKeySequence::Open},
        {"ActionSave", QKeySequence::Save},
        {"ActionSaveAs", QKeySequence::SaveAs},
        {"ActionPrint", QKeySequence::Print},
        {"ActionQuit", QKeySequence::Quit},
        {"ActionUndo", QKeySequence::Undo},
        {"ActionRedo", QKeySequence::Redo},
        {"ActionCut", QKeySequence::Cut},
        {"ActionCopy", QKeySequence::Copy},
        {"ActionPaste", QKeySequence::Paste},
        {"ActionClearChannels", QKeySequence::Delete},
        {"ActionMoveUp", QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {"ActionMoveDown", QKeySequence(Qt::CTRL | Qt::Key_Down)},
        {"ActionSelectAll", QKeySequence::SelectAll},
        {"ActionGuide", QKeySequence::HelpContents},
    };
    // Some platforms bind no keys to Save As and Quit; the usual ones stand in.
    const std::pair<const char*, QKeySequence> fallbacks[] = {
        {"ActionSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"ActionQuit", QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    for (auto& [action, text] : actions_) {
        for (const auto& [name, keys] : shortcuts)
            if (action->objectName() == QLatin1String(name))
                action->setShortcut(keys);
        for (const auto& [name, keys] : fallbacks)
            if (action->objectName() == QLatin1String(name) && action->shortcut().isEmpty())
                action->setShortcut(keys);
    }
    applyLanguage();
}

QAction* WindowActions::addAction(QMenu* menu, TextId text, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    // The window's actions work wherever the focus is in it; a line edit keeps its own editing keys.
    window_.addAction(action);
    actions_.emplace_back(action, text);
    return action;
}

void WindowActions::applyLanguage() {
    const Language lang = state_.language;
    for (auto& [menu, text] : menus_)
        menu->setTitle(q(Text(text, lang)));
    for (auto& [action, text] : actions_)
        action->setText(q(Text(text, lang)));
    // "Undo Edit frequency of channel 3": the step's name after the entry.
    const QUndoStack* stack = history_.stack();
    if (stack->canUndo())
        undoAction_->setText(q(Text(TextId::ActionUndo, lang)) + QLatin1Char(' ') + stack->undoText());
    if (stack->canRedo())
        redoAction_->setText(q(Text(TextId::ActionRedo, lang)) + QLatin1Char(' ') + stack->redoText());
    englishAction_->setChecked(lang == Language::English);
    chineseAction_->setChecked(lang == Language::Chinese);
}

void WindowActions::fillRecentMenu(QMenu* menu) {
    menu->clear();
    int number = 1;
    for (const std::string& path : window_.recentFiles()) {
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(q(path)));
        connect(entry, &QAction::triggered, this, [this, path] { window_.openRecentFile(path); });
    }
}

bool WindowActions::rowsHaveTheKeys() const {
    // Delete or Ctrl+Up in an option list must not reach the channel rows: the grid must hold the
    // focus, and an editor open over it keeps the keys for its text.
    return !grid_.isEditing() && QApplication::focusWidget() == &grid_;
}

void WindowActions::undo() {
    window_.commitOpenEdit();
    history_.stack()->undo();
}

void WindowActions::redo() {
    window_.commitOpenEdit();
    history_.stack()->redo();
}

void WindowActions::showRowChange(bool changed, const std::vector<int>& selection) {
    if (changed)
        window_.showImage();
    grid_.selectChannels(selection);
}

void WindowActions::copyRows() {
    if (!rowsHaveTheKeys())
        return;
    const std::vector<int> channels = grid_.selectedChannels();
    if (channels.empty())
        return;
    auto* data = new QMimeData;
    data->setText(q(ChannelRowsAsTabText(state_, channels)));
    data->setData(kCsvType, QByteArray::fromStdString(ChannelRowsAsCsv(state_, channels)));
    QApplication::clipboard()->setMimeData(data);
}

void WindowActions::cutRows() {
    if (!rowsHaveTheKeys())
        return;
    copyRows();
    clearRowsAs(TextId::StepCut);
}

void WindowActions::pasteRows() {
    if (!rowsHaveTheKeys())
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    // The CSV form keeps cells that hold separators intact; plain text is what spreadsheets give.
    const std::string text =
        data->hasFormat(kCsvType) ? data->data(kCsvType).toStdString() : data->text().toStdString();
    PasteResult result;
    const bool changed = history_.record(window_.stepName(TextId::StepPaste, {}), [&] {
        result = PasteChannelRows(state_, grid_.selectedChannels(), text);
    });
    if (result.failure) {
        window_.showStatus(q(Text(TextId::StatusNothingPasted, state_.language)));
        return;
    }
    showRowChange(changed, result.change.selection);
    QStringList status;
    if (!result.notes.empty()) {
        status << q(Text(TextId::StatusPasteReplaced, state_.language)).arg(result.notes.size());
        for (const PasteNote& note : result.notes)
            status << q(DescribePasteNote(note));
    }
    if (result.rowsLeftOut > 0)
        status << q(Text(TextId::StatusRowsLeftOut, state_.language)).arg(result.rowsLeftOut);
    window_.showStatus(status.join(QStringLiteral("; ")));
}

void WindowActions::clearRows() {
    if (rowsHaveTheKeys())
        clearRowsAs(TextId::StepClear);
}

void WindowActions::clearRowsAs(TextId stepName) {
    RowChange change;
    const bool changed = history_.record(window_.stepName(stepName, {}),
                                         [&] { change = ClearChannels(state_, grid_.selectedChannels()); });
    showRowChange(changed, change.selection);
}

void WindowActions::moveRows(bool up) {
    if (!rowsHaveTheKeys())
        return;
    RowChange change;
    const std::vector<int> selected = grid_.selectedChannels();
    const bool changed =
        history_.record(window_.stepName(up ? TextId::StepMoveUp : TextId::StepMoveDown, {}), [&] {
            change = MoveChannels(state_, selected, up ? RowDirection::Up : RowDirection::Down);
        });
    showRowChange(changed, change.selection.empty() ? selected : change.selection);
}

void WindowActions::sortRows() {
    if (!rowsHaveTheKeys())
        return;
    RowChange change;
    const bool changed = history_.record(window_.stepName(TextId::StepSort, {}), [&] {
        change = SortChannelsByFrequency(state_, grid_.selectedChannels());
    });
    showRowChange(changed, change.selection);
}

void WindowActions::selectAllRows() {
    if (!rowsHaveTheKeys())
        return;
    std::vector<int> all;
    for (int channel = 1; channel <= layout::kChannelCount; ++channel)
        all.push_back(channel);
    grid_.selectChannels(all);
}

} // namespace vorix
