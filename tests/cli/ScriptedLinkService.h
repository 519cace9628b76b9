#pragma once
// The link commands' service on the scripted radio and the fake clock: every transfer is a real
// LinkRun of the link session, run to its end without waiting.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/LinkRun.h"
#include "cli/LinkService.h"
#include "cli/TracingSerialPort.h"
#include "link/ConnectionTest.h"
#include "support/FakeClock.h"
#include "support/FakeTimer.h"
#include "support/ScriptedRadio.h"

namespace vorix::cli::test {

class ScriptedLinkService final : public LinkService {
public:
    vorix::test::FakeClock clock;
    /// The radio behind the port; its frames and faults count across the runs of a command.
    vorix::test::ScriptedRadio& radio() { return *radio_; }
    /// A fresh radio (no frames, no faults) for the next command.
    void replaceRadio() {
        clock.runUntilIdle(); // nothing left on the clock may point at the old radio
        radio_ = std::make_unique<vorix::test::ScriptedRadio>(clock);
    }
    std::string device = "/dev/pts/7";
    std::string openFailure = "No such file or directory"; // the system's reason when radio().openFails
    PortListing listing;
    std::vector<LinkJob> jobs;                      // every transfer asked for, in order
    std::vector<bool> readModes;                    // the direction of each
    std::function<void(std::size_t run)> beforeRun; // run 1, 2, ...: change the radio between runs
    bool probed = false;
    std::vector<int> tests; // the ports of every connection test, in order

    LinkOutcome transfer(AppState& state, const LinkJob& job) override {
        jobs.push_back(job);
        readModes.push_back(state.readMode);
        if (beforeRun)
            beforeRun(jobs.size());
        vorix::test::FakeTimer timer{clock};
        std::optional<TracingSerialPort> traced;
        link::SerialPort* port = radio_.get();
        if (job.trace != nullptr) {
            traced.emplace(*radio_, *job.trace, [this] { return std::chrono::milliseconds(clock.now()); });
            port = &*traced;
        }
        LinkRun run(state, job.retries, job.progress);
        link::LinkSession session(state, *port, timer, run.prompt(), run.display());
        radio_->onEvent = [&session] { session.onReceived(); };
        radio_->onFailed = [&session] { session.onPortFailed(); };
        timer.onTick = [&session] { session.onTimerTick(); };
        run.start(session);
        const bool ended = clock.runUntil([&run] { return run.ended(); });
        radio_->onEvent = nullptr;
        radio_->onFailed = nullptr;
        timer.onTick = nullptr;

        const Result<void, LinkFailure> result = run.result();
        if (result.ok())
            return device;
        LinkFailure failure = result.error();
        failure.device = device;
        if (!ended)
            failure.prompt = "the run did not end";
        if (radio_->openFails)
            failure.detail = openFailure;
        return Failure{failure};
    }

    ConnectionCheck testConnection(int portNumber) override {
        tests.push_back(portNumber);
        vorix::test::FakeTimer timer{clock};
        link::ConnectionTest test(*radio_, timer);
        radio_->onEvent = [&test] { test.onReceived(); };
        radio_->onFailed = [&test] { test.onPortFailed(); };
        timer.onTick = [&test] { test.onTimerTick(); };
        test.start();
        clock.runUntil([&test] { return test.done(); });
        radio_->onEvent = nullptr;
        radio_->onFailed = nullptr;
        return {test.result(), radio_->openFails ? openFailure : std::string()};
    }

    PortListing probePorts() override {
        probed = true;
        return listing;
    }

private:
    std::unique_ptr<vorix::test::ScriptedRadio> radio_ = std::make_unique<vorix::test::ScriptedRadio>(clock);
};

} // namespace vorix::cli::test
