// Radio > Write and verify against the simulated radio: the write, the read-back that starts by
// itself in a second programming dialog, and what the window says about the comparison.

#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QUndoStack>
#include <QtTest>
#include <deque>
#include <set>

#include "RadioWindow.h"
#include "ui/ImageHistory.h"

using namespace vorix;
using namespace vorix::test;

namespace {

// The write's frames: the handshake, sixteen blocks and the end byte; the read-back's handshake follows.
constexpr int kFirstWriteBlock = 2;
constexpr int kReadBackHandshake = 19;

enum class AtReadBack { Wait, PressCancel, PressEscape };

sim::Faults Faults(std::set<int> sim::Faults::*kind, int frame) {
    sim::Faults faults;
    (faults.*kind).insert(frame);
    return faults;
}

sim::Faults SilentAfter(int frame) {
    sim::Faults faults;
    faults.silentAfter = frame;
    return faults;
}

} // namespace

class VerifiedWriteTest : public QObject {
    Q_OBJECT

private slots:
    void writeAndVerifyComparesWhatTheRadioHolds() {
        const struct {
            const char* name;
            Qt::Key entry; // its key in the Radio menu: Write and verify, or Write
            sim::Faults faults;
            AtReadBack atReadBack;
            std::deque<MessageAnswer> linkAnswers;
            QString status;       // %1: the port
            std::set<int> listed; // the channels the differences list names
            bool listShown;       // a differences list opened
            int readRequests;     // 0: the radio was never read
        } cases[] = {
            {"equal",
             Qt::Key_V,
             {},
             AtReadBack::Wait,
             {},
             "Written to COM%1 and verified: the radio holds what was written",
             {},
             false,
             8},
            {"block acknowledged, not stored",
             Qt::Key_V,
             Faults(&sim::Faults::dropWrite, kFirstWriteBlock),
             AtReadBack::Wait,
             {},
             "COM%1 does not hold what was written",
             {1},
             true,
             8},
            {"read-back cancelled",
             Qt::Key_V,
             SilentAfter(kReadBackHandshake - 1),
             AtReadBack::PressCancel,
             {},
             "Written to COM%1; the read-back was cancelled: not verified",
             {},
             false,
             0},
            {"read-back left with Esc",
             Qt::Key_V,
             SilentAfter(kReadBackHandshake - 1),
             AtReadBack::PressEscape,
             {},
             "Written to COM%1; the read-back was cancelled: not verified",
             {},
             false,
             0},
            {"read-back refused",
             Qt::Key_V,
             Faults(&sim::Faults::wrongAnswer, kReadBackHandshake),
             AtReadBack::Wait,
             {MessageAnswer::Cancel},
             "Written to COM%1, but reading it back failed: not verified",
             {},
             false,
             0},
            {"plain write", Qt::Key_W, {}, AtReadBack::Wait, {}, "Written to COM%1", {}, false, 0},
        };
        for (const auto& c : cases) {
            Fixture f;
            f.start(sim::Memory{}, c.faults);
            f.prompts.answers = c.linkAnswers;
            f.state.image.replaceAll(ToImage(sim::DemoMemory()));
            f.window->showImage();
            ImageBytes written = f.state.image.bytes();
            written[127] = 0x51;

            int dialogs = 0;
            QStringList list;
            {
                ModalDriver driver([&](QWidget* modal) {
                    auto* dialog = qobject_cast<ProgrammingDialog*>(modal);
                    if (!dialog)
                        return;
                    if (++dialogs == 1) {
                        f.pressStartButton(dialog);
                        return;
                    }
                    // Read is never pressed here: the read-back runs by itself. It is cancelled once its
                    // handshake has reached the radio.
                    if (c.atReadBack != AtReadBack::Wait)
                        QTRY_COMPARE(f.radio->count(sim::FrameKind::Handshake), 2);
                    if (c.atReadBack == AtReadBack::PressCancel)
                        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CommandCancel")),
                                          Qt::LeftButton);
                    else if (c.atReadBack == AtReadBack::PressEscape)
                        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                });
                // A click on Radio opens its menu; the entry's underlined key chooses it.
                auto* bar = f.window->findChild<QMenuBar*>(QStringLiteral("MenuBar"));
                auto* radio = f.window->findChild<QMenu*>(QStringLiteral("MenuRadio"));
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(radio->menuAction()).center());
                QTRY_VERIFY(QApplication::activePopupWidget() == radio);
                QTest::keyClick(QApplication::activePopupWidget(), c.entry);
                QVERIFY2(!driver.timedOut(), c.name);
            }
            // The differences stay open beside the window until the user closes them.
            if (auto* differences = f.window->findChild<QDialog*>(QStringLiteral("WriteDifferences"))) {
                QVERIFY(differences->isVisible());
                auto* items = differences->findChild<QListWidget*>(QStringLiteral("WriteDifferencesList"));
                QCOMPARE(items->accessibleName(), QStringLiteral("Differences: written, then read back"));
                for (int i = 0; i < items->count(); ++i)
                    list << items->item(i)->text();
                QTest::mouseClick(
                    differences->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close),
                    Qt::LeftButton);
            }
            QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);

            const bool verifies = c.entry == Qt::Key_V;
            // The read-back's handshake follows the write's (silent restarts may add more); a quick
            // read-back may be over before a person could even see its dialog.
            const int handshakes = f.radio->count(sim::FrameKind::Handshake);
            QVERIFY2(verifies ? handshakes >= 2 : handshakes == 1 && dialogs == 1, c.name);
            QVERIFY2(f.status() == c.status.arg(f.state.portNumber), qPrintable(f.status()));
            QVERIFY2(f.radio->count(sim::FrameKind::ReadRequest) == c.readRequests, c.name);
            std::set<int> named;
            static const QRegularExpression channel(QStringLiteral("^\\s*CH (\\d+)"));
            for (const QString& line : list)
                if (const auto match = channel.match(line); match.hasMatch())
                    named.insert(match.captured(1).toInt());
            QVERIFY2(named == c.listed,
                     qPrintable(QString::fromLatin1(c.name) + QStringLiteral(": ") + f.status() +
                                QStringLiteral(": ") + list.join(QLatin1Char('|'))));
            QVERIFY2(!list.isEmpty() == c.listShown, c.name);
            // The window keeps what was meant to be written, unmodified, with no step and no backup.
            QVERIFY2(f.state.image.bytes() == written, c.name);
            QVERIFY2(f.tableRows() == f.rowsOf(written), c.name);
            QVERIFY2(!f.window->modified(), c.name);
            QVERIFY2(f.window->history()->stack()->count() == 0, c.name);
            QVERIFY2(f.backupFiles().isEmpty(), c.name);
        }
    }
};

VORIX_TEST_MAIN_WITH_PORTS_FOLDER(VerifiedWriteTest)
#include "VerifiedWriteTest.moc"
