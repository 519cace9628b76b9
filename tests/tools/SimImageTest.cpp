// The simulator's demo memory and its radio data files.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "SimImage.h"
#include "platform/PosixFileSystem.h"
#include "support/FaultyDisk.h"
#include "support/PackedBcd.h"
#include "support/TempFolder.h"

using namespace vorix::sim;
using vorix::MachineFileSystem;
using vorix::test::FaultyDisk;
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

fs::path TemporaryFile(const char* name) {
    return fs::temp_directory_path() / (std::string(name) + std::to_string(::getpid()));
}

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
    const std::pair<int, int> options[] = {{112, 7},  {113, 0},   {114, 0}, {115, 5},
                                           {125, 42}, {126, 100}, {127, 0}};
    for (const auto& [offset, value] : options)
        EXPECT_EQ(memory[static_cast<std::size_t>(offset)], value) << offset;
}

TEST(SimImage, SaveThenLoadRoundTrips) {
    const fs::path file = TemporaryFile("vorix-sim-image-");
    Memory memory{};
    for (int i = 0; i < kMemorySize; ++i)
        memory[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 - i);
    ASSERT_TRUE(SaveMemory(MachineFileSystem(), file.string(), memory).ok());
    EXPECT_EQ(fs::file_size(file), 128u);
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
    const auto loaded = LoadMemory(MachineFileSystem(), file.string());
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(loaded.value(), memory);
    fs::remove(file);
}

// The memory is saved as the programming tool saves a file: when any step fails, or the name is
// taken by a folder, the old file stays whole and nothing else is left in the folder.
TEST(SimImage, AFailedSaveKeepsTheOldFileAndLeavesNothingBehind) {
    const Memory old = DemoMemory();
    const Memory written{};
    const std::pair<FaultyDisk::Step, std::errc> faults[] = {
        {FaultyDisk::Step::CreateTemporary, std::errc::read_only_file_system},
        {FaultyDisk::Step::Write, std::errc::no_space_on_device},
        {FaultyDisk::Step::Sync, std::errc::io_error},
        {FaultyDisk::Step::Rename, std::errc::io_error},
    };
    for (const auto& [step, error] : faults) {
        SCOPED_TRACE(static_cast<int>(step));
        vorix::test::TempFolder folder;
        const std::string path = folder.file("radio.rdat");
        ASSERT_TRUE(SaveMemory(MachineFileSystem(), path, old).ok());
        FaultyDisk disk;
        disk.fail(step, error);
        const auto saved = SaveMemory(disk, path, written);
        ASSERT_FALSE(saved.ok());
        EXPECT_EQ(saved.error(), std::make_error_code(error).message());
        EXPECT_EQ(LoadMemory(MachineFileSystem(), path).value(), old);
        EXPECT_EQ(folder.names(), std::vector<std::string>{"radio.rdat"});
    }
    vorix::test::TempFolder folder;
    fs::create_directory(folder.file("radio.rdat"));
    const auto saved = SaveMemory(MachineFileSystem(), folder.file("radio.rdat"), written);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error(), "it is a directory");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"radio.rdat"});
}

TEST(SimImage, LoadTakesTheFirst128BytesAndRefusesShortFiles) {
    const fs::path file = TemporaryFile("vorix-sim-long-");
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 200; ++i)
            out.put(static_cast<char>(i));
    }
    const auto loaded = LoadMemory(MachineFileSystem(), file.string());
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.value()[127], 127);
    fs::resize_file(file, 100);
    const auto tooShort = LoadMemory(MachineFileSystem(), file.string());
    ASSERT_FALSE(tooShort.ok());
    EXPECT_NE(tooShort.error().find("fewer than 128"), std::string::npos);
    fs::remove(file);
    const auto missing = LoadMemory(MachineFileSystem(), file.string());
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("cannot open"), std::string::npos);
}
