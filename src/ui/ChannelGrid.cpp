#include "ui/ChannelGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QValidator>
#include <algorithm>
#include <vector>

#include "editing/ChannelEditing.h"
#include "editing/ChannelRows.h"
#include "editing/KeyFilter.h"
#include "image/ChannelTexts.h"
#include "image/Tones.h"
#include "texts/InterfaceTexts.h"
#include "ui/QtText.h"
#include "ui/TwipScale.h"

namespace vorix {

namespace {

constexpr int kToneColumn = 2;

std::u32string separator32(const AppState& state) {
    return QString::fromStdString(state.decimalSeparator).toStdU32String();
}

// Whatever reaches the frequency editor without passing the key filter (a paste, an input method's
// commit, a drop) must be a text that typing could have produced; anything else is refused whole and
// the editor keeps its text.
class TypeableFrequency final : public QValidator {
public:
    TypeableFrequency(const AppState& state, QObject* parent) : QValidator(parent), state_(state) {}
    State validate(QString& text, int&) const override {
        return CouldBeTyped(text.toStdU32String(), separator32(state_)) ? Acceptable : Invalid;
    }

private:
    const AppState& state_;
};

// The frequency warning carries the program's file name as its caption, not the application title.
std::string executableName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
}

} // namespace

ChannelGrid::ChannelGrid(AppState& state, MessageBoxes& messages, QWidget* parent)
    : QTableWidget(kRows, kColumns, parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("MSHFlexGridChannel"));
    setAccessibleName(QStringLiteral("Channel table"));
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Whole rows are selected, several with Shift or Ctrl, for the row commands.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setTabKeyNavigation(false);
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem;
            const bool fixed = row == 0 || column == 0;
            item->setTextAlignment(Qt::AlignCenter);
            if (fixed) {
                // A channel number selects its row; the header row is never selected.
                item->setFlags(row > 0 ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsEnabled);
                item->setBackground(palette().button());
                item->setForeground(palette().buttonText());
            }
            setItem(row, column, item);
        }
    for (int channel = 1; channel < kRows; ++channel)
        setCellText(channel, 0, std::to_string(channel));

    frequencyEditor_ = new QLineEdit(viewport());
    frequencyEditor_->setObjectName(QStringLiteral("Text1"));
    frequencyEditor_->setAccessibleName(QStringLiteral("Frequency editor"));
    // The key filter refuses the clipboard shortcuts; the menu would offer them again.
    frequencyEditor_->setContextMenuPolicy(Qt::NoContextMenu);
    frequencyEditor_->setValidator(new TypeableFrequency(state_, frequencyEditor_));
    frequencyEditor_->installEventFilter(this);
    frequencyEditor_->hide();
    const char* comboNames[] = {"Tone editor", "Spacing editor", "Power editor"};
    for (int i = 0; i < 3; ++i) {
        auto* combo = new QComboBox(viewport());
        combo->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        combo->setProperty("controlIndex", i);
        combo->setAccessibleName(QString::fromLatin1(comboNames[i]));
        combo->setEditable(i < 2); // the tone and spacing lists take typed text, power is choice only
        combo->setInsertPolicy(QComboBox::NoInsert);
        // The typed text is the user's value: no completion into a longer item, and no item matched
        // regardless of case when the field is left ("15" must not become 151.4, "none" not None).
        if (combo->isEditable())
            combo->setCompleter(nullptr);
        combo->installEventFilter(this); // the keys go to the combo box, not to its line edit
        combo->hide();
        listEditors_[static_cast<std::size_t>(i)] = combo;
    }
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (row > 0 && column > 0)
            openCellEditor();
    });
    connect(qApp, &QApplication::focusChanged, this, &ChannelGrid::onFocusChanged);
}

ChannelGrid::~ChannelGrid() {
    // The editors are destroyed after this object and may hand the focus on as they go; the
    // application must not call back into a grid that is already half destroyed.
    disconnect(qApp, nullptr, this, nullptr);
}

std::string ChannelGrid::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text().toStdString() : std::string();
}

void ChannelGrid::setCellText(int row, int column, const std::string& text) {
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(q(text));
}

void ChannelGrid::applyLanguage() {
    const Language lang = state_.language;
    const TextId headers[] = {TextId::HeaderChannel, TextId::HeaderFrequency, TextId::HeaderTone,
                              TextId::HeaderSpacing, TextId::HeaderPower};
    for (int column = 0; column < kColumns; ++column)
        setCellText(0, column, std::string(Text(headers[column], lang)));
    for (QComboBox* combo : listEditors_)
        combo->clear();
    const auto spacing = SpacingItems(lang, state_.decimalSeparator);
    const auto power = PowerItems(lang);
    fillCombo(listEditor(1), {spacing.begin(), spacing.end()});
    fillCombo(listEditor(2), {power.begin(), power.end()});
    std::vector<std::string> tones;
    FillToneList(tones, lang, state_.decimalSeparator);
    fillCombo(listEditor(0), tones);
}

void ChannelGrid::showRows(const std::array<ChannelRowTexts, 16>& rows) {
    for (int channel = 1; channel < kRows; ++channel)
        for (int column = 1; column < kColumns; ++column)
            setCellText(channel, column,
                        rows[static_cast<std::size_t>(channel - 1)][static_cast<std::size_t>(column - 1)]);
}

void ChannelGrid::applyGeometry() {
    const TwipScale scale(*this);
    // The twips give the proportions; a column still grows to its longest text in this font, as the
    // Chinese captions and larger fonts need.
    const int widths[] = {500, 1200, 1200, 1400, 1200};
    const QStringList samples[] = {{QStringLiteral("16")},
                                   {QStringLiteral("462.50000")},
                                   {QStringLiteral("D754I")},
                                   {listEditor(1)->itemText(0), listEditor(1)->itemText(1)},
                                   {listEditor(2)->itemText(0), listEditor(2)->itemText(1)}};
    const int padding = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    for (int column = 0; column < kColumns; ++column) {
        int width = scale.x(widths[column]);
        for (const QString& text : samples[column])
            width = std::max(width, fontMetrics().horizontalAdvance(text) + padding);
        setColumnWidth(column, width);
    }
    // The captions wrap inside their columns; the header row takes the height they need in this font.
    int headerHeight = scale.y(500);
    for (int column = 0; column < kColumns; ++column)
        headerHeight = std::max(headerHeight, wrappedTextHeight(0, column));
    setRowHeight(0, headerHeight);
    // Sixteen channel rows in the grid's height, but never shorter than the font needs.
    const int channelRowHeight = std::max(scale.y(4590 - 500) / 16, fontMetrics().height() + 4);
    for (int row = 1; row < kRows; ++row)
        setRowHeight(row, channelRowHeight);
    int width = frameWidth() * 2;
    for (int column = 0; column < kColumns; ++column)
        width += columnWidth(column);
    int height = frameWidth() * 2;
    for (int row = 0; row < kRows; ++row)
        height += rowHeight(row);
    // The whole table fits, so no scroll bar hides a channel.
    setMinimumSize(width, height);
    setMaximumHeight(height);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int ChannelGrid::wrappedTextHeight(int row, int column) const {
    // The item delegate measures the text as it draws it, wrapped to the column's width.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int gridLine = showGrid() ? 1 : 0;
    option.rect = QRect(0, 0, columnWidth(column) - gridLine, 1);
    const QModelIndex index = model()->index(row, column);
    return itemDelegateForIndex(index)->sizeHint(option, index).height() + gridLine;
}

QRect ChannelGrid::cellRect(int row, int column) const {
    return visualRect(model()->index(row, column));
}

QWidget* ChannelGrid::openEditor() const {
    for (QComboBox* combo : listEditors_)
        if (combo->isVisible())
            return combo;
    return frequencyEditor_->isVisible() ? frequencyEditor_ : nullptr;
}

void ChannelGrid::openCellEditor() {
    editColumn_ = currentColumn();
    editRow_ = currentRow();
    if (editRow_ < 1 || editColumn_ < 1)
        return;
    // An empty channel can only receive a frequency.
    if (cellText(editRow_, 1).empty()) {
        editColumn_ = 1;
        setCurrentCell(editRow_, 1);
    }
    scrollTo(model()->index(editRow_, editColumn_));
    const QRect rect = cellRect(editRow_, editColumn_);
    if (editColumn_ == 1) {
        frequencyEditor_->setGeometry(rect);
        frequencyEditor_->setText(q(cellText(editRow_, editColumn_)));
        frequencyEditor_->show();
        frequencyEditor_->setFocus(Qt::MouseFocusReason);
        frequencyEditor_->selectAll();
        return;
    }
    QComboBox* editor = listEditor(editColumn_ - 2);
    editor->setGeometry(rect.x(), rect.y(), rect.width(), editor->sizeHint().height());
    const QString shown = q(cellText(editRow_, editColumn_));
    if (editColumn_ == kToneColumn) {
        editor->setEditText(shown);
    } else {
        int chosen = 0;
        for (int i = 0; i < editor->count(); ++i)
            if (editor->itemText(i) == shown) {
                chosen = i;
                break;
            }
        editor->setCurrentIndex(chosen);
    }
    editor->show();
    editor->setFocus(Qt::MouseFocusReason);
}

void ChannelGrid::commitFrequencyEditor() {
    if (editRow_ == 0 || editColumn_ == 0 || committing_ || !frequencyEditor_->isVisible())
        return;
    committing_ = true;
    const bool toneCellEmpty = cellText(editRow_, kToneColumn).empty();
    FrequencyCommit result;
    recordEdit(TextId::StepEditFrequency, [&] {
        result = CommitFrequencyText(state_, editRow_, frequencyEditor_->text().toStdString(), toneCellEmpty);
    });
    frequencyEditor_->setText(q(result.cellText));
    if (result.row) {
        for (int column = 1; column < kColumns; ++column)
            setCellText(editRow_, column, (*result.row)[static_cast<std::size_t>(column - 1)]);
    }
    setCellText(editRow_, 1, result.cellText);
    frequencyEditor_->hide();
    if (result.warn)
        messages_.show(std::string(Text(TextId::FrequencyOutOfRange, state_.language)), executableName(),
                       MessageButtons::Ok, MessageIcon::Exclamation);
    committing_ = false;
    if (enterPressed_) {
        enterPressed_ = false;
        setCurrentCell(editRow_, kToneColumn);
        setFocus(Qt::OtherFocusReason);
    }
}

int ChannelGrid::comboListIndex(int index) const {
    // A text typed into the field that is not one of the items selects nothing.
    const QComboBox* editor = listEditor(index);
    if (!editor->isEditable())
        return editor->currentIndex();
    return editor->findText(editor->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void ChannelGrid::commitListEditor(int index) {
    QComboBox* editor = listEditor(index);
    if (editRow_ == 0 || editColumn_ == 0 || committing_ || !editor->isVisible())
        return;
    committing_ = true;
    const int listIndex = comboListIndex(index);
    if (listIndex == -1 && editColumn_ != kToneColumn) {
        editor->hide();
        committing_ = false;
        return;
    }
    switch (editColumn_) {
    case 4:
        recordEdit(TextId::StepEditPower, [&] { CommitPowerItem(state_, editRow_, listIndex); });
        break;
    case 3:
        recordEdit(TextId::StepEditSpacing, [&] { CommitSpacingItem(state_, editRow_, listIndex); });
        break;
    case kToneColumn: {
        std::string stored;
        recordEdit(TextId::StepEditTone,
                   [&] { stored = CommitToneText(state_, editRow_, editor->currentText().toStdString()); });
        editor->setEditText(q(stored));
        break;
    }
    default:
        break;
    }
    setCellText(editRow_, editColumn_, editor->currentText().toStdString());
    editor->hide();
    committing_ = false;
}

template <typename Edit> void ChannelGrid::recordEdit(TextId name, Edit&& edit) {
    const std::string stepName = q(Text(name, state_.language)).arg(editRow_).toStdString();
    ImageStep step = RecordImageStep(state_.image, stepName, std::forward<Edit>(edit));
    if (stepSink_)
        stepSink_(std::move(step));
}

std::vector<int> ChannelGrid::selectedChannels() const {
    std::vector<int> channels;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        if (index.row() > 0)
            channels.push_back(index.row());
    if (channels.empty() && currentRow() > 0)
        channels.push_back(currentRow());
    return NormalisedChannels(channels);
}

void ChannelGrid::selectChannels(const std::vector<int>& channels) {
    clearSelection();
    if (channels.empty())
        return;
    setCurrentCell(channels.front(), 0, QItemSelectionModel::NoUpdate);
    for (int channel : channels)
        selectionModel()->select(model()->index(channel, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void ChannelGrid::cancelOpenEdit() {
    QWidget* editor = openEditor();
    if (!editor)
        return;
    // Hidden first, so that the focus leaving it commits nothing.
    editor->hide();
    setCurrentCell(editRow_, editColumn_);
    setFocus(Qt::OtherFocusReason);
}

void ChannelGrid::commitOpenEdit() {
    for (int i = 0; i < 3; ++i)
        if (listEditor(i)->isVisible()) {
            commitListEditor(i);
            return;
        }
    if (frequencyEditor_->isVisible())
        commitFrequencyEditor();
}

void ChannelGrid::onFocusChanged(QWidget* old, QWidget* now) {
    QWidget* editor = openEditor();
    if (!editor || committing_ || !old || !(old == editor || editor->isAncestorOf(old)))
        return;
    // The drop-down of a list editor is a window of its own; moving into it is not leaving the editor.
    if (now && (now == editor || editor->isAncestorOf(now)))
        return;
    if (auto* combo = qobject_cast<QComboBox*>(editor);
        combo && now && combo->view()->window()->isAncestorOf(now))
        return;
    commitOpenEdit();
}

bool ChannelGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QTableWidget::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->key() == Qt::Key_Escape && watched == openEditor()) {
        cancelOpenEdit();
        return true;
    }
    if (watched == frequencyEditor_)
        return frequencyKeyPress(keyEvent);
    const bool enter = keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter;
    if (enter && std::find(listEditors_.begin(), listEditors_.end(), watched) != listEditors_.end()) {
        finishListEditWithEnter();
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

void ChannelGrid::finishListEditWithEnter() {
    // Enter ends the edit as leaving the editor does; it must not reach the grid, which would open
    // the editor again over the old value. The edited cell stays current for the keyboard.
    setCurrentCell(editRow_, editColumn_);
    setFocus(Qt::OtherFocusReason);
    commitOpenEdit(); // when the focus could not move (the window is not active), commit here
}

bool ChannelGrid::frequencyKeyPress(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.isEmpty())
        return false; // arrows, Home, Delete: not characters, so not filtered
    const char32_t key = typed.toUcs4().value(0);
    const char32_t result = FilterKey(frequencyEditor_->text().toStdU32String(),
                                      frequencyEditor_->hasSelectedText(), key, separator32(state_));
    if (result == 0)
        return true;
    if (result == kKeyEnter) {
        enterPressed_ = true;
        commitFrequencyEditor();
        return true;
    }
    return false; // the filter lets a key through unchanged: the editor takes it itself
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    // Keyboard users open the editor of the current cell the way a click does.
    switch (event->key()) {
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (currentRow() > 0 && currentColumn() > 0) {
            openCellEditor();
            return;
        }
        break;
    default:
        break;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace vorix
