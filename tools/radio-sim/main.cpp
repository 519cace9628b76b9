// vorix-radio-sim: a simulated radio on a pseudo-terminal, reachable from the programming tool as COMn.

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ByteSchedule.h"
#include "FrameLog.h"
#include "PseudoTerminal.h"
#include "SimImage.h"
#include "SimOptions.h"
#include "SimRadio.h"
#include "editing/Startup.h"
#include "platform/PosixFileSystem.h"

using namespace vorix::sim;
using vorix::Failure;
using vorix::Result;

namespace {

volatile std::sig_atomic_t gStopRequested = 0;

void OnStopSignal(int) {
    gStopRequested = 1;
}

// The stop signals stay blocked except inside ppoll, so one can never slip in between the check
// of the flag and the wait.
// sigaction and sigprocmask fail only for a signal number or mask that is not valid, so their results
// go unchecked.
sigset_t InstallStopSignals() {
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&stopSignals, signal);
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGHUP);
    return waitMask;
}

timespec UntilDeadline(Clock::time_point deadline) {
    const auto left = std::max(Clock::duration::zero(), deadline - Clock::now());
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    return timespec{static_cast<time_t>(nanoseconds / 1000000000),
                    static_cast<long>(nanoseconds % 1000000000)};
}

class Simulator {
public:
    Simulator(const SimOptions& options, const Memory& memory, FrameLog& log, int master)
        : options_(options), radio_(memory, options.faults),
          schedule_(options.pacing ? kByteTime : std::chrono::nanoseconds::zero(),
                    std::chrono::milliseconds(options.latencyTimerMs)),
          log_(log), master_(master) {}

    /// Serves the line until a stop signal; false when the line failed.
    bool run(const sigset_t& waitMask) {
        while (gStopRequested == 0) {
            sendDue();
            const auto deadline = schedule_.nextDeadline();
            timespec timeout{};
            if (deadline)
                timeout = UntilDeadline(*deadline);
            pollfd line{master_, POLLIN, 0};
            const int ready = ::ppoll(&line, 1, deadline ? &timeout : nullptr, &waitMask);
            if (ready < 0 && errno != EINTR) {
                log_.note(std::string("poll: ") + std::strerror(errno));
                return false;
            }
            if (ready > 0 && !receive())
                return false;
        }
        return true;
    }

private:
    void sendDue() {
        const Bytes due = schedule_.takeDue(Clock::now());
        if (due.empty())
            return;
        const ssize_t written = ::write(master_, due.data(), due.size());
        // Only when nobody has read the line for a long time is its buffer full; the radio's
        // bytes are then lost as they would be on a wire.
        if (written < static_cast<ssize_t>(due.size()))
            log_.note("line full: " +
                      std::to_string(due.size() - static_cast<std::size_t>(std::max<ssize_t>(written, 0))) +
                      " bytes dropped");
    }

    bool receive() {
        std::uint8_t buffer[4096];
        const ssize_t count = ::read(master_, buffer, sizeof buffer);
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            return true;
        if (count <= 0) {
            log_.note(std::string("line closed: ") + (count < 0 ? std::strerror(errno) : "end of file"));
            return false;
        }
        const FeedResult result =
            radio_.feed(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(count)));
        for (const FrameRecord& record : result.frames)
            log_.frame(record);
        schedule_.push(result.line, Clock::now());
        sendDue(); // without pacing, answer before waiting again
        if (result.memoryWritten && !options_.savePath.empty() &&
            !SaveMemory(vorix::MachineFileSystem(), options_.savePath, radio_.memory()).ok())
            log_.note("cannot save " + options_.savePath);
        return true;
    }

    const SimOptions& options_;
    SimRadio radio_;
    ByteSchedule schedule_;
    FrameLog& log_;
    int master_;
};

} // namespace

int main(int argc, char** argv) {
    const Result<SimOptions> parsed = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok()) {
        std::fprintf(stderr, "vorix-radio-sim: %s\n\n%s", parsed.error().c_str(), SimUsage().c_str());
        return 2;
    }
    const SimOptions& options = parsed.value();
    if (options.help) {
        std::fputs(SimUsage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("vorix-radio-sim %s\n", vorix::ProgramVersion().c_str());
        return 0;
    }

    Memory memory = DemoMemory();
    if (!options.imagePath.empty()) {
        const auto loaded = LoadMemory(vorix::MachineFileSystem(), options.imagePath);
        if (!loaded.ok()) {
            std::fprintf(stderr, "vorix-radio-sim: %s\n", loaded.error().c_str());
            return 1;
        }
        memory = loaded.value();
    }
    std::FILE* logFile = stderr;
    if (!options.logPath.empty()) {
        logFile = std::fopen(options.logPath.c_str(), "w");
        if (logFile == nullptr) {
            std::fprintf(stderr, "vorix-radio-sim: cannot write %s\n", options.logPath.c_str());
            return 1;
        }
    }
    const std::string portsDir = options.portsDir.empty()
                                     ? DefaultPortsDir(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))
                                     : options.portsDir;
    if (portsDir.empty()) {
        std::fprintf(stderr, "vorix-radio-sim: no HOME; give --ports-dir\n");
        return 1;
    }

    const sigset_t waitMask = InstallStopSignals();
    PseudoTerminal pty;
    if (const Result<void> opened = pty.open(); !opened.ok()) {
        std::fprintf(stderr, "vorix-radio-sim: %s\n", opened.error().c_str());
        return 1;
    }
    PortLink link;
    const Result<int> claimed = link.claim(portsDir, options.com, pty.device());
    if (!claimed.ok()) {
        std::fprintf(stderr, "vorix-radio-sim: %s\n", claimed.error().c_str());
        return 1;
    }
    const int number = claimed.value();
    // Announced only now: the line is raw and linked, so the tool may open it at once.
    std::printf("COM%d -> %s via %s\n", number, pty.device().c_str(), link.path().c_str());
    std::fflush(stdout);

    FrameLog log(logFile);
    log.note("COM" + std::to_string(number) + " on " + pty.device() +
             (options.pacing ? ", paced at 19200 baud" : ", unpaced"));
    Simulator simulator(options, memory, log, pty.master());
    const bool clean = simulator.run(waitMask);
    link.release();
    log.note("stopped");
    if (logFile != stderr)
        std::fclose(logFile);
    return clean ? 0 : 1;
}
