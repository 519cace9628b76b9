#include <gtest/gtest.h>

#include <sys/stat.h>

#include "cli/PosixFiles.h"
#include "platform/PosixFileSystem.h"
#include "support/TempFolder.h"

namespace vorix::cli {
namespace {

FileContent bytesOf(const std::string& text) {
    return FileContent(text.begin(), text.end());
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(PosixFiles, ReadsUpToTheCapAndNamesWhyNot) {
    vorix::test::TempFolder folder;
    const std::string big(10000, 'x');
    folder.put("big.bin", big);
    PosixFiles files(MachineFileSystem());
    const InputRead whole = files.read(folder.file("big.bin"), 10000);
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(whole.value().bytes, bytesOf(big));
    EXPECT_FALSE(whole.value().longer);
    const InputRead capped = files.read(folder.file("big.bin"), 9999);
    ASSERT_TRUE(capped.ok());
    EXPECT_EQ(capped.value().bytes.size(), 9999u);
    EXPECT_TRUE(capped.value().longer);
    const InputRead missing = files.read(folder.file("missing.rdat"), 128);
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.error(), "No such file or directory");
    const InputRead folderRead = files.read(folder.file(""), 128);
    EXPECT_FALSE(folderRead.ok());
    EXPECT_EQ(folderRead.error(), "it is a directory, not a regular file");
}

TEST(PosixFiles, ReplacingLeavesNoTailAndNoTemporaryFile) {
    vorix::test::TempFolder folder;
    PosixFiles files(MachineFileSystem());
    EXPECT_TRUE(files.write(folder.file("out.rdat"), bytesOf("first")).ok());
    EXPECT_EQ(folder.content("out.rdat"), "first");
    EXPECT_TRUE(files.write(folder.file("out.rdat"), bytesOf("second, longer")).ok());
    EXPECT_EQ(folder.content("out.rdat"), "second, longer");
    EXPECT_TRUE(files.write(folder.file("out.rdat"), bytesOf("3")).ok());
    EXPECT_EQ(folder.content("out.rdat"), "3") << "a shorter content leaves no tail of the old file";
    EXPECT_EQ(folder.names(), std::vector<std::string>{"out.rdat"});
}

TEST(PosixFiles, ANewFileIsNotLeftPrivateToItsOwner) {
    vorix::test::TempFolder folder;
    PosixFiles files(MachineFileSystem());
    const mode_t mask = ::umask(022);
    EXPECT_TRUE(files.write(folder.file("fresh.rdat"), bytesOf("x")).ok());
    ::umask(mask);
    EXPECT_EQ(modeOf(folder.file("fresh.rdat")), 0644u);
}

// The temporary file has a short name of its own, so the longest name a folder allows can be written.
TEST(PosixFiles, TheLongestNameCanBeWritten) {
    vorix::test::TempFolder folder;
    PosixFiles files(MachineFileSystem());
    for (std::size_t length : {248u, 255u}) {
        const std::string name = std::string(length - 5, 'n') + ".rdat";
        const OutputResult written = files.write(folder.file(name), bytesOf("x"));
        EXPECT_TRUE(written.ok()) << length << ": " << written.error().reason;
        EXPECT_EQ(folder.content(name), "x");
    }
}

TEST(PosixFiles, SameFileComparesFilesNotNames) {
    vorix::test::TempFolder folder;
    folder.put("club.rdat", "x");
    std::filesystem::create_symlink("club.rdat", folder.file("link.rdat"));
    std::filesystem::create_hard_link(folder.file("club.rdat"), folder.file("second-name.rdat"));
    folder.put("other.rdat", "x");
    PosixFiles files(MachineFileSystem());
    EXPECT_TRUE(files.sameFile(folder.file("club.rdat"), folder.file("link.rdat")));
    EXPECT_TRUE(files.sameFile(folder.file("club.rdat"), folder.file("second-name.rdat")));
    EXPECT_TRUE(files.sameFile(folder.file("./club.rdat"), folder.file("club.rdat")));
    EXPECT_FALSE(files.sameFile(folder.file("club.rdat"), folder.file("other.rdat")));
    EXPECT_TRUE(files.sameFile(folder.file("new.rdat"), folder.file("./new.rdat")))
        << "one name not made yet";
    EXPECT_FALSE(files.sameFile(folder.file("new.rdat"), folder.file("newer.rdat")));
}

} // namespace
} // namespace vorix::cli
