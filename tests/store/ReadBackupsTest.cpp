#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "store/ReadBackups.h"
#include "support/FaultyDisk.h"
#include "support/TempFolder.h"

namespace vorix {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using test::FaultyDisk;

ImageBytes Pattern(int seed) {
    ImageBytes bytes{};
    for (int i = 0; i < kImageSize; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<unsigned char>(i * 7 + seed);
    return bytes;
}

class ReadBackupsTest : public ::testing::Test {
protected:
    test::TempFolder scratch;
    fs::path folder = scratch.file("backups");
    FaultyDisk disk;

    static std::vector<unsigned char> contentOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static std::vector<unsigned char> bytesOf(const ImageBytes& image) {
        return {image.begin(), image.end()};
    }
    std::set<std::string> names() const {
        std::set<std::string> list;
        for (const auto& entry : fs::directory_iterator(folder))
            list.insert(entry.path().filename().string());
        return list;
    }
    static std::string nameFor(system_clock::time_point when) {
        const std::time_t t = system_clock::to_time_t(when);
        return BackupFileName(*std::localtime(&t));
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
}

TEST_F(ReadBackupsTest, SavesTheExact128BytesAndKeepsTwoReadsInOneSecond) {
    const auto now = system_clock::now();
    const auto first = SaveReadBackup(disk, folder, Pattern(1), now);
    const auto second = SaveReadBackup(disk, folder, Pattern(2), now);
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_EQ(second.value().filename().string(), nameFor(now).substr(0, 22) + "-2.rdat");
    EXPECT_EQ(contentOf(first.value()), bytesOf(Pattern(1)));
    EXPECT_EQ(contentOf(second.value()), bytesOf(Pattern(2)));
    EXPECT_EQ(names(),
              (std::set<std::string>{first.value().filename().string(), second.value().filename().string()}))
        << "no temporary file is left behind";
}

// Only names of exactly the tool's own form, on regular files, are ever pruned.
TEST_F(ReadBackupsTest, PrunesOnlyTheToolsOwnBackupsOlderThanAYear) {
    fs::create_directories(folder);
    const auto now = system_clock::now();
    const std::string old = nameFor(now - hours(24 * 400)).substr(0, 22); // read-YYYY-MM-DD_HHMMSS
    const std::string recent = nameFor(now - hours(24 * 300));
    const struct {
        std::string name;
        bool pruned;
    } table[] = {
        {old + ".rdat", true},
        {old + "-2.rdat", true},
        {old + "-99.rdat", true},
        {"read-2020-02-29_235959.rdat", true}, // a leap day
        {recent, false},
        {old + "-1.rdat", false},
        {old + "-02.rdat", false},
        {old + "-100.rdat", false},
        {old + " keep me.rdat", false},
        {old + "(1).rdat", false},
        {old + "-notes.rdat", false},
        {old + " (copy).rdat", false},
        {old + ".rdat.bak", false},
        {old + ".RDAT", false},
        {"read-2020-1-1_1 2 3.rdat", false},
        {"read-2020-01-01_1 2 3.rdat", false},
        {"read-2020-02-30_250000.rdat", false},
        {"read-2020-02-30_120000.rdat", false},
        {"read-2019-02-29_120000.rdat", false},
        {"read-2020-13-01_120000.rdat", false},
        {"read-2020-01-01_126000.rdat", false},
        {"read-2020-01-01_120060.rdat", false},
        {"read-+020-01-01_120000.rdat", false},
        {"read-1969-12-31_235959.rdat", false},
        {"read-20200-01-01_120000.rdat", false},
        {"my-own-file.rdat", false},
    };
    for (const auto& row : table)
        std::ofstream(folder / row.name) << "x";
    // A link with a backup's name, to a file of the user's elsewhere: neither goes.
    const fs::path elsewhere = scratch.file("user.rdat");
    std::ofstream(elsewhere) << "mine";
    fs::create_symlink(elsewhere, folder / "read-2020-01-02_120000.rdat");
    fs::create_directory(folder / "read-2020-01-03_120000.rdat");

    int pruned = 0;
    for (const auto& row : table)
        pruned += row.pruned;
    EXPECT_EQ(PruneReadBackups(folder, now), pruned);
    for (const auto& row : table)
        EXPECT_EQ(fs::exists(folder / row.name), !row.pruned) << row.name;
    EXPECT_TRUE(fs::is_symlink(folder / "read-2020-01-02_120000.rdat"));
    EXPECT_TRUE(fs::exists(elsewhere));
    EXPECT_TRUE(fs::is_directory(folder / "read-2020-01-03_120000.rdat"));
}

TEST_F(ReadBackupsTest, SavingABackupPrunesTheYearOldOnes) {
    fs::create_directories(folder);
    const auto now = system_clock::now();
    const std::string old = nameFor(now - hours(24 * 366));
    const std::string recent = nameFor(now - hours(24 * 364));
    std::ofstream(folder / old) << "x";
    std::ofstream(folder / recent) << "x";
    const auto saved = SaveReadBackup(disk, folder, Pattern(3), now);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(names(), (std::set<std::string>{recent, saved.value().filename().string()}));
}

// The backup writer's every step may fail: then there is no backup, nothing is left behind, and an
// existing backup of the same second keeps its image.
TEST_F(ReadBackupsTest, AFailedStepGivesNoBackupAndLeavesNothingBehind) {
    const auto now = system_clock::now();
    const auto kept = SaveReadBackup(disk, folder, Pattern(4), now);
    ASSERT_TRUE(kept.ok());
    const std::pair<FaultyDisk::Step, std::errc> table[] = {
        {FaultyDisk::Step::CreateTemporary, std::errc::read_only_file_system},
        {FaultyDisk::Step::Write, std::errc::no_space_on_device},
        {FaultyDisk::Step::Sync, std::errc::io_error},
        {FaultyDisk::Step::Close, std::errc::io_error},
        {FaultyDisk::Step::Link, std::errc::io_error},
    };
    for (const auto& [step, error] : table) {
        FaultyDisk failing;
        failing.fail(step, error);
        EXPECT_FALSE(SaveReadBackup(failing, folder, Pattern(5), now).ok()) << static_cast<int>(step);
        EXPECT_EQ(names(), std::set<std::string>{kept.value().filename().string()}) << static_cast<int>(step);
        EXPECT_EQ(contentOf(kept.value()), bytesOf(Pattern(4)));
    }
    FaultyDisk careless;
    careless.loseHalfOfEachWrite();
    EXPECT_FALSE(SaveReadBackup(careless, folder, Pattern(5), now).ok())
        << "a backup that did not reach the disk whole";
    EXPECT_EQ(names(), std::set<std::string>{kept.value().filename().string()});
}

TEST_F(ReadBackupsTest, AFolderThatCannotBeMadeGivesNothingAndNoThrow) {
    const std::string file = scratch.put("file", "x");
    EXPECT_FALSE(SaveReadBackup(disk, fs::path(file) / "backups", ImageBytes{}, system_clock::now()).ok());
}

// Several processes saving in the same second each get a backup of their own image.
TEST_F(ReadBackupsTest, ProcessesSavingAtOnceEachKeepTheirOwnImage) {
    constexpr int kProcesses = 4, kSavesEach = 20;
    const auto now = system_clock::now();
    fs::create_directories(folder);
    int results[2];
    ASSERT_EQ(::pipe(results), 0);
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(results[0]);
            test::FaultyDisk own;
            for (int s = 0; s < kSavesEach; ++s) {
                const int seed = p * kSavesEach + s;
                const auto saved = SaveReadBackup(own, folder, Pattern(seed), now);
                // One line per save: the seed and the name it was given, written at once.
                const std::string line = std::to_string(seed) + " " +
                                         (saved.ok() ? saved.value().filename().string() : "-") + "\n";
                if (::write(results[1], line.data(), line.size()) != static_cast<ssize_t>(line.size()))
                    ::_exit(2);
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    ::close(results[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t n; (n = ::read(results[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(n));
    ::close(results[0]);
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::istringstream lines(report);
    std::set<std::string> given;
    int seed = 0;
    std::string name;
    while (lines >> seed >> name) {
        ASSERT_NE(name, "-") << "save " << seed << " produced nothing";
        EXPECT_TRUE(given.insert(name).second) << name << " returned twice";
        EXPECT_EQ(contentOf(folder / name), bytesOf(Pattern(seed))) << name << " holds another image";
    }
    EXPECT_EQ(given.size(), static_cast<std::size_t>(kProcesses * kSavesEach));
    EXPECT_EQ(names(), given) << "no temporary file is left behind";
}

} // namespace
} // namespace vorix
