#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "store/ReadBackups.h"

namespace vorix {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

class ReadBackupsTest : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("vorix-backups-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::remove_all(folder); }
    void TearDown() override { fs::remove_all(folder); }

    static std::vector<unsigned char> contentOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(ReadBackupsTest, NamesCarryTheDateAndTime) {
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 7, t.tm_hour = 7, t.tm_min = 30, t.tm_sec = 5;
    EXPECT_EQ(BackupFileName(t), "read-2026-12-07_073005.rdat");
    const auto parsed = BackupTimeFromName("read-2026-12-07_073005.rdat");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->tm_year, 126);
    EXPECT_EQ(parsed->tm_mon, 11);
    EXPECT_EQ(parsed->tm_sec, 5);
    for (const char* other : {"notes.txt", "read-2026-12-07.rdat", "read-2026-13-07_073005.rdat",
                              "read-2026-12-07_073005.txt", "my.rdat"})
        EXPECT_FALSE(BackupTimeFromName(other)) << other;
    EXPECT_TRUE(BackupTimeFromName("read-2026-12-07_073005-2.rdat"));
}

TEST_F(ReadBackupsTest, SavesTheExact128BytesAndKeepsTwoReadsInOneSecond) {
    ImageBytes bytes;
    for (int i = 0; i < 128; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<unsigned char>(255 - i);
    const auto now = system_clock::now();
    const auto first = SaveReadBackup(folder, bytes, now);
    const auto second = SaveReadBackup(folder, bytes, now);
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_EQ(contentOf(*first), std::vector<unsigned char>(bytes.begin(), bytes.end()));
    EXPECT_EQ(contentOf(*second).size(), 128u);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 2) << "no temporary file is left behind";
}

TEST_F(ReadBackupsTest, PrunesOnlyBackupsOlderThanAYear) {
    fs::create_directories(folder);
    const auto now = system_clock::now();
    const auto write = [&](const std::string& name) { std::ofstream(folder / name) << "x"; };
    std::tm old{};
    const std::time_t then = system_clock::to_time_t(now - hours(24 * 400));
    old = *std::localtime(&then);
    std::tm recent{};
    const std::time_t lately = system_clock::to_time_t(now - hours(24 * 300));
    recent = *std::localtime(&lately);
    write(BackupFileName(old));
    write(BackupFileName(recent));
    write("my-own-file.rdat");
    EXPECT_EQ(PruneReadBackups(folder, now), 1);
    EXPECT_FALSE(fs::exists(folder / BackupFileName(old)));
    EXPECT_TRUE(fs::exists(folder / BackupFileName(recent)));
    EXPECT_TRUE(fs::exists(folder / "my-own-file.rdat"));
}

TEST_F(ReadBackupsTest, AFolderThatCannotBeMadeGivesNothingAndNoThrow) {
    fs::create_directories(folder);
    std::ofstream(folder / "file") << "x";
    EXPECT_FALSE(SaveReadBackup(folder / "file" / "backups", ImageBytes{}, system_clock::now()));
}

} // namespace
} // namespace vorix
