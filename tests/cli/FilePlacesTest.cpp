// vorix-cli's outputs and inputs on the machine's files, against the same places as the window's
// Save and Load: every output a command writes and every input it reads behaves as the window does.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "FakeFiles.h"
#include "ScriptedLinkService.h"
#include "cli/CliProgram.h"
#include "cli/ExitCodes.h"
#include "cli/FileCommands.h"
#include "cli/LinkCommands.h"
#include "cli/PosixFiles.h"
#include "platform/PosixFileSystem.h"
#include "support/FilePlaces.h"
#include "support/SampleImages.h"
#include "support/SmallTmpfs.h"

namespace vorix::cli {
namespace {

namespace fs = std::filesystem;
using vorix::test::Bytes;

constexpr const char* kEmptyTable = "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n";

struct Outcome {
    int code;
    std::string out, err;
};

// One command on files, with a fresh radio holding the sample image behind every port.
Outcome run(CliFiles& files, const std::vector<std::string>& args) {
    test::ScriptedLinkService service;
    service.radio().memory() = vorix::test::SampleImage().bytes();
    std::ostringstream out, err;
    CliContext context{out, err, files};
    std::vector<Command> commands = FileCommands();
    for (Command& command : LinkCommands(service))
        commands.push_back(std::move(command));
    const int code = RunCli(commands, args, context);
    return {code, out.str(), err.str()};
}

std::string outputProblems(const Outcome& r, const char* result) {
    if (r.code == kExitSuccess)
        return r.out == result && r.err.empty() ? "" : "success with other lines: " + r.out + r.err;
    if (r.code != kExitBadInput)
        return "exit code " + std::to_string(r.code);
    return std::count(r.err.begin(), r.err.end(), '\n') == 1 ? "" : "not one line: " + r.err;
}

TEST(CliFilePlaces, ReadWritesEveryPlaceAsTheWindowsSaveDoes) {
    const ImageBytes image = vorix::test::SampleImage().bytes();
    for (const vorix::test::OutputCase& c : vorix::test::OutputCases()) {
        vorix::test::FaultyDisk disk;
        vorix::test::OutputPlace place(c, disk);
        PosixFiles files(disk);
        const Outcome r = run(files, {"read", place.path(), "--port", "4"});
        EXPECT_EQ(place.check(Bytes(image.begin(), image.end()), r.code == kExitSuccess, r.err), "")
            << c.name;
        EXPECT_EQ(outputProblems(r, "Read Data OK\n"), "") << c.name;
    }
}

TEST(CliFilePlaces, TheTraceGoesToEveryPlaceAsTheWindowsSaveDoes) {
    vorix::test::TempFolder inputs;
    const std::string in = inputs.put("in.rdat", vorix::test::SampleImage());
    // The trace the run gives, taken from the same run in memory: the scripted radio's clock repeats it.
    test::FakeFiles memory;
    memory.put(in, vorix::test::SampleImage());
    ASSERT_EQ(run(memory, {"write", in, "--port", "4", "--trace", "t"}).code, kExitSuccess);
    const FileContent trace = memory.files.at("t");
    ASSERT_GT(trace.size(), 100u);
    for (const vorix::test::OutputCase& c : vorix::test::OutputCases()) {
        vorix::test::FaultyDisk disk;
        vorix::test::OutputPlace place(c, disk);
        PosixFiles files(disk);
        const Outcome r = run(files, {"write", in, "--port", "4", "--trace", place.path()});
        EXPECT_EQ(place.check(trace, r.code == kExitSuccess, r.err), "") << c.name;
        EXPECT_EQ(r.code == kExitSuccess || r.code == kExitBadInput, true) << c.name;
        EXPECT_EQ(inputs.names(), std::vector<std::string>{"in.rdat"}) << c.name;
    }
}

// A real filesystem that is full: the output fails with the system's reason and the old file stays.
TEST(CliFilePlaces, OutputsOntoAFullDiskKeepTheOldFile) {
    const std::string old(128, '\x5A');
    vorix::test::SmallTmpfs full(old);
    if (!full.available())
        GTEST_SKIP() << "no filesystem can be mounted here";
    PosixFiles files(MachineFileSystem());
    for (const char* name : {"data.rdat", "new.rdat"}) {
        const std::string path = full.folder().file(name);
        const Outcome r = run(files, {"read", path, "--port", "4"});
        EXPECT_EQ(r.code, kExitBadInput);
        EXPECT_EQ(r.err, path + ": The file was not saved: No space left on device\n");
    }
    EXPECT_EQ(full.folder().content("data.rdat"), old);
    EXPECT_EQ(full.folder().names(), (std::vector<std::string>{"data.rdat", "filler"}));
}

// show and import-csv's base take what Load takes, and refuse what Load refuses, before opening it.
TEST(CliFilePlaces, InputsAreTakenAsTheWindowsLoadTakesThem) {
    vorix::test::TempFolder work;
    const std::string table = work.put("t.csv", kEmptyTable);
    const std::string out = work.file("out.rdat");
    for (const vorix::test::InputCase& c : vorix::test::InputCases()) {
        const vorix::test::InputPlace place(c);
        PosixFiles files(MachineFileSystem());
        const Outcome shown = run(files, {"show", place.path()});
        fs::remove(out);
        const Outcome imported = run(files, {"import-csv", table, "--base", place.path(), "-o", out});
        EXPECT_EQ(shown.code, imported.code) << c.name;
        EXPECT_EQ(shown.err, imported.err) << c.name;
        std::optional<Bytes> taken;
        if (imported.code == kExitSuccess) {
            const std::string bytes = work.content("out.rdat");
            taken = Bytes(bytes.begin(), bytes.end());
        } else {
            EXPECT_EQ(imported.code, kExitBadInput) << c.name;
            EXPECT_EQ(imported.err.rfind(place.path() + ": ", 0), 0u) << imported.err;
        }
        EXPECT_EQ(place.check(taken, imported.err), "") << c.name;
    }
}

// An output is never the command's own input or another of its outputs, whatever name reaches it.
TEST(CliFilePlaces, AnOutputNamingAnInputIsRefusedBeforeAnythingIsDone) {
    vorix::test::TempFolder folder;
    const std::string club = folder.put("club.rdat", vorix::test::ClearedImage());
    const std::string table = folder.put("t.csv", kEmptyTable);
    fs::create_symlink("club.rdat", folder.file("link.rdat"));
    fs::create_hard_link(club, folder.file("second-name.rdat"));
    const struct {
        std::vector<std::string> args;
        std::string reason;
    } rows[] = {
        {{"write", club, "--port", "4", "--trace", club}, "it is the input " + club},
        {{"write", club, "--port", "4", "--trace", folder.file("link.rdat")}, "it is the input " + club},
        {{"write", club, "--port", "4", "--trace", folder.file("second-name.rdat")},
         "it is the input " + club},
        {{"write", folder.file("./club.rdat"), "--port", "4", "--trace", club}, "it is the input "},
        {{"read", club, "--port", "4", "--trace", folder.file("link.rdat")}, "it is also the output " + club},
        {{"read", folder.file("new.rdat"), "--port", "4", "--trace", folder.file("./new.rdat")},
         "it is also the output "},
        {{"import-csv", table, "--base", club, "-o", folder.file("link.rdat")}, "it is the input " + club},
        {{"import-csv", table, "--base", club, "-o", table}, "it is the input " + table},
    };
    PosixFiles files(MachineFileSystem());
    for (const auto& row : rows) {
        const Outcome r = run(files, row.args);
        EXPECT_EQ(r.code, kExitBadInput) << r.err;
        EXPECT_NE(r.err.find("The file was not saved: " + row.reason), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const ImageBytes kept = vorix::test::ClearedImage().bytes();
    EXPECT_EQ(folder.content("club.rdat"), std::string(kept.begin(), kept.end()));
    EXPECT_EQ(folder.content("t.csv"), kEmptyTable);
    EXPECT_EQ(folder.names(),
              (std::vector<std::string>{"club.rdat", "link.rdat", "second-name.rdat", "t.csv"}));
}

} // namespace
} // namespace vorix::cli
