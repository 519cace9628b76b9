// Whole runs from the main window's buttons through the real dialogs and a real serial port to the
// simulated radio on a pseudo-terminal, linked into a temporary ports folder as COM97.

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "RadioWindow.h"
#include "ui/PortDialog.h"

using namespace vorix;
using namespace vorix::test;

namespace {

constexpr int kMissingPort = 98; // neither a link nor a default device

} // namespace

class LinkEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void aReadFillsTheImageAndTheTable() {
        Fixture f;
        f.start(sim::DemoMemory());
        const ImageBytes expected = ToImage(sim::DemoMemory());
        QVERIFY(f.state.image.bytes() != expected);
        QCOMPARE(f.tableRows()[0][0], std::string()); // an empty table before

        f.read();
        QCOMPARE(f.state.image.bytes(), expected);
        QCOMPARE(f.tableRows(), f.rowsOf(expected));
        QCOMPARE(f.tableRows()[0][0], std::string("145.50000"));
        QCOMPARE(f.tableRows()[2][1], std::string("D023N"));
        QCOMPARE(f.outcome.closes, 1);
        QCOMPARE(f.outcome.caption, QStringLiteral("Read data from radio"));
        QCOMPARE(f.outcome.result, QStringLiteral("Read Data OK"));
        QVERIFY(f.outcome.resultShown);
        QVERIFY(!f.state.readMode);
        QVERIFY(f.prompts.shown.empty());
        // Handshake, eight read requests, and the end byte that reached the radio.
        QCOMPARE(f.radio->count(sim::FrameKind::Handshake), 1);
        QCOMPARE(f.radio->count(sim::FrameKind::ReadRequest), 8);
        QTRY_COMPARE_WITH_TIMEOUT(f.radio->count(sim::FrameKind::End), 1, 2000);
        QVERIFY(!f.radio->radio().programming());
        // What the radio held is also kept as a dated backup.
        const QStringList backups = f.backupFiles();
        QCOMPARE(backups.size(), 1);
        QVERIFY(backups[0].startsWith(QStringLiteral("read-")));
        QFile backup(QDir(f.backups.path()).filePath(backups[0]));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), QByteArray(reinterpret_cast<const char*>(expected.data()), 128));
        QCOMPARE(f.status(), QStringLiteral("Read OK \u2014 backup saved to ") +
                                 QDir(f.backups.path()).filePath(backups[0]));
        QVERIFY(!f.window->modified());
    }

    void aWriteLeavesTheRadioHoldingTheImageWithTheWriteMark() {
        Fixture f;
        f.start(sim::Memory{});
        f.state.image.replaceAll(ToImage(sim::DemoMemory()));
        f.window->showImage();

        f.write();
        QTRY_VERIFY_WITH_TIMEOUT(f.endByteSent(), 2000);
        const sim::Memory& held = f.radio->radio().memory();
        QCOMPARE(held[127], std::uint8_t(0x51));
        QCOMPARE(ToImage(held), f.state.image.bytes());
        QCOMPARE(f.outcome.caption, QStringLiteral("Write data into radio"));
        QCOMPARE(f.outcome.result, QStringLiteral("Write Data OK"));
        QVERIFY(f.prompts.shown.empty());
        QCOMPARE(f.status(), QStringLiteral("Written to COM%1").arg(f.state.portNumber));
        // Sixteen blocks of 8 bytes: 4 header bytes and 8 data bytes each.
        QCOMPARE(f.radio->frameLengths(sim::FrameKind::WriteBlock), std::vector<std::size_t>(16, 12));
    }

    void aDroppedWriteAnswerRestartsSilentlyWithLongBlocks() {
        Fixture f;
        sim::Faults faults;
        faults.dropAnswer = {2}; // the first write block goes unanswered
        f.start(sim::Memory{}, faults);
        f.state.image.replaceAll(ToImage(sim::DemoMemory()));

        f.write(); // one answer time-out of a second, then the silent restart
        QTRY_VERIFY_WITH_TIMEOUT(f.endByteSent(), 2000);
        QVERIFY(f.prompts.shown.empty());
        QCOMPARE(f.outcome.result, QStringLiteral("Write Data OK"));
        QCOMPARE(f.radio->count(sim::FrameKind::Handshake), 2);
        std::vector<std::size_t> blocks(1, 12); // the unanswered 8-byte block
        blocks.insert(blocks.end(), 8, 20);     // then the whole image again in 16-byte blocks
        QCOMPARE(f.radio->frameLengths(sim::FrameKind::WriteBlock), blocks);
        QCOMPARE(ToImage(f.radio->radio().memory()), f.state.image.bytes());
        QCOMPARE(f.radio->radio().memory()[127], std::uint8_t(0x51));
    }

    void cancelAtThePromptLeavesTheImageAsItWas() {
        Fixture f;
        sim::Faults faults;
        faults.wrongAnswer = {3}; // the second read request is refused: the prompt comes at once
        f.start(sim::DemoMemory(), faults, true);
        const ImageBytes before = f.state.image.bytes();
        const auto rowsBefore = f.tableRows();

        // Through the real message box, as the user sees it.
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        f.pressMain("CommandRead", [&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                text = box->text();
                title = box->windowTitle();
                icon = box->icon();
                buttons = box->standardButtons();
                QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
                return;
            }
            f.pressStartButton(modal);
        });
        QCOMPARE(text, QStringLiteral("Check connection!Retry or cancel?"));
        QCOMPARE(title, QStringLiteral("Vorix"));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, QMessageBox::Retry | QMessageBox::Cancel);
        QCOMPARE(f.outcome.closes, 1);
        QVERIFY(!f.outcome.resultShown);
        QCOMPARE(f.state.image.bytes(), before);
        QCOMPARE(f.tableRows(), rowsBefore);
        QVERIFY(!f.state.readMode);
        QCOMPARE(f.radio->count(sim::FrameKind::End), 0);
        QVERIFY(!f.endByteSent());
        QVERIFY(f.backupFiles().isEmpty()); // only a finished read is backed up
    }

    void anAnswerForAnotherBlockEndsTheReadWithoutResultOrBackup() {
        Fixture f;
        sim::Faults faults;
        faults.wrongAddress = {3}; // the request for 0x10 is answered with the block at 0x20
        f.start(sim::DemoMemory(), faults);
        f.prompts.answers = {MessageAnswer::Cancel};
        const ImageBytes before = f.state.image.bytes();
        const auto rowsBefore = f.tableRows();
        f.read();
        QCOMPARE(f.prompts.shown.size(), 1u);
        QCOMPARE(f.prompts.shown[0].text, std::string("Check connection!Retry or cancel?"));
        QCOMPARE(f.outcome.closes, 1);
        QVERIFY(!f.outcome.resultShown);
        QVERIFY(f.outcome.result.isEmpty());
        QCOMPARE(f.state.image.bytes(), before);
        QCOMPARE(f.tableRows(), rowsBefore);
        QVERIFY(f.backupFiles().isEmpty());
        QCOMPARE(f.radio->count(sim::FrameKind::ReadRequest), 2);
        QCOMPARE(f.radio->count(sim::FrameKind::End), 0);
    }

    void aPortWithNothingBehindItAsksToReselectAndSendsNothing() {
        Fixture f;
        f.start(sim::DemoMemory());
        f.state.portNumber = kMissingPort;
        const ImageBytes before = f.state.image.bytes();
        f.read();
        QCOMPARE(f.prompts.shown.size(), 1u);
        QCOMPARE(f.prompts.shown[0].text,
                 std::string("Please reselect COM port!\nCOM98 (no device)\nNo such port"));
        QCOMPARE(f.prompts.shown[0].title, std::string("Vorix"));
        QCOMPARE(f.prompts.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(f.prompts.shown[0].buttons, MessageButtons::Ok);
        QCOMPARE(f.outcome.closes, 1);
        QCOMPARE(f.state.image.bytes(), before);
        QVERIFY(f.radio->received().isEmpty());
        QVERIFY(!f.state.readMode);
    }

    void thePortDialogListsTheRadiosPort() {
        Fixture f;
        f.start(sim::DemoMemory());
        QStringList items;
        QString selected, tooltip;
        f.pressMain("CommandCom", [&](QWidget* modal) {
            auto* dialog = qobject_cast<PortDialog*>(modal);
            if (!dialog)
                return;
            auto* list = dialog->findChild<QComboBox*>(QStringLiteral("ComboComPort"));
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            selected = list->currentText();
            tooltip = list->currentData(Qt::ToolTipRole).toString();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CommandOk")), Qt::LeftButton);
        });
        // The ports folder's link names its target after the number.
        const QString radioItem =
            QStringLiteral("COM97 \u2014 ") + QFileInfo(f.radio->device()).canonicalFilePath();
        QVERIFY2(items.contains(radioItem), qPrintable(items.join(' ')));
        QVERIFY(items.filter(QStringLiteral("COM98")).isEmpty());
        QCOMPARE(selected, radioItem);
        QCOMPARE(tooltip, QFileInfo(f.radio->device()).canonicalFilePath());
        QCOMPARE(f.state.portNumber, kRadioPort);
        QCOMPARE(f.settings.GetStringValue(kComPortValue), std::string("97"));
        QVERIFY(f.radio->received().isEmpty()); // probing opens and closes, it sends nothing
    }

    void readEditWriteAndReadBack() {
        Fixture f;
        f.start(sim::DemoMemory());
        f.read();
        // Channel 7 is empty in the radio: give it a frequency in the table.
        // The window manager activates the main window again once the dialog has gone; the
        // offscreen platform leaves that to the test.
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        auto* grid = f.window->grid();
        const QRect cell = grid->visualRect(grid->model()->index(7, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(QApplication::focusWidget(), grid->frequencyEditor());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("440.5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(grid->cellText(7, 1), std::string("440.50000"));
        const ImageBytes edited = f.state.image.bytes();

        f.write();
        QTRY_VERIFY_WITH_TIMEOUT(f.endByteSent(), 2000);
        f.state.image.replaceAll(ImageBytes{});
        f.window->showImage();
        f.read();
        ImageBytes expected = edited;
        expected[127] = 0x51;
        QCOMPARE(f.state.image.bytes(), expected);
        QCOMPARE(grid->cellText(7, 1), std::string("440.50000"));
        QCOMPARE(f.outcome.closes, 3);
        // The echo of the previous run's end byte that waited in the line is not taken for an answer.
        QVERIFY(f.prompts.shown.empty());
    }
};

VORIX_TEST_MAIN_WITH_PORTS_FOLDER(LinkEndToEndTest)
#include "LinkEndToEndTest.moc"
