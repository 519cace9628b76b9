// The simulator's demo memory and its radio data files.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "SimImage.h"
#include "support/PackedBcd.h"

using namespace vorix::sim;
namespace fs = std::filesystem;

namespace {

// The frequency of a record in MHz, or a negative number for an empty channel.
double FrequencyMHz(const Memory& memory, int channel) {
    const int base = 7 * channel;
    long tens = 0;
    for (int i = 3; i >= 0; --i) {
        const std::uint8_t b = memory[static_cast<std::size_t>(base + i)];
        if (!vorix::test::IsBcd(b))
            return -1;
        tens = tens * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return static_cast<double>(tens) / 100000.0;
}

fs::path TemporaryFile(const char* name) { return fs::temp_directory_path() / (std::string(name) + std::to_string(::getpid())); }

} // namespace

TEST(SimImage, DemoChannelsLieInTheBands) {
    const Memory memory = DemoMemory();
    int used = 0;
    for (int channel = 0; channel < 16; ++channel) {
        SCOPED_TRACE(channel);
        const double mhz = FrequencyMHz(memory, channel);
        if (mhz < 0)
            continue;
        ++used;
        EXPECT_TRUE((mhz >= 136 && mhz < 174) || (mhz >= 400 && mhz < 560)) << mhz;
        const std::uint8_t flags = memory[static_cast<std::size_t>(7 * channel + 6)];
        EXPECT_TRUE(flags == 0x30 || flags == 0x10 || flags == 0x20);
    }
    EXPECT_EQ(used, 6);
    EXPECT_DOUBLE_EQ(FrequencyMHz(memory, 0), 145.5);
    EXPECT_DOUBLE_EQ(FrequencyMHz(memory, 2), 462.5625);
    EXPECT_EQ(memory[4], 0x75); // CTCSS 88.5
    EXPECT_EQ(memory[5], 0x03);
}

TEST(SimImage, DemoOptionBytes) {
    const Memory memory = DemoMemory();
    const std::pair<int, int> options[] = {{112, 7}, {113, 0}, {114, 0}, {115, 5}, {125, 42}, {126, 100}, {127, 0}};
    for (const auto& [offset, value] : options)
        EXPECT_EQ(memory[static_cast<std::size_t>(offset)], value) << offset;
}

TEST(SimImage, SaveThenLoadRoundTrips) {
    const fs::path file = TemporaryFile("vorix-sim-image-");
    Memory memory{};
    for (int i = 0; i < kMemorySize; ++i)
        memory[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 - i);
    ASSERT_TRUE(SaveMemory(file.string(), memory));
    EXPECT_EQ(fs::file_size(file), 128u);
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
    std::string error;
    const auto loaded = LoadMemory(file.string(), error);
    ASSERT_TRUE(loaded.has_value()) << error;
    EXPECT_EQ(*loaded, memory);
    fs::remove(file);
}

TEST(SimImage, LoadTakesTheFirst128BytesAndRefusesShortFiles) {
    const fs::path file = TemporaryFile("vorix-sim-long-");
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 200; ++i)
            out.put(static_cast<char>(i));
    }
    std::string error;
    const auto loaded = LoadMemory(file.string(), error);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ((*loaded)[127], 127);
    fs::resize_file(file, 100);
    EXPECT_FALSE(LoadMemory(file.string(), error).has_value());
    EXPECT_NE(error.find("fewer than 128"), std::string::npos);
    fs::remove(file);
    EXPECT_FALSE(LoadMemory(file.string(), error).has_value());
    EXPECT_NE(error.find("cannot open"), std::string::npos);
}
