#pragma once
// The simulator's log: one line per frame received and per answer sent, in hex, with the time.

#include <cstdio>
#include <string>

#include "ByteSchedule.h"
#include "SimRadio.h"

namespace vorix::sim {

/// The log lines of one frame record, without time stamps: "<- #2 read 52 00 10 10" and
/// "-> 57 00 10 10 ..." or "-> no answer (silent)".
std::string DescribeFrame(const FrameRecord& record);

class FrameLog {
public:
    /// Writes to out, which stays owned by the caller; each line is flushed at once.
    explicit FrameLog(std::FILE* out) : out_(out), start_(Clock::now()) {}
    void note(const std::string& text);
    void frame(const FrameRecord& record);

private:
    std::FILE* out_;
    Clock::time_point start_;
};

} // namespace vorix::sim
