#include "FrameLog.h"

#include <charconv>
#include <sstream>

namespace vorix::sim {

namespace {

// "%10.3f" without the C locale, which could turn the point into a comma.
std::string millisecondsColumn(double milliseconds) {
    constexpr std::size_t kWidth = 10;
    char digits[32];
    const auto [end, error] =
        std::to_chars(digits, digits + sizeof digits, milliseconds, std::chars_format::fixed, 3);
    std::string text = error == std::errc{} ? std::string(digits, end) : std::string("?");
    if (text.size() < kWidth)
        text.insert(0, kWidth - text.size(), ' ');
    return text;
}

} // namespace

std::string DescribeFrame(const FrameRecord& record) {
    std::ostringstream text;
    if (record.kind == FrameKind::Garbage) {
        text << "<- ignored " << HexBytes(record.received);
        return text.str();
    }
    text << "<- #" << std::to_string(record.number) << ' ' << FrameKindName(record.kind) << ' '
         << HexBytes(record.received);
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
        std::fprintf(out_, "%s ms  %s\n", millisecondsColumn(milliseconds).c_str(), line.c_str());
    std::fflush(out_);
}

void FrameLog::frame(const FrameRecord& record) { note(DescribeFrame(record)); }

} // namespace vorix::sim
