#pragma once
// A serial port that writes every frame sent and every chunk received to a trace.

#include <chrono>
#include <functional>
#include <ostream>
#include <utility>

#include "link/LinkInterfaces.h"

namespace vorix::cli {

/// Time since the trace began.
using TraceClock = std::function<std::chrono::microseconds()>;

/// Passes every call on to `port` and writes a FormatTraceLine for each frame that goes out on
/// the open port and each non-empty chunk taken from it. The link cannot tell it from the port.
class TracingSerialPort final : public link::SerialPort {
public:
    TracingSerialPort(link::SerialPort& port, std::ostream& trace, TraceClock clock)
        : port_(port), trace_(trace), clock_(std::move(clock)) {}

    bool isOpen() const override { return port_.isOpen(); }
    bool open() override { return port_.open(); }
    void close() override { port_.close(); }
    void send(const link::Bytes& bytes) override;
    link::Bytes takeAll() override;
    void setReceiveThreshold(int n) override { port_.setReceiveThreshold(n); }

private:
    link::SerialPort& port_;
    std::ostream& trace_;
    TraceClock clock_;
};

} // namespace vorix::cli
