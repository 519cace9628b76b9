#include "SimImage.h"

#include <algorithm>

#include "store/OutputFile.h"
#include "store/RadioDataFile.h"

namespace vorix::sim {

namespace {

constexpr int kRecordSize = 7;
constexpr std::uint8_t kEmpty = 0xFF;

// One channel as the radio stores it: frequency in packed BCD of 10 Hz units, least significant
// byte first; the tone word low byte first; the flags (0x10 wide, 0x20 high power).
struct DemoChannel {
    std::array<std::uint8_t, 4> frequency;
    std::array<std::uint8_t, 2> tone;
    std::uint8_t flags;
};

constexpr std::array<DemoChannel, 6> kDemoChannels{{
    {{0x00, 0x00, 0x55, 0x14}, {0x75, 0x03}, 0x30}, // 145.50000 MHz, CTCSS 88.5, wide, high
    {{0x00, 0x20, 0x65, 0x14}, {0xFF, 0xFF}, 0x10}, // 146.52000 MHz, no tone, wide, low
    {{0x50, 0x62, 0x25, 0x46}, {0x13, 0x20}, 0x20}, // 462.56250 MHz, D023N, narrow, high
    {{0x00, 0x00, 0x50, 0x43}, {0x9E, 0x02}, 0x30}, // 435.00000 MHz, CTCSS 67.0
    {{0x00, 0x60, 0x51, 0x15}, {0xEC, 0xA1}, 0x10}, // 155.16000 MHz, D754I
    {{0x25, 0x06, 0x60, 0x44}, {0xE8, 0x03}, 0x20}, // 446.00625 MHz, CTCSS 100.0
}};

// Option bytes: power save, beep and busy lock on; squelch 5; the two squelch calibrations.
constexpr std::array<std::pair<int, std::uint8_t>, 4> kDemoOptions{
    {{112, 7}, {115, 5}, {125, 42}, {126, 100}}};
constexpr int kOptionStart = 112;

} // namespace

Memory DemoMemory() {
    Memory memory{};
    for (int i = 0; i < kOptionStart; ++i)
        memory[static_cast<std::size_t>(i)] = kEmpty;
    std::size_t at = 0;
    for (const DemoChannel& channel : kDemoChannels) {
        std::copy(channel.frequency.begin(), channel.frequency.end(),
                  memory.begin() + static_cast<std::ptrdiff_t>(at));
        memory[at + 4] = channel.tone[0];
        memory[at + 5] = channel.tone[1];
        memory[at + 6] = channel.flags;
        at += kRecordSize;
    }
    for (const auto& [offset, value] : kDemoOptions)
        memory[static_cast<std::size_t>(offset)] = value;
    return memory;
}

static_assert(kMemorySize == kImageSize, "the simulated memory is the radio's image");

Result<Memory> LoadMemory(FileSystem& files, const std::string& path) {
    const LoadedImage loaded = LoadRadioDataFile(files, path);
    if (loaded.ok())
        return loaded.value();
    if (loaded.error().tooShort)
        return Failure{path + " holds fewer than 128 bytes"};
    return Failure{"cannot open " + path};
}

Result<void> SaveMemory(FileSystem& files, const std::string& path, const Memory& memory) {
    const OutputResult written = WriteOutputFile(files, path, memory);
    if (!written.ok())
        return Failure{written.error().reason};
    return {};
}

} // namespace vorix::sim
