#pragma once
// Drives the real main window as a person does: clicks land on whatever widget is under the
// pointer, keys go to the widget that holds the focus, and what the table shows is read back
// together with the bytes stored in the image.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLocale>
#include <QTableWidget>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "support/FakeDialogs.h"
#include "support/FakeSettingsScope.h"
#include "ui/ChannelGrid.h"
#include "ui/MainWindow.h"

namespace vorix::test {

class WindowDriver {
public:
    FakeSettingsScope machine, user;
    SettingsStore fakeSettings{machine, user};
    FakeMessageBoxes messages;
    FakeFileDialogs files;
    AppState state;
    int dialogsOpened = 0;
    std::function<void()> duringDialog; // what the programming dialog does while it is open
    FileSystem* disk = nullptr;         // where the window's files go; null: the machine's own
    std::unique_ptr<MainWindow> window;

    /// Opens the window with the user's number format, as the tool starts; formattedHalf overrides it.
    void start(std::string formattedHalf = {}, SettingsStore* settings = nullptr) {
        if (formattedHalf.empty())
            formattedHalf = QLocale::system().toString(0.5).toStdString();
        MainWindowServices services{
            settings ? *settings : fakeSettings, messages, files, formattedHalf, {}, {}};
        services.userSettings = &user;
        services.disk = disk;
        services.openProgrammingDialog = [this] {
            ++dialogsOpened;
            if (duringDialog)
                duringDialog();
        };
        window = std::make_unique<MainWindow>(state, services);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    ChannelGrid* grid() const { return window->grid(); }
    template <class T> T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    static QWidget* focus() { return QApplication::focusWidget(); }
    /// The text of the first error box shown, empty when there was none.
    std::string critical() const {
        for (const auto& shown : messages.shown)
            if (shown.icon == MessageIcon::Critical)
                return shown.text;
        return {};
    }

    /// A text written with "." as it is typed with the window's decimal separator.
    QString local(QString text) const {
        return text.replace(QLatin1Char('.'), QString::fromStdString(state.decimalSeparator));
    }

    /// Clicks the point of `widget` (its centre by default) on whatever visible widget lies there.
    void click(QWidget* widget, QPoint point = {-1, -1}) {
        if (point == QPoint(-1, -1))
            point = widget->rect().center();
        QWidget* top = widget->window();
        const QPoint inTop = widget->mapTo(top, point);
        QWidget* target = top->childAt(inTop);
        if (!target)
            target = top;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(top, inTop));
    }
    void clickCell(int row, int column) {
        grid()->scrollTo(grid()->model()->index(row, column));
        click(grid()->viewport(), grid()->visualRect(grid()->model()->index(row, column)).center());
    }

    void type(const QString& text) { QTest::keyClicks(focus(), text); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(focus(), key, modifiers); }
    void enter() { key(Qt::Key_Return); }
    /// A standard shortcut (Undo, Copy...) as this platform binds it, pressed on the focused widget.
    void keys(QKeySequence::StandardKey standard) { QTest::keySequence(focus(), QKeySequence(standard)); }
    /// Selects the whole text of the focused field, as Ctrl+A does in a line edit.
    void selectAll() { key(Qt::Key_A, Qt::ControlModifier); }

    /// Clicks the cell and types over its text, then presses `then`; the edit stays open.
    void typeInCell(int row, int column, const QString& text, Qt::Key then = Qt::Key_unknown) {
        clickCell(row, column);
        if (column == 2 || column == 3) // the editable lists open with the cell's text unselected
            selectAll();
        type(text);
        if (then != Qt::Key_unknown)
            key(then);
    }
    /// An edit ended by Enter or by a click on a channel number.
    void edit(int row, int column, const QString& text, bool withEnter) {
        typeInCell(row, column, text);
        finish(withEnter);
    }
    void finish(bool withEnter) {
        if (withEnter)
            enter();
        else
            clickCell(16, 0); // the channel numbers open no editor; the click only takes the focus
    }

    QString cell(int row, int column) const { return QString::fromStdString(grid()->cellText(row, column)); }
    std::vector<int> record(int channel) const {
        std::vector<int> bytes;
        for (int i = 0; i < layout::kRecordSize; ++i)
            bytes.push_back(state.image.read(layout::channelBase(channel) + i));
        return bytes;
    }

    /// Every channel cell and every option control shows what the table view makes of the image.
    void expectShownMatchesImage() const {
        const TableView view = BuildTableView(state);
        for (int row = 1; row <= 16; ++row)
            for (int column = 1; column <= 4; ++column) {
                const std::string shown = grid()->cellText(row, column);
                const std::string& stored =
                    view.rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
                QVERIFY2(shown == stored,
                         qPrintable(QStringLiteral("row %1 column %2 shows '%3', the image holds '%4'")
                                        .arg(row)
                                        .arg(column)
                                        .arg(QString::fromStdString(shown), QString::fromStdString(stored))));
            }
        const OptionSelections& o = view.options;
        const std::pair<const char*, int> lists[] = {{"ComboSQ", o.sqLevelItem},
                                                     {"ComboTOT", o.totItem},
                                                     {"ComboSqDelay", o.sqDelayItem},
                                                     {"ComboOffset_0", o.offsetWideItem},
                                                     {"ComboOffset_1", o.offsetNarrowItem}};
        for (auto [name, item] : lists) {
            const auto* list = find<QComboBox>(name);
            QVERIFY2(list->currentText() == list->itemText(item), name);
        }
        const std::pair<const char*, bool> checks[] = {
            {"CheckSave", o.powerSave}, {"CheckBeep", o.beep}, {"CheckBusyLock", o.busyLock}};
        for (auto [name, checked] : checks)
            QVERIFY2(find<QCheckBox>(name)->isChecked() == checked, name);
    }
};

} // namespace vorix::test
