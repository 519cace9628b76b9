#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "cli/TraceLine.h"
#include "cli/TracingSerialPort.h"

namespace vorix::cli {
namespace {

using std::chrono::microseconds;

TEST(TraceLine, TimestampDirectionAndHex) {
    struct Row {
        microseconds elapsed;
        TraceDirection direction;
        link::Bytes bytes;
        const char* expected;
    };
    const std::vector<Row> table{
        {microseconds(0),
         TraceDirection::Sent,
         {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D},
         "0.000000 TX 50 52 4F 47 52 41 4D"},
        {microseconds(1'234), TraceDirection::Received, {0x06}, "0.001234 RX 06"},
        {microseconds(12'003'456), TraceDirection::Sent, {0x45}, "12.003456 TX 45"},
        {microseconds(999'999),
         TraceDirection::Received,
         {0x00, 0xFF, 0x0A, 0xA0},
         "0.999999 RX 00 FF 0A A0"},
        {microseconds(3'600'000'001),
         TraceDirection::Sent,
         {0x52, 0x00, 0x70, 0x10},
         "3600.000001 TX 52 00 70 10"},
        {microseconds(-5), TraceDirection::Received, {0x57}, "0.000000 RX 57"},
        {microseconds(7), TraceDirection::Sent, {}, "0.000007 TX "},
    };
    for (const Row& row : table)
        EXPECT_EQ(FormatTraceLine(row.elapsed, row.direction, row.bytes), row.expected) << row.expected;
}

TEST(TraceLine, HexPairsOfEveryByteValue) {
    link::Bytes all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<std::uint8_t>(b));
    const std::string text = HexPairs(all);
    ASSERT_EQ(text.size(), 256u * 3 - 1);
    for (int b = 0; b < 256; ++b) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", b);
        EXPECT_EQ(text.substr(static_cast<std::size_t>(b) * 3, 2), pair);
    }
}

// A port that records what it is asked and hands out queued chunks.
class RecordingPort final : public link::SerialPort {
public:
    bool openResult = true;
    bool opened = false;
    std::vector<std::string> calls;
    std::vector<link::Bytes> chunks; // handed out by takeAll, first first

    bool isOpen() const override { return opened; }
    bool open() override {
        calls.push_back("open");
        opened = openResult;
        return opened;
    }
    void close() override {
        calls.push_back("close");
        opened = false;
    }
    void send(const link::Bytes& bytes) override { calls.push_back("send " + HexPairs(bytes)); }
    link::Bytes takeAll() override {
        calls.push_back("take");
        if (chunks.empty())
            return {};
        link::Bytes next = chunks.front();
        chunks.erase(chunks.begin());
        return next;
    }
    void setReceiveThreshold(int n) override { calls.push_back("threshold " + std::to_string(n)); }
};

TEST(TracingSerialPort, PassesEveryCallOnAndLogsFramesAndChunks) {
    RecordingPort port;
    port.chunks = {{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x06}, {}, {0x57, 0x00}};
    std::ostringstream trace;
    microseconds now(0);
    TracingSerialPort traced(port, trace, [&now] { return now; });

    traced.send({0x45}); // not open yet: nothing reaches the line, nothing is traced
    EXPECT_FALSE(traced.isOpen());
    EXPECT_TRUE(traced.open());
    EXPECT_TRUE(traced.isOpen());
    traced.setReceiveThreshold(8);
    now = microseconds(1'000);
    traced.send({0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D});
    now = microseconds(2'500);
    EXPECT_EQ(traced.takeAll(), (link::Bytes{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x06}));
    EXPECT_EQ(traced.takeAll(), link::Bytes{}); // an empty take leaves no line
    now = microseconds(3'000'000);
    EXPECT_EQ(traced.takeAll(), (link::Bytes{0x57, 0x00}));
    traced.send({}); // an empty send leaves no line
    traced.close();
    traced.send({0x45}); // closed again: not traced

    EXPECT_EQ(port.calls,
              (std::vector<std::string>{"send 45", "open", "threshold 8", "send 50 52 4F 47 52 41 4D", "take",
                                        "take", "take", "send ", "close", "send 45"}));
    EXPECT_EQ(trace.str(), "0.001000 TX 50 52 4F 47 52 41 4D\n"
                           "0.002500 RX 50 52 4F 47 52 41 4D 06\n"
                           "3.000000 RX 57 00\n");
}

TEST(TracingSerialPort, AFailedOpenIsPassedBack) {
    RecordingPort port;
    port.openResult = false;
    std::ostringstream trace;
    TracingSerialPort traced(port, trace, [] { return microseconds(0); });
    EXPECT_FALSE(traced.open());
    EXPECT_FALSE(traced.isOpen());
    EXPECT_EQ(trace.str(), "");
}

} // namespace
} // namespace vorix::cli
