#include "TransferRun.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <optional>

#include "link/LinkSession.h"
#include "link/LinkTexts.h"
#include "platform/QtLinkRunner.h"
#include "platform/QtTimer.h"

namespace vorix::bench {

namespace {

// Far beyond a healthy run (about 0.2 s), short enough that a broken line fails quickly.
constexpr int kRunLimitMs = 10000;

// The dialog as the benchmark sees it: it notes when the last answer arrived and when the run ended.
class TimingDisplay final : public link::LinkDisplay {
public:
    TimingDisplay(const QElapsedTimer& clock, QEventLoop& loop) : clock_(clock), loop_(loop) {}

    // Called once the port is open, right before the handshake is sent.
    void setCaption(link::LinkCaption) override { handshakeNs = clock_.nsecsElapsed(); }
    void resetProgress() override {}
    // Called once per accepted answer, the last time right before the end byte is sent.
    void setProgress(double) override { lastAnswerNs = clock_.nsecsElapsed(); }
    void showResult(link::LinkResult shown) override { result = shown; }
    void enableControls() override {}
    void focusStartButton(bool) override {}
    void refreshMainWindow() override {}
    void closeDialog() override {
        endNs = clock_.nsecsElapsed();
        loop_.quit();
    }

    qint64 handshakeNs = 0;
    qint64 lastAnswerNs = 0;
    qint64 endNs = 0;
    std::optional<link::LinkResult> result;

private:
    const QElapsedTimer& clock_;
    QEventLoop& loop_;
};

// Any question means the run went wrong; it is cancelled and the text kept.
class FailingPrompt final : public link::Prompt {
public:
    explicit FailingPrompt(const AppState& state) : state_(state) {}
    link::PromptAnswer ask(const link::PromptQuestion& question) override {
        asked = PromptText(question, state_.language);
        return link::PromptAnswer::Cancel;
    }
    std::string asked;

private:
    const AppState& state_;
};

} // namespace

TransferTiming RunTransfer(AppState& state, const QString& devicePath) {
    TransferTiming timing;
    QEventLoop loop;
    QElapsedTimer clock;
    FailingPrompt prompt(state);
    TimingDisplay display(clock, loop);
    QtLinkRunner runner(devicePath, state, prompt, display);
    link::LinkSession& session = runner.session();
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    session.load();

    limit.start(kRunLimitMs);
    clock.start();
    session.StartLink(state.readMode ? link::LinkStart::Read : link::LinkStart::Write);
    if (!session.hasEnded())
        loop.exec();
    session.abandon();

    const link::LinkResult success = state.readMode ? link::LinkResult::ReadOk : link::LinkResult::WriteOk;
    if (!prompt.asked.empty())
        timing.error = QString::fromStdString("prompt: " + prompt.asked);
    else if (display.endNs == 0)
        timing.error = QStringLiteral("no end of run within %1 ms").arg(kRunLimitMs);
    else if (display.result != success)
        timing.error = QString::fromStdString(
            "result: " + (display.result ? std::string(ResultText(*display.result, state.language)) : ""));
    if (!timing.error.isEmpty())
        return timing;
    timing.ok = true;
    timing.totalMs = static_cast<double>(display.endNs) / 1e6;
    timing.handshakeMs = static_cast<double>(display.handshakeNs) / 1e6;
    timing.lastAnswerMs = static_cast<double>(display.lastAnswerNs) / 1e6;
    return timing;
}

double TimeTimerTick(int intervalMs) {
    QEventLoop loop;
    QtTimer timer;
    QElapsedTimer clock;
    qint64 tickNs = 0;
    QObject::connect(&timer, &QtTimer::tick, &loop, [&] {
        tickNs = clock.nsecsElapsed();
        loop.quit();
    });
    timer.setInterval(intervalMs);
    clock.start();
    timer.enable();
    loop.exec();
    return static_cast<double>(tickNs) / 1e6;
}

} // namespace vorix::bench
