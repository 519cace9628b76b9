// The main window driven by real mouse clicks and key presses, offscreen.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "WindowDriver.h"
#include "image/ChannelTexts.h"

using namespace vorix;

using Fixture = test::WindowDriver;

namespace {

std::vector<int> bytes(std::initializer_list<int> values) {
    return values;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void startupWithAnEmptyStore() {
        Fixture f;
        f.start();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Vorix"));
        QVERIFY(f.state.language == Language::English);
        QCOMPARE(f.state.portNumber, 1);
        QCOMPARE(f.machine.writes + f.user.writes, 0);
        QCOMPARE(f.find<QLabel>("Label2")->text(), QStringLiteral("1.12"));
        QCOMPARE(f.find<QComboBox>("ComboSQ")->currentText(), QStringLiteral("5"));
        QCOMPARE(f.find<QComboBox>("ComboTOT")->currentText(), QStringLiteral("Off"));
        QCOMPARE(f.find<QComboBox>("ComboSqDelay")->currentText(), QStringLiteral("Off"));
        QCOMPARE(f.find<QComboBox>("ComboOffset_0")->currentText(), QStringLiteral("42"));
        QCOMPARE(f.find<QComboBox>("ComboOffset_1")->currentText(), QStringLiteral("100"));
        for (const char* name : {"CheckBeep", "CheckSave", "CheckBusyLock"})
            QVERIFY(f.find<QCheckBox>(name)->isChecked());
        QVERIFY(!f.find<QPushButton>("CommandLanguage")->isVisible());
        QCOMPARE(QString::fromStdString(f.grid()->cellText(0, 3)), QStringLiteral("Channel Spacing"));
        for (int row = 1; row <= 16; ++row) {
            QCOMPARE(f.grid()->cellText(row, 0), std::to_string(row));
            for (int column = 1; column <= 4; ++column)
                QCOMPARE(f.grid()->cellText(row, column), std::string());
        }
        QCOMPARE(f.state.image.read(112), 7);
        QCOMPARE(f.state.image.read(126), 100);
    }

    void startupReadsThePortAndTheSeparator() {
        Fixture f;
        f.machine.values["ComPort"] = {StoredValue::Type::Text, "3abc", 0};
        f.user.values["Language"] = {StoredValue::Type::Text, "False", 0};
        f.start("0,5");
        QCOMPARE(f.state.portNumber, 3);
        QVERIFY(f.state.language == Language::Chinese); // the stored choice of the language switch
        QCOMPARE(f.state.decimalSeparator, std::string(","));
        QCOMPARE(f.grid()->listEditor(1)->itemText(0),
                 QString::fromStdString(SpacingItems(Language::Chinese, ",")[0]));
    }

    void typingAFrequencyAndEnterCreatesTheChannel() {
        Fixture f;
        f.start();
        f.edit(1, 1, f.local("462.5"), true);
        QCOMPARE(f.cell(1, 1), f.local("462.50000"));
        QCOMPARE(f.cell(1, 2), QStringLiteral("None"));
        QCOMPARE(f.cell(1, 3), QStringLiteral("25K(Wide)"));
        QCOMPARE(f.cell(1, 4), QStringLiteral("High"));
        QCOMPARE(f.record(1), bytes({0x00, 0x00, 0x25, 0x46, 0xFF, 0xFF, 0x30}));
        QCOMPARE(f.grid()->currentRow(), 1);
        QCOMPARE(f.grid()->currentColumn(), 2);
        QCOMPARE(f.focus(), f.grid());
        QVERIFY(!f.grid()->frequencyEditor()->isVisible());
        QVERIFY(f.messages.shown.empty());
    }

    // The click selects the whole old text, so typing replaces even a full nine-character frequency;
    // the key filter drops letters and a second separator.
    void typedFrequencyReplacesTheSelectedOne() {
        struct Row {
            const char* typed;
            const char* cell;
            std::vector<int> frequency;
        };
        const Row rows[] = {
            {"145.5", "145.50000", {0x00, 0x00, 0x55, 0x14}},
            {"14a5..52x", "145.52000", {0x00, 0x20, 0x55, 0x14}},
            {"173.99999", "173.99999", {0x99, 0x99, 0x39, 0x17}},
            {"400", "400.00000", {0x00, 0x00, 0x00, 0x40}},
        };
        for (bool withEnter : {true, false})
            for (const Row& r : rows) {
                Fixture f;
                f.start();
                f.edit(1, 1, f.local("462.50000"), true);
                f.edit(1, 1, f.local(r.typed), withEnter);
                QCOMPARE(f.cell(1, 1), f.local(r.cell));
                std::vector<int> expected = r.frequency;
                expected.insert(expected.end(), {0xFF, 0xFF, 0x30});
                QCOMPARE(f.record(1), expected);
                f.expectShownMatchesImage();
            }
    }

    // A paste (Shift+Insert) or an input method's commit is taken only when typing could have
    // produced the resulting text; otherwise the editor keeps its text.
    void pasteAndInputMethodTextsMustBeTypeable() {
        struct Row {
            bool paste;
            QString text;
            const char* shown;
            std::vector<int> frequency;
        };
        const std::vector<int> kept{0x00, 0x00, 0x25, 0x46};
        const Row rows[] = {
            {true, "146.52", "146.52", {0x00, 0x20, 0x65, 0x14}},
            {true, "1x2e3abcdef", "462.50000", kept},
            {true, "146.5.2", "462.50000", kept},
            {true, "146.520001", "462.50000", kept},
            {false, "146", "146", {0x00, 0x00, 0x60, 0x14}},
            {false, QStringLiteral("\uFF11\uFF14\uFF16"), "462.50000", kept}, // full-width digits
            {false, "146x", "462.50000", kept},
        };
        for (const Row& r : rows) {
            Fixture f;
            f.start();
            f.edit(1, 1, f.local("462.5"), true);
            f.clickCell(1, 1);
            if (r.paste) {
                QApplication::clipboard()->setText(f.local(r.text));
                f.key(Qt::Key_Insert, Qt::ShiftModifier);
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(f.local(r.text));
                QApplication::sendEvent(f.focus(), &commit);
            }
            QCOMPARE(f.grid()->frequencyEditor()->text(), f.local(r.shown));
            f.enter();
            std::vector<int> expected = r.frequency;
            expected.insert(expected.end(), {0xFF, 0xFF, 0x30});
            QCOMPARE(f.record(1), expected);
            f.expectShownMatchesImage();
        }
    }

    void outOfBandFrequencyWarnsOnceWithTheProgramName() {
        Fixture f;
        f.start();
        f.edit(3, 1, "999", true);
        QCOMPARE(f.messages.shown.size(), size_t(1));
        QCOMPARE(f.messages.shown[0].text, std::string("Frequency is out of range!"));
        QCOMPARE(QString::fromStdString(f.messages.shown[0].title),
                 QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        QCOMPARE(f.cell(3, 1), f.local("559.99750"));
        QCOMPARE(f.record(3)[3], 0x55);
    }

    // The tone text reaches the tone rule exactly as typed; a spacing text chooses an item only when
    // it equals one; Enter finishes like a click elsewhere and leaves the same cell current.
    void listEditorsStoreWhatWasTypedOrChosen() {
        struct Row {
            int column;
            const char* typed;
            Qt::Key press;
            const char* cell;
            int low, high, flags;
        };
        const Row rows[] = {
            {2, "15", Qt::Key_unknown, "67.0", 0x9E, 0x02, 0x30},
            {2, "D2", Qt::Key_unknown, "D200N", 0x80, 0x20, 0x30},
            {2, "none", Qt::Key_unknown, "67.0", 0x9E, 0x02, 0x30},
            {2, "69.3", Qt::Key_unknown, "69.3", 0xB5, 0x02, 0x30},
            {2, "71.9", Qt::Key_unknown, "71.9", 0xCF, 0x02, 0x30},
            {3, "1", Qt::Key_unknown, "25K(Wide)", 0xFF, 0xFF, 0x30},
            {3, "12.5k(narrow)", Qt::Key_unknown, "25K(Wide)", 0xFF, 0xFF, 0x30},
            {3, "12.5K(Narrow)", Qt::Key_unknown, "12.5K(Narrow)", 0xFF, 0xFF, 0x20},
            {3, "", Qt::Key_Up, "12.5K(Narrow)", 0xFF, 0xFF, 0x20},
            {4, "", Qt::Key_Up, "Low", 0xFF, 0xFF, 0x10},
        };
        for (bool withEnter : {true, false})
            for (const Row& r : rows) {
                Fixture f;
                f.start();
                f.edit(1, 1, f.local("462.5"), true);
                f.typeInCell(1, r.column, f.local(r.typed), r.press);
                QComboBox* editor = f.grid()->listEditor(r.column - 2);
                QCOMPARE(f.focus(), editor);
                f.finish(withEnter);
                QCOMPARE(f.cell(1, r.column), f.local(r.cell));
                QCOMPARE(f.record(1), bytes({0x00, 0x00, 0x25, 0x46, r.low, r.high, r.flags}));
                QVERIFY(!editor->isVisible());
                if (withEnter) {
                    QCOMPARE(f.grid()->currentRow(), 1);
                    QCOMPARE(f.grid()->currentColumn(), r.column);
                    QCOMPARE(f.focus(), f.grid());
                }
                f.expectShownMatchesImage();
            }
    }

    void typedToneIsCorrectedWhenTheEditorLosesTheFocus() {
        Fixture f;
        f.start();
        f.edit(1, 1, f.local("145.5"), true);
        f.clickCell(1, 2);
        QComboBox* tone = f.grid()->listEditor(0);
        QVERIFY(tone->isVisible());
        f.selectAll();
        f.type("50");
        f.clickCell(5, 3); // leaving the editor commits it; the empty row opens the frequency editor
        QCOMPARE(f.cell(1, 2), f.local("67.0"));
        QCOMPARE(f.record(1)[4], 0x9E);
        QCOMPARE(f.record(1)[5], 0x02);
        QVERIFY(!tone->isVisible());
        QCOMPARE(f.focus(), f.grid()->frequencyEditor());
        QCOMPARE(f.grid()->editColumn(), 1);
        QCOMPARE(f.grid()->editRow(), 5);
    }

    void emptyingAFrequencyDeletesTheChannel() {
        Fixture f;
        f.start();
        f.edit(4, 1, "440", true);
        f.clickCell(4, 1);
        f.key(Qt::Key_Backspace);
        f.enter();
        QCOMPARE(f.record(4), std::vector<int>(7, 0xFF));
        for (int column = 1; column <= 4; ++column)
            QCOMPARE(f.cell(4, column), QString());
    }

    // Save first finishes the open edit, whether the click on Save takes the focus from the editor
    // or the command starts while the editor still holds it.
    void saveStoresAnEditThatIsStillOpen() {
        struct Row {
            int column;
            const char* typed;
            Qt::Key press;
            int byteIndex;
            int value;
            const char* cell;
        };
        const Row rows[] = {
            {1, "145.5", Qt::Key_unknown, 2, 0x55, "145.50000"},
            {4, "", Qt::Key_Up, 6, 0x10, "Low"},
        };
        for (bool clickSave : {true, false})
            for (const Row& r : rows) {
                Fixture f;
                f.start();
                f.edit(1, 1, f.local("462.5"), true);
                f.typeInCell(1, r.column, f.local(r.typed), r.press);
                const QString path = dir_.filePath(QStringLiteral("open-editor-%1.rdat").arg(r.column));
                f.files.paths.push_back(path.toStdString());
                if (clickSave)
                    f.click(f.find<QPushButton>("CommandSave"));
                else
                    f.window->onSaveClicked();
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QByteArray saved = file.readAll();
                QCOMPARE(saved.size(), 128);
                QCOMPARE(static_cast<unsigned char>(saved[r.byteIndex]), r.value);
                QCOMPARE(f.cell(1, r.column), f.local(r.cell));
                QVERIFY(!f.files.requests.at(0).open);
                QCOMPARE(f.files.requests.at(0).title, std::string("另存为"));
                QCOMPARE(f.files.requests.at(0).defaultSuffix, std::string("rdat"));
            }
    }

    void loadAndSaveRoundTrip() {
        Fixture f;
        f.start();
        ImageBytes bytes;
        for (int i = 0; i < 128; ++i)
            bytes[static_cast<size_t>(i)] = static_cast<std::uint8_t>(i * 7 + 3);
        bytes[0] = 0x45;
        bytes[1] = 0x23;
        bytes[2] = 0x21;
        bytes[3] = 0x46; // channel 1 at 462.12345
        const QString longer = dir_.filePath("longer.rdat");
        {
            QFile file(longer);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(reinterpret_cast<const char*>(bytes.data()), 128);
            file.write("trailing bytes are ignored");
        }
        f.files.paths.push_back(longer.toStdString());
        f.messages.answers.push_back(MessageAnswer::Ok);
        f.window->onLoadClicked();
        QCOMPARE(f.messages.shown.at(0).text, std::string("Do you want to cover current data?"));
        QCOMPARE(f.state.image.bytes(), bytes);
        QCOMPARE(f.cell(1, 1), f.local("462.12345"));

        const QString saved = dir_.filePath("saved.rdat");
        f.files.paths.push_back(saved.toStdString());
        f.window->onSaveClicked();
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(reinterpret_cast<const char*>(bytes.data()), 128));
    }

    void loadFailuresLeaveTheImageUntouched() {
        Fixture f;
        f.start();
        f.edit(1, 1, f.local("145.5"), true);
        const ImageBytes before = f.state.image.bytes();
        const QString shortFile = dir_.filePath("short.rdat");
        {
            QFile file(shortFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(100, '\x11'));
        }
        struct Case {
            QString path;
            MessageAnswer confirm;
            const char* expectedStart;
        };
        const Case cases[] = {
            // The table was edited: "Save changes?" takes the place of "cover current data?".
            {shortFile, MessageAnswer::Discard, "The file is not a radio data file"},
            {dir_.filePath("missing.rdat"), MessageAnswer::Discard, "Cannot read the file:"},
            {shortFile, MessageAnswer::Cancel, nullptr},
        };
        for (const Case& c : cases) {
            f.messages.shown.clear();
            f.files.paths.push_back(c.path.toStdString());
            f.messages.answers.push_back(c.confirm);
            f.window->onLoadClicked();
            QCOMPARE(f.state.image.bytes(), before);
            QCOMPARE(f.cell(1, 1), f.local("145.50000"));
            if (c.expectedStart) {
                QCOMPARE(f.messages.shown.size(), size_t(2));
                QVERIFY(f.messages.shown[1].text.rfind(c.expectedStart, 0) == 0);
                QCOMPARE(f.messages.shown[1].icon, MessageIcon::Critical);
            } else {
                QCOMPARE(f.messages.shown.size(), size_t(1));
            }
        }
    }

    void saveFailureIsReportedAndKeepsTheOldFile() {
        Fixture f;
        f.start();
        f.files.paths.push_back(dir_.filePath("no-such-folder/x.rdat").toStdString());
        f.window->onSaveClicked();
        QCOMPARE(f.messages.shown.size(), size_t(1));
        QVERIFY(f.messages.shown[0].text.rfind("The file was not saved:", 0) == 0);

        const QString existing = dir_.filePath("existing.rdat");
        {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(300, '\x22'));
        }
        f.files.paths.push_back(existing.toStdString());
        f.window->onSaveClicked();
        QCOMPARE(QFileInfo(existing).size(), 128); // saving over a longer file leaves exactly 128 bytes
    }

    // A list opened with a click takes its choice from the keys; the view keeps a fallback byte.
    void optionControlsWriteTheirByteOnlyWhenTheUserChooses() {
        Fixture f;
        f.start();
        QComboBox* sq = f.find<QComboBox>("ComboSQ");
        f.click(sq);
        f.key(Qt::Key_Down);
        f.enter();
        QCOMPARE(f.state.image.read(115), 6);
        QCOMPARE(sq->currentText(), QStringLiteral("6"));
        f.click(sq);
        f.key(Qt::Key_Home);
        f.enter();
        QCOMPARE(f.state.image.read(115), 0xF7);
        f.state.image.write(113, 50); // out of range: shown as item 0, byte kept
        f.window->showImage();
        QCOMPARE(f.find<QComboBox>("ComboTOT")->currentIndex(), 0);
        QCOMPARE(f.state.image.read(113), 50);
        f.state.image.write(112, 0x87);
        f.window->showImage();
        f.click(f.find<QCheckBox>("CheckBeep"));
        QCOMPARE(f.state.image.read(112), 0x85);
    }

    // Text typed into an offset box changes nothing, however the typing ends; the box then shows
    // the stored value again, and only an item chosen from the list is written.
    void typingInAnOffsetBoxChangesNothing() {
        struct Row {
            const char* box;
            int byteIndex;
            int stored;
            const char* typed;
        };
        const Row rows[] = {
            {"ComboOffset_0", 125, 42, "77"},
            {"ComboOffset_1", 126, 100, "60"},
            {"ComboOffset_0", 125, 42, "4"},
            {"ComboOffset_1", 126, 100, "abc"},
        };
        enum Ending { Enter, ClickCell, Tab };
        for (Ending ending : {Enter, ClickCell, Tab})
            for (const Row& r : rows) {
                Fixture f;
                f.start();
                auto* box = f.find<QComboBox>(r.box);
                f.click(box);
                QCOMPARE(f.focus(), box);
                f.selectAll();
                f.type(r.typed);
                QCOMPARE(box->currentText(), QString::fromLatin1(r.typed)); // not completed to an item
                if (ending == Enter)
                    f.enter();
                else if (ending == ClickCell)
                    f.clickCell(16, 0);
                else
                    f.key(Qt::Key_Tab);
                QCOMPARE(f.state.image.read(r.byteIndex), r.stored);
                QCOMPARE(box->currentText(), QString::number(r.stored));
                f.click(box);
                f.key(Qt::Key_Down);
                QCOMPARE(f.state.image.read(r.byteIndex), r.stored + 1);
            }
    }

    // The header row grows with the font, so no caption is cut.
    void headerRowFitsItsCaptionsInALargerFont() {
        const QFont normal = QApplication::font();
        struct Restore {
            QFont font;
            ~Restore() { QApplication::setFont(font); }
        } restore{normal};
        QFont large = normal;
        large.setPointSizeF(normal.pointSizeF() * 2);
        QApplication::setFont(large);
        Fixture f;
        f.start();
        QTableWidget* grid = f.grid();
        const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
        for (int column = 0; column < 5; ++column) {
            const QRect cell = grid->visualRect(grid->model()->index(0, column));
            const QRect text = grid->fontMetrics().boundingRect(
                cell.adjusted(margin, 0, -margin, 0), Qt::AlignCenter | Qt::TextWordWrap, f.cell(0, column));
            QVERIFY2(cell.contains(text), qPrintable(QStringLiteral("%1 needs %2x%3 pixels, has %4x%5")
                                                         .arg(f.cell(0, column))
                                                         .arg(text.width())
                                                         .arg(text.height())
                                                         .arg(cell.width())
                                                         .arg(cell.height())));
        }
    }

    void languageSwitchRefillsEachListOnce() {
        Fixture f;
        f.start();
        QPushButton* language = f.find<QPushButton>("CommandLanguage");
        for (int press = 1; press <= 3; ++press) {
            language->click();
            QCOMPARE(f.state.language == Language::English, press % 2 == 0);
            QCOMPARE(f.machine.values["Language"].text, std::string(press % 2 ? "False" : "True"));
            QCOMPARE(f.find<QComboBox>("ComboSQ")->count(), 110);
            QCOMPARE(f.find<QComboBox>("ComboTOT")->count(), 41);
            QCOMPARE(f.find<QComboBox>("ComboSqDelay")->count(), 11);
            QCOMPARE(f.find<QComboBox>("ComboOffset_0")->count(), 236);
            QCOMPARE(f.find<QComboBox>("ComboOffset_1")->count(), 236);
            QCOMPARE(f.grid()->listEditor(0)->count(), 283);
            QCOMPARE(f.grid()->listEditor(1)->count(), 2);
            QCOMPARE(f.grid()->listEditor(2)->count(), 2);
        }
        QCOMPARE(f.find<QPushButton>("CommandRead")->text(), QStringLiteral("读取(&R)"));
        QCOMPARE(f.grid()->cellText(0, 0), std::string("信道"));
        QCOMPARE(f.state.image.read(115), 5); // refilling the lists writes nothing
    }

    void closingWithAnEditorOpenEndsCleanly() {
        for (bool viaCloseButton : {false, true}) {
            Fixture f;
            f.start();
            f.edit(1, 1, f.local("145.5"), true);
            f.clickCell(1, 2); // the tone editor has the focus when the window goes
            QVERIFY(f.grid()->listEditor(0)->hasFocus());
            if (viaCloseButton)
                f.click(f.find<QPushButton>("CommandClose"));
            f.window.reset();
        }
    }

    void writeSetsTheMarkAndReadSetsTheMode() {
        Fixture f;
        f.start();
        f.window->onWriteClicked();
        QCOMPARE(f.state.image.read(127), 0x51);
        QVERIFY(!f.state.readMode);
        f.window->onReadClicked();
        QVERIFY(f.state.readMode);
        QCOMPARE(f.dialogsOpened, 2);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
