// The window as a desktop editor: undo and redo of every kind of change, Esc in the in-place
// editors, the questions before something would be lost, rows through the clipboard, the language
// menu. Driven through clicks, the focused widget and the real shortcuts.

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "ModalDriver.h"
#include "WindowDriver.h"
#include "support/SampleImages.h"
#include "ui/QtMessageBoxes.h"

using namespace vorix;

using Fixture = test::WindowDriver;

class EditingWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString sampleFile() {
        const QString path = dir_.filePath(QStringLiteral("club.rdat"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            const ImageBytes bytes = test::SampleImage().bytes();
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        }
        return path;
    }
    /// Loads the sample file with Ctrl+O from the grid: the image is then the saved state.
    void openSample(Fixture& f) {
        f.files.paths.push_back(sampleFile().toStdString());
        f.clickCell(16, 0);
        f.keys(QKeySequence::Open);
    }

private slots:
    void undoAfterEachKindOfChangeRestoresTheBytes() {
        struct Case {
            const char* name;
            bool fromFile; // the sample is loaded first; otherwise the start-up image
            std::function<void(Fixture&)> change;
        };
        const Case cases[] = {
            {"frequency", true, [](Fixture& f) { f.edit(5, 1, f.local("146.5"), true); }},
            {"tone", true, [](Fixture& f) { f.edit(2, 2, f.local("88.5"), true); }},
            {"power", true,
             [](Fixture& f) {
                 f.clickCell(1, 4); // High, the last item
                 f.key(Qt::Key_Up);
                 f.enter();
             }},
            {"option list", true,
             [](Fixture& f) {
                 f.click(f.find<QComboBox>("ComboTOT"));
                 f.key(Qt::Key_Down);
                 f.enter();
             }},
            {"check box", true, [](Fixture& f) { f.click(f.find<QCheckBox>("CheckBeep")); }},
            {"load", false, [this](Fixture& f) { openSample(f); }},
            {"read", false,
             [](Fixture& f) {
                 f.duringDialog = [&f] {
                     f.state.image.replaceAll(test::SampleImage().bytes());
                     f.window->onImageRead();
                 };
                 f.click(f.find<QPushButton>("CommandRead"));
             }},
            {"paste", true,
             [](Fixture& f) {
                 QApplication::clipboard()->setText(QStringLiteral("1\t145.5\t\t\t\n"));
                 f.clickCell(6, 0);
                 f.keys(QKeySequence::Paste);
             }},
            {"clear", true,
             [](Fixture& f) {
                 f.clickCell(2, 0);
                 f.keys(QKeySequence::Delete);
             }},
            {"move", true,
             [](Fixture& f) {
                 f.clickCell(2, 0);
                 f.key(Qt::Key_Down, Qt::ControlModifier);
             }},
            {"delete in an option list, then clear", true,
             [](Fixture& f) {
                 f.clickCell(2, 0);
                 f.click(f.find<QComboBox>("ComboSQ"));
                 f.key(Qt::Key_Escape); // the list closes, the focus stays on the box
                 const ImageBytes before = f.state.image.bytes();
                 f.keys(QKeySequence::Delete);
                 QVERIFY(f.state.image.bytes() == before);
                 f.clickCell(2, 0);
                 f.keys(QKeySequence::Delete);
             }},
            {"sort", true,
             [](Fixture& f) {
                 f.clickCell(1, 0);
                 f.find<QAction>("ActionSort")->trigger();
             }},
        };
        for (const Case& c : cases) {
            Fixture f;
            f.start();
            if (c.fromFile)
                openSample(f);
            const ImageBytes before = f.state.image.bytes();
            const QString title = f.window->windowTitle();
            c.change(f);
            const ImageBytes after = f.state.image.bytes();
            QVERIFY2(after != before, c.name);
            f.keys(QKeySequence::Undo);
            QVERIFY2(f.state.image.bytes() == before, c.name);
            f.expectShownMatchesImage();
            // Back at the loaded file nothing is unsaved; before a Load or Read there was no file.
            if (c.fromFile)
                QCOMPARE(f.window->windowTitle(), title);
            else
                QVERIFY2(f.window->modified(), c.name);
            f.keys(QKeySequence::Redo);
            QVERIFY2(f.state.image.bytes() == after, c.name);
            f.expectShownMatchesImage();
        }
    }

    void titleNamesTheFileAndMarksChanges() {
        Fixture f;
        f.start();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Vorix"));
        f.edit(1, 1, f.local("145.5"), true);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Vorix *"));
        f.messages.answers = {MessageAnswer::Discard};
        openSample(f);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Vorix \u2014 club.rdat"));
        f.edit(1, 1, f.local("145.5"), true);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Vorix \u2014 club.rdat *"));
        f.keys(QKeySequence::Save); // to the same file, without a dialog
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Vorix \u2014 club.rdat"));
        QCOMPARE(f.files.requests.size(), size_t(1));
    }

    void escCancelsTheInPlaceEdit() {
        const std::pair<int, QString> cells[] = {
            {1, QStringLiteral("146.5")}, {2, QStringLiteral("88.5")}, {3, {}}, {4, {}}};
        for (const auto& [column, typed] : cells) {
            Fixture f;
            f.start();
            openSample(f);
            const ImageBytes before = f.state.image.bytes();
            const QString shown = f.cell(1, column);
            f.typeInCell(1, column, f.local(typed));
            if (typed.isEmpty())
                f.key(Qt::Key_Down);
            f.key(Qt::Key_Escape);
            QCOMPARE(f.cell(1, column), shown);
            QVERIFY(f.state.image.bytes() == before);
            QVERIFY(!f.grid()->isEditing());
            f.clickCell(16, 0); // leaving afterwards stores nothing either
            QVERIFY(f.state.image.bytes() == before);
        }
    }

    void questionsAppearOnlyWhenSomethingWouldBeLost() {
        struct Case {
            const char* name;
            bool edited;
            bool loaded;
            std::function<void(Fixture&)> action;
            const char* expectedQuestion; // nullptr: no question
        };
        const Case cases[] = {
            {"close, edited", true, true, [](Fixture& f) { f.window->close(); }, "Save changes?"},
            {"close, unchanged", false, true, [](Fixture& f) { f.window->close(); }, nullptr},
            {"read, edited", true, true, [](Fixture& f) { f.click(f.find<QPushButton>("CommandRead")); },
             "Save changes?"},
            {"read, unchanged", false, true, [](Fixture& f) { f.click(f.find<QPushButton>("CommandRead")); },
             nullptr},
            {"load, edited", true, true, [](Fixture& f) { f.click(f.find<QPushButton>("CommandLoad")); },
             "Save changes?"},
            {"load, unchanged", false, true,
             [](Fixture& f) {
                 f.files.paths.push_back("x.rdat");
                 f.click(f.find<QPushButton>("CommandLoad"));
             },
             "Do you want to cover current data?"},
            {"write at start-up", false, false,
             [](Fixture& f) { f.click(f.find<QPushButton>("CommandWrite")); }, "This data was neither"},
            {"write after load", true, true, [](Fixture& f) { f.click(f.find<QPushButton>("CommandWrite")); },
             nullptr},
        };
        for (const Case& c : cases) {
            Fixture f;
            f.start();
            if (c.loaded)
                openSample(f);
            if (c.edited)
                f.edit(5, 1, f.local("146.5"), true);
            const ImageBytes before = f.state.image.bytes();
            f.messages.shown.clear();
            f.messages.answers = {MessageAnswer::Cancel};
            c.action(f);
            if (!c.expectedQuestion) {
                QVERIFY2(f.messages.shown.empty(), c.name);
                continue;
            }
            QVERIFY2(f.messages.shown.size() == 1, c.name);
            QVERIFY2(f.messages.shown[0].text.rfind(c.expectedQuestion, 0) == 0, c.name);
            // Cancel changes nothing: the window stays, the image and the dialogs untouched.
            QVERIFY2(f.window->isVisible(), c.name);
            QVERIFY2(f.state.image.bytes() == before, c.name);
            QCOMPARE(f.dialogsOpened, 0);
        }
    }

    void pasteOfSpreadsheetRows() {
        Fixture f;
        f.start();
        openSample(f);
        auto* data = new QMimeData;
        QStringList header; // a spreadsheet's copy of the table with its header row
        for (int column = 0; column < 5; ++column)
            header << f.cell(0, column);
        data->setText(header.join(QLatin1Char('\t')) +
                      f.local(QStringLiteral("\n7\t145.5\t88.5\t\t\n8\t438.1\t50\t\t\n")));
        QApplication::clipboard()->setMimeData(data);
        f.clickCell(14, 0);
        f.keys(QKeySequence::Paste);
        QCOMPARE(f.cell(14, 1), f.local("145.50000"));
        QCOMPARE(f.cell(14, 2), f.local("88.5"));
        QCOMPARE(f.cell(15, 1), f.local("438.10000"));
        QCOMPARE(f.record(14)[0], 0x00);
        QCOMPARE(f.record(14)[2], 0x55);
        f.expectShownMatchesImage();
        QVERIFY(f.find<QStatusBar>("StatusBar")->currentMessage().contains(QStringLiteral("replaced")));
        // Copy of the rows puts both forms on the clipboard.
        f.keys(QKeySequence::Copy);
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied->text().startsWith(QStringLiteral("14\t")));
        QVERIFY(copied->data(QStringLiteral("text/csv")).startsWith("CH,Frequency,"));
    }

    void recentFilesAreTheUsersOwn() {
        Fixture f;
        f.start();
        openSample(f);
        const QString copy = dir_.filePath(QStringLiteral("copy.rdat"));
        f.files.paths.push_back(copy.toStdString());
        QTest::keySequence(f.focus(), f.find<QAction>("ActionSaveAs")->shortcut());
        const std::vector<std::string> expected = {copy.toStdString(), sampleFile().toStdString()};
        QVERIFY(f.window->recentFiles() == expected);
        QVERIFY(!f.machine.values.count("RecentFiles")); // never machine-wide
        QCOMPARE(QString::fromStdString(f.user.values["LastFolder"].text), dir_.path());
        // A file gone since is dropped with a note, and the image stays.
        QVERIFY(QFile::remove(copy));
        const ImageBytes before = f.state.image.bytes();
        f.window->openRecentFile(copy.toStdString());
        QVERIFY(f.window->recentFiles() == std::vector<std::string>{sampleFile().toStdString()});
        QVERIFY(f.find<QStatusBar>("StatusBar")->currentMessage().contains(copy));
        QVERIFY(f.state.image.bytes() == before);
    }

    void questionBoxesSpeakTheWindowsLanguage() {
        struct Case {
            MessageButtons buttons;
            Language language;
            QStringList captions; // in the box's order
            QString defaultCaption;
            QString press;
            MessageAnswer expected;
        };
        const Case cases[] = {
            {MessageButtons::SaveDiscardCancel,
             Language::Chinese,
             {QStringLiteral("保存(&S)"), QStringLiteral("不保存(&D)"), QStringLiteral("取消(&C)")},
             QStringLiteral("保存(&S)"),
             QStringLiteral("不保存(&D)"),
             MessageAnswer::Discard},
            {MessageButtons::ContinueCancel,
             Language::English,
             {QStringLiteral("C&ontinue"), QStringLiteral("&Cancel")},
             QStringLiteral("&Cancel"),
             QStringLiteral("C&ontinue"),
             MessageAnswer::Continue},
        };
        for (const Case& c : cases) {
            QtMessageBoxes boxes;
            boxes.setLanguage(&c.language);
            QStringList shown;
            QString defaultShown;
            test::ModalDriver driver([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                QVERIFY(box);
                for (QAbstractButton* button : box->buttons())
                    shown << button->text();
                defaultShown = box->defaultButton() ? box->defaultButton()->text() : QString();
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == c.press)
                        button->click();
            });
            const MessageAnswer answer =
                boxes.show("Save changes?", "Vorix", c.buttons, MessageIcon::Warning);
            QVERIFY(answer == c.expected);
            shown.sort();
            QStringList expected = c.captions;
            expected.sort();
            QCOMPARE(shown, expected);
            QCOMPARE(defaultShown, c.defaultCaption);
        }
    }

    // Every menu opens with Alt and its underlined letter from the grid, in both languages, and no
    // letter is also a button's: a shared letter only moves the focus between the two.
    void eachMenuOpensWithItsAltLetter() {
        for (const bool chinese : {false, true}) {
            Fixture f;
            f.start();
            if (chinese)
                f.find<QAction>("ActionChinese")->trigger();
            for (const char* name : {"MenuFile", "MenuEdit", "MenuRadio", "MenuView", "MenuHelp"}) {
                const QString title = f.find<QMenu>(name)->title();
                const QKeySequence mnemonic = QKeySequence::mnemonic(title);
                QVERIFY2(!mnemonic.isEmpty(), qPrintable(title));
                f.clickCell(16, 0);
                QTest::keySequence(f.focus(), mnemonic);
                auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY2(open && open->objectName() == QLatin1String(name), qPrintable(title));
                open->close();
            }
        }
    }
    void languageMenuAndRestartInChinese() {
        Fixture f;
        f.start();
        openSample(f);
        f.find<QAction>("ActionChinese")->trigger();
        QVERIFY(f.state.language == Language::Chinese);
        f.expectShownMatchesImage(); // the table and the lists in the new language
        QCOMPARE(f.find<QAction>("ActionOpen")->text(), QStringLiteral("打开(&O)…"));
        Fixture restarted;
        restarted.machine.values = f.machine.values;
        restarted.user.values = f.user.values;
        restarted.start();
        QVERIFY(restarted.state.language == Language::Chinese);
        QCOMPARE(restarted.window->windowTitle(), QStringLiteral("Vorix"));
    }
};

QTEST_MAIN(EditingWindowTest)
#include "EditingWindowTest.moc"
