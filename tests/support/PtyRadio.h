#pragma once
// The simulated radio's core behind a pseudo-terminal, inside the test process: the tool opens the
// slave device as its serial port, the radio answers on the master as soon as a frame is complete.

#include <unistd.h>

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>
#include <vector>

#include "SimRadio.h"
#include "support/TestPty.h"

namespace vorix::test {

class PtyRadio final : public QObject {
public:
    explicit PtyRadio(const sim::Memory& memory, sim::Faults faults = {})
        : radio_(memory, std::move(faults)) {
        if (!pty_.isValid())
            return;
        notifier_ = std::make_unique<QSocketNotifier>(pty_.masterFd(), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { serve(); });
    }
    // The notifier goes before the pseudo-terminal it watches; the slave stays open until then, so
    // the line outlives the tool closing its port.
    ~PtyRadio() override { notifier_.reset(); }
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    bool isValid() const { return pty_.isValid(); }
    /// The device the tool opens, such as /dev/pts/5.
    const QString& device() const { return pty_.device(); }
    const sim::SimRadio& radio() const { return radio_; }
    /// Every byte the tool has sent, in order.
    const QByteArray& received() const { return received_; }
    /// Every frame taken from the line, with the answer given.
    const std::vector<sim::FrameRecord>& frames() const { return frames_; }

    /// Lengths of the frames of one kind, in order.
    std::vector<std::size_t> frameLengths(sim::FrameKind kind) const {
        std::vector<std::size_t> lengths;
        for (const sim::FrameRecord& frame : frames_)
            if (frame.kind == kind)
                lengths.push_back(frame.received.size());
        return lengths;
    }
    int count(sim::FrameKind kind) const { return static_cast<int>(frameLengths(kind).size()); }
    /// Answers that could not be put on the line.
    int writeFailures() const { return writeFailures_; }

private:
    void serve() {
        std::uint8_t buffer[512];
        ssize_t count = 0;
        const int master = pty_.masterFd();
        while ((count = ::read(master, buffer, sizeof buffer)) > 0) {
            received_.append(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(count));
            const sim::FeedResult result =
                radio_.feed(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(count)));
            frames_.insert(frames_.end(), result.frames.begin(), result.frames.end());
            // The echo and the answer go back at once: the line is never full in these short runs.
            if (!result.line.empty() && ::write(master, result.line.data(), result.line.size()) < 0)
                writeFailures_++;
        }
    }

    sim::SimRadio radio_;
    TestPty pty_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray received_;
    std::vector<sim::FrameRecord> frames_;
    int writeFailures_ = 0;
};

} // namespace vorix::test
