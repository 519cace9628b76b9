#include "FrameLog.h"

#include <sstream>

namespace vorix::sim {

std::string DescribeFrame(const FrameRecord& record) {
    std::ostringstream text;
    if (record.kind == FrameKind::Garbage) {
        text << "<- ignored " << HexBytes(record.received);
        return text.str();
    }
    text << "<- #" << record.number << ' ' << FrameKindName(record.kind) << ' ' << HexBytes(record.received);
    // The end byte is never answered; say so only when a fault was meant for it.
    if (record.kind == FrameKind::End && record.fault.empty())
        return text.str();
    text << '\n';
    if (record.answer.empty())
        text << "-> no answer";
    else
        text << "-> " << HexBytes(record.answer);
    if (!record.fault.empty())
        text << " (" << record.fault << ')';
    return text.str();
}

void FrameLog::note(const std::string& text) {
    const double milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        std::fprintf(out_, "%10.3f ms  %s\n", milliseconds, line.c_str());
    std::fflush(out_);
}

void FrameLog::frame(const FrameRecord& record) { note(DescribeFrame(record)); }

} // namespace vorix::sim
