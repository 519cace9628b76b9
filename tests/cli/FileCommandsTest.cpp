#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "FakeFiles.h"
#include "cli/CliProgram.h"
#include "cli/ExitCodes.h"
#include "cli/FileCommands.h"
#include "editing/ChannelList.h"
#include "editing/TableFormat.h"
#include "support/SampleImages.h"

namespace vorix::cli {
namespace {

struct Outcome {
    int code;
    std::string out, err;
};

class FileCommandsTest : public ::testing::Test {
protected:
    Outcome run(std::vector<std::string> args) {
        std::ostringstream out, err;
        CliContext context{out, err, files};
        const int code = RunCli(FileCommands(), args, context);
        return {code, out.str(), err.str()};
    }

    static int lines(const std::string& text) {
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

    test::FakeFiles files;
};

TEST_F(FileCommandsTest, HelpForTheProgramAndEachCommand) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"help"}}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.code, kExitSuccess);
        EXPECT_EQ(r.err, "");
        for (const char* part : {"show", "diff", "import-csv", "Exit codes:", "  2  bad usage"})
            EXPECT_NE(r.out.find(part), std::string::npos) << part;
    }
    for (const char* command : {"show", "diff", "import-csv"}) {
        for (const auto& args :
             std::vector<std::vector<std::string>>{{command, "--help"}, {"help", command}}) {
            const Outcome r = run(args);
            EXPECT_EQ(r.code, kExitSuccess);
            EXPECT_EQ(r.out.rfind(std::string("Usage: vorix-cli ") + command, 0), 0u) << r.out;
        }
    }
}

TEST_F(FileCommandsTest, UsageErrorsAreOneLineAndExitTwo) {
    const std::vector<std::vector<std::string>> table{
        {},
        {"frobnicate"},
        {"help", "frobnicate"},
        {"show"},
        {"show", "a.rdat", "--color"},
        {"diff", "a.rdat"},
        {"import-csv", "t.csv", "--base", "b.rdat"},
    };
    for (const auto& args : table) {
        const Outcome r = run(args);
        EXPECT_EQ(r.code, kExitBadInput) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(lines(r.err), 1) << r.err;
        EXPECT_EQ(r.err.rfind("vorix-cli", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("--help)"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(FileCommandsTest, ShowPrintsTheTableOrCsv) {
    files.put("a.rdat", vorix::test::SampleImage());
    AppState state;
    state.image = vorix::test::SampleImage();
    const Outcome plain = run({"show", "a.rdat"});
    EXPECT_EQ(plain.code, kExitSuccess);
    EXPECT_EQ(plain.out, FormatPlainTable(BuildTableTexts(state)));
    const Outcome csv = run({"show", "--csv", "a.rdat"});
    EXPECT_EQ(csv.out, FormatCsvTable(BuildTableTexts(state)));
    state.language = Language::Chinese;
    EXPECT_EQ(run({"show", "a.rdat", "--chinese", "--csv"}).out, FormatCsvTable(BuildTableTexts(state)));
}

TEST_F(FileCommandsTest, BadFilesNameTheFileOnOneLine) {
    files.put("a.rdat", vorix::test::SampleImage());
    files.files["short.rdat"] = FileContent(127, 0);
    files.put("t.csv", "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n");
    files.files["huge.csv"] = FileContent((1u << 20) + 1, ',');
    struct Row {
        std::vector<std::string> args;
        const char* start;
        const char* part;
    };
    const Row table[] = {
        {{"show", "missing.rdat"}, "missing.rdat: ", "No such file or directory"},
        {{"show", "short.rdat"}, "short.rdat: ", "fewer than 128 bytes. (127 bytes)"},
        {{"diff", "a.rdat", "missing.rdat"}, "missing.rdat: ", "Cannot read the file"},
        {{"diff", "short.rdat", "a.rdat"}, "short.rdat: ", "not a radio data file"},
        {{"import-csv", "t.csv", "--base", "missing.rdat", "-o", "o.rdat"}, "missing.rdat: ", "Cannot read"},
        {{"import-csv", "missing.csv", "--base", "a.rdat", "-o", "o.rdat"}, "missing.csv: ", "Cannot read"},
        {{"import-csv", "huge.csv", "--base", "a.rdat", "-o", "o.rdat"}, "huge.csv: ", "larger than 1 MiB"},
        {{"import-csv", "t.csv", "--base", "a.rdat", "-o", "t.csv"}, "t.csv: ", "it is the input t.csv"},
        {{"import-csv", "t.csv", "--base", "a.rdat", "-o", "a.rdat"}, "a.rdat: ", "it is the input a.rdat"},
    };
    for (const Row& r : table) {
        const Outcome result = run(r.args);
        EXPECT_EQ(result.code, kExitBadInput);
        EXPECT_EQ(lines(result.err), 1) << result.err;
        EXPECT_EQ(result.err.rfind(r.start, 0), 0u) << result.err;
        EXPECT_NE(result.err.find(r.part), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(files.writes, 0);
    }
}

TEST_F(FileCommandsTest, DiffExitsZeroForEqualAndOneForDifferentFiles) {
    files.put("a.rdat", vorix::test::SampleImage());
    files.put("same.rdat", vorix::test::SampleImage());
    RadioImage other = vorix::test::SampleImage();
    other.write(120, 0x00);
    files.put("b.rdat", other);
    const Outcome equal = run({"diff", "a.rdat", "same.rdat"});
    EXPECT_EQ(equal.code, kExitSuccess);
    EXPECT_EQ(equal.out, "");
    const Outcome differ = run({"diff", "a.rdat", "b.rdat"});
    EXPECT_EQ(differ.code, kExitDifferences);
    EXPECT_EQ(differ.out, "Raw bytes:\n  0x78  (120)  not interpreted  18  ->  00\n");
    EXPECT_EQ(differ.err, "");
}

TEST_F(FileCommandsTest, ImportWritesTheResultOrNothing) {
    files.put("base.rdat", vorix::test::SampleImage());
    const std::string header = "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n";
    files.put("good.csv", header + "1,146.52,100,25K(Wide),Low\r\n");
    files.put("notes.csv", header + "1,600,50,25K(Wide),Low\r\nTOT,7S,,,\r\n");
    files.put("broken.csv", header + "1,146.52,100\r\n");
    files.put("syntax.csv", header + "1,\"146.52\r\n");

    const Outcome good = run({"import-csv", "good.csv", "--base", "base.rdat", "-o", "out.rdat"});
    EXPECT_EQ(good.code, kExitSuccess);
    EXPECT_EQ(good.err, "");
    ASSERT_EQ(files.files.count("out.rdat"), 1u);
    EXPECT_EQ(files.files["out.rdat"][0], 0x00);
    EXPECT_EQ(files.files["out.rdat"][3], 0x14);

    const Outcome notes = run({"import-csv", "notes.csv", "--base", "base.rdat", "-o", "notes.rdat"});
    EXPECT_EQ(notes.code, kExitSuccess);
    EXPECT_EQ(lines(notes.err), 3);
    EXPECT_EQ(notes.err.rfind("notes.csv: row 2, column 2 (Frequency): Frequency is out of range!", 0), 0u);
    EXPECT_NE(notes.err.find("notes.csv: row 3, column 2 (TOT): unknown text \"7S\""), std::string::npos);
    EXPECT_EQ(files.files.count("notes.rdat"), 1u);

    const int writesBefore = files.writes;
    const Outcome strict =
        run({"import-csv", "notes.csv", "--base", "base.rdat", "-o", "strict.rdat", "--strict"});
    EXPECT_EQ(strict.code, kExitBadInput);
    EXPECT_EQ(lines(strict.err), 4);
    EXPECT_NE(strict.err.find("notes.csv: 3 problems with --strict; strict.rdat not written\n"),
              std::string::npos);
    EXPECT_EQ(files.writes, writesBefore) << "--strict writes nothing";

    for (const char* table : {"broken.csv", "syntax.csv"}) {
        const Outcome bad = run({"import-csv", table, "--base", "base.rdat", "-o", "bad.rdat"});
        EXPECT_EQ(bad.code, kExitBadInput);
        EXPECT_EQ(lines(bad.err), 1) << bad.err;
        EXPECT_EQ(bad.err.rfind(std::string(table) + ": row 2", 0), 0u) << bad.err;
    }
    EXPECT_EQ(files.writes, writesBefore);
    EXPECT_EQ(files.files.count("bad.rdat"), 0u);
}

TEST_F(FileCommandsTest, TheChannelListFormGoesOutWithShowAndComesBackWithImport) {
    files.put("a.rdat", vorix::test::SampleImage());
    files.put("base.rdat", vorix::test::ClearedImage());
    AppState state;
    state.image = vorix::test::SampleImage();
    const Outcome shown = run({"show", "--csv", "--channel-list", "a.rdat"});
    EXPECT_EQ(shown.code, kExitSuccess);
    EXPECT_EQ(shown.out, FormatChannelList(state));
    files.put("list.csv", shown.out + "5,,145.500000,+,0.600000,,88.5,88.5,023,NN,FM,5.00,,,,,,\r\n");

    const Outcome imported = run({"import-csv", "list.csv", "--base", "base.rdat", "-o", "out.rdat"});
    EXPECT_EQ(imported.code, kExitSuccess);
    EXPECT_EQ(imported.err,
              "list.csv: row 7, column 4 (Duplex): duplex \"+\" cannot be programmed: this radio sends "
              "and receives on one frequency; row skipped\n");
    EXPECT_EQ(run({"show", "--channel-list", "out.rdat"}).out, shown.out);
}

TEST_F(FileCommandsTest, AFailedWriteIsReportedWithTheOutputFile) {
    files.put("base.rdat", vorix::test::SampleImage());
    files.put("t.csv", "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n");
    files.failingWrites["out.rdat"] = "No space left on device";
    const Outcome r = run({"import-csv", "t.csv", "--base", "base.rdat", "-o", "out.rdat"});
    EXPECT_EQ(r.code, kExitBadInput);
    EXPECT_EQ(r.err, "out.rdat: The file was not saved: No space left on device\n");
}

} // namespace
} // namespace vorix::cli
