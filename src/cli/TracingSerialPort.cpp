#include "cli/TracingSerialPort.h"

#include "cli/TraceLine.h"

namespace vorix::cli {

void TracingSerialPort::send(const link::Bytes& bytes) {
    // A closed port drops what it is given; the trace shows only what reached the line.
    if (port_.isOpen() && !bytes.empty())
        trace_ << FormatTraceLine(clock_(), TraceDirection::Sent, bytes) << '\n' << std::flush;
    port_.send(bytes);
}

link::Bytes TracingSerialPort::takeAll() {
    link::Bytes bytes = port_.takeAll();
    if (!bytes.empty())
        trace_ << FormatTraceLine(clock_(), TraceDirection::Received, bytes) << '\n' << std::flush;
    return bytes;
}

} // namespace vorix::cli
