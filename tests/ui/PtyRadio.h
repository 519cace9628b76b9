#pragma once
// The simulated radio's core behind a pseudo-terminal, inside the test process: the tool opens the
// slave device as its serial port, the radio answers on the master as soon as a frame is complete.

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>
#include <vector>

#include "SimRadio.h"

namespace vorix::test {

class PtyRadio final : public QObject {
public:
    explicit PtyRadio(const sim::Memory& memory, sim::Faults faults = {})
        : radio_(memory, std::move(faults)) {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
            return;
        termios raw{};
        ::tcgetattr(slave_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw); // raw before the tool writes its first byte
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        device_ = QString::fromLocal8Bit(name);
        notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { serve(); });
    }
    ~PtyRadio() override {
        notifier_.reset();
        if (master_ >= 0)
            ::close(master_);
        if (slave_ >= 0)
            ::close(slave_); // held open so the line outlives the tool closing its port
    }
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    bool isValid() const { return !device_.isEmpty(); }
    /// The device the tool opens, such as /dev/pts/5.
    const QString& device() const { return device_; }
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
        while ((count = ::read(master_, buffer, sizeof buffer)) > 0) {
            received_.append(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(count));
            const sim::FeedResult result =
                radio_.feed(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(count)));
            frames_.insert(frames_.end(), result.frames.begin(), result.frames.end());
            // The echo and the answer go back at once: the line is never full in these short runs.
            if (!result.line.empty() && ::write(master_, result.line.data(), result.line.size()) < 0)
                writeFailures_++;
        }
    }

    sim::SimRadio radio_;
    int master_ = -1;
    int slave_ = -1;
    QString device_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray received_;
    std::vector<sim::FrameRecord> frames_;
    int writeFailures_ = 0;
};

} // namespace vorix::test
