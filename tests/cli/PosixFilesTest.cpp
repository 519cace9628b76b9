#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TempFolder.h"
#include "cli/PosixFiles.h"

namespace vorix::cli {
namespace {

FileContent bytesOf(const std::string& text) { return FileContent(text.begin(), text.end()); }

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(PosixFiles, ReadsWholeFilesAndNamesWhyNot) {
    test::TempFolder folder;
    const std::string big(10000, 'x');
    folder.put("big.bin", big);
    PosixFiles files;
    const FileRead read = files.read(folder.file("big.bin"));
    ASSERT_TRUE(read.content.has_value());
    EXPECT_EQ(*read.content, bytesOf(big));
    const FileRead missing = files.read(folder.file("missing.rdat"));
    EXPECT_FALSE(missing.content.has_value());
    EXPECT_EQ(missing.error, "No such file or directory");
    const FileRead folderRead = files.read(folder.file(""));
    EXPECT_FALSE(folderRead.content.has_value());
    EXPECT_EQ(folderRead.error, "Is a directory");
}

TEST(PosixFiles, AtomicWriteReplacesTheFileAndLeavesNoTemporaryFile) {
    test::TempFolder folder;
    PosixFiles files;
    EXPECT_EQ(files.writeAtomically(folder.file("out.rdat"), bytesOf("first")), "");
    EXPECT_EQ(folder.content("out.rdat"), "first");
    EXPECT_EQ(files.writeAtomically(folder.file("out.rdat"), bytesOf("second, longer")), "");
    EXPECT_EQ(folder.content("out.rdat"), "second, longer");
    EXPECT_EQ(files.writeAtomically(folder.file("out.rdat"), bytesOf("3")), "");
    EXPECT_EQ(folder.content("out.rdat"), "3") << "a shorter content leaves no tail of the old file";
    EXPECT_EQ(folder.names(), std::vector<std::string>{"out.rdat"});
}

TEST(PosixFiles, ReplacingKeepsTheTargetsPermissions) {
    test::TempFolder folder;
    const std::string path = folder.put("out.rdat", "old");
    ::chmod(path.c_str(), 0640);
    PosixFiles files;
    EXPECT_EQ(files.writeAtomically(path, bytesOf("new")), "");
    EXPECT_EQ(modeOf(path), 0640u);
    const mode_t mask = ::umask(022);
    EXPECT_EQ(files.writeAtomically(folder.file("fresh.rdat"), bytesOf("x")), "");
    ::umask(mask);
    EXPECT_EQ(modeOf(folder.file("fresh.rdat")), 0644u) << "a new file is not left private to its owner";
}

TEST(PosixFiles, AFailedWriteLeavesNothingBehind) {
    test::TempFolder folder;
    PosixFiles files;
    EXPECT_EQ(files.writeAtomically(folder.file("no/such/folder/out.rdat"), bytesOf("x")),
              "No such file or directory");
    folder.put("target", "");
    std::filesystem::remove(folder.file("target"));
    std::filesystem::create_directory(folder.file("target"));
    EXPECT_NE(files.writeAtomically(folder.file("target"), bytesOf("x")), "") << "a folder cannot be replaced";
    EXPECT_EQ(folder.names(), std::vector<std::string>{"target"});
}

} // namespace
} // namespace vorix::cli
