// The link session wired to Qt by its runner: a whole read over a pseudo-terminal from the
// simulated radio, and a port whose far side goes away mid-run.

#include <QtTest>

#include "SimImage.h"
#include "link/LinkFrames.h"
#include "platform/QtLinkRunner.h"
#include "support/FakeClock.h"
#include "support/PtyRadio.h"
#include "support/RecordingLinkDisplay.h"
#include "support/ScriptedPrompt.h"
#include "support/TestPty.h"

using namespace vorix;

namespace {

constexpr int kWaitMs = 5000;

/// One dialog's prompt and display around a runner on device, in read mode.
struct ReadDialog {
    explicit ReadDialog(const QString& device) : runner(device, state, prompt, display) {
        state.readMode = true;
        runner.session().load();
        runner.session().StartLink(link::LinkStart::Read);
    }

    AppState state;
    test::FakeClock clock; // only stamps the prompts
    test::ScriptedPrompt prompt{clock, state};
    test::RecordingLinkDisplay display{state};
    QtLinkRunner runner;
};

} // namespace

class QtLinkRunnerTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheRadioOverASerialLine() {
        const sim::Memory memory = sim::DemoMemory();
        test::PtyRadio radio(memory);
        QVERIFY(radio.isValid());
        ReadDialog dialog(radio.device());
        QTRY_COMPARE_WITH_TIMEOUT(dialog.display.closes, 1, kWaitMs);
        QCOMPARE(dialog.display.results, std::vector<std::string>{"Read Data OK"});
        QVERIFY(dialog.prompt.asked.empty());
        QVERIFY(std::equal(memory.begin(), memory.end(), dialog.state.image.bytes().begin()));
        QVERIFY(dialog.runner.session().hasEnded());
    }

    // A dead port would only run into the time-outs: eleven handshakes a second apart before the
    // user hears of it. Its failure asks at once, and Cancel ends the run.
    void aPortThatFailsMidRunAsksAtOnce() {
        TestPty pty;
        QVERIFY(pty.isValid());
        ReadDialog dialog(pty.device());
        const link::Bytes handshake = link::HandshakeFrame();
        QTRY_COMPARE_WITH_TIMEOUT(pty.received(),
                                  QByteArray(reinterpret_cast<const char*>(handshake.data()),
                                             static_cast<qsizetype>(handshake.size())),
                                  kWaitMs);
        const ImageBytes before = dialog.state.image.bytes();
        pty.closeMaster();
        QTRY_COMPARE_WITH_TIMEOUT(dialog.display.closes, 1, link::LinkSession::kAnswerTimeoutMs);
        QCOMPARE(dialog.prompt.asked.size(), std::size_t(1));
        QCOMPARE(dialog.prompt.asked[0].text, std::string("Check connection!Retry or cancel?"));
        QVERIFY(dialog.display.results.empty());
        QCOMPARE(dialog.runner.serialPort().lastError(), PortError::Lost);
        QVERIFY(dialog.state.image.bytes() == before);
    }
};

QTEST_MAIN(QtLinkRunnerTest)
#include "QtLinkRunnerTest.moc"
