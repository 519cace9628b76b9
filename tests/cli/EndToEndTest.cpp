// vorix-cli run as a process, the way scripts run it: output, exit codes and files on disk.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "editing/CsvTable.h"
#include "editing/OptionControls.h"
#include "image/ChannelView.h"
#include "support/Languages.h"
#include "support/SampleImages.h"
#include "support/TempFolder.h"
#include "texts/InterfaceTexts.h"

namespace vorix::cli {
namespace {

class EndToEnd : public ::testing::Test {
protected:
    test::ProgramResult cli(const std::vector<std::string>& args, const std::string& input = "/dev/null") {
        return test::RunProgram(VORIX_CLI_PROGRAM, args, folder.file(""), test::kPointLocale, input);
    }
    std::string at(const std::string& name) const { return folder.file(name); }
    static int lines(const std::string& text) {
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

    vorix::test::TempFolder folder;
};

TEST_F(EndToEnd, ShowPrintsAnAlignedTable) {
    folder.put("a.rdat", vorix::test::SampleImage());
    const auto r = cli({"show", at("a.rdat")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1) + 1),
              "CH  Frequency  CTCSS/DCS  Channel Spacing  Tx Power\n"
              "1   462.12345  67.0       25K(Wide)        High\n");
    for (const char* line :
         {"\n3   461.25000  D023I      25K(Wide)        Low\n", "\n9\n", "\n\nSQL             -9\n",
          "\nTOT             60S\n", "\nSq Delay        0.3S\n", "\nBeep            Off\n",
          "\nOffset(Narrow)  255\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;

    const auto zh = cli({"show", "--chinese", at("a.rdat")});
    EXPECT_EQ(zh.exitCode, 0);
    EXPECT_EQ(zh.out.rfind("信道  频率       亚音   宽/窄带      发射功率\n", 0), 0u) << zh.out;
    EXPECT_NE(zh.out.find("\nSq延时下线      1.5S\n"), std::string::npos) << zh.out;
}

// The separator is the one of the user's number format as the window reads it, also where the C
// library has no such locale (the test build generates only de_DE, so de_AT falls back to "C" there).
TEST_F(EndToEnd, NumbersUseTheSeparatorOfTheUsersNumberFormat) {
    folder.put("a.rdat", vorix::test::SampleImage());
    const std::string locales = "LOCPATH=" VORIX_TEST_LOCPATH;
    for (const char* name : {"LC_ALL=" VORIX_COMMA_LOCALE, "LC_ALL=de_AT.UTF-8"}) {
        const auto r =
            test::RunProgram(VORIX_CLI_PROGRAM, {"show", at("a.rdat")}, folder.file(""), {name, locales});
        ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err;
        for (const char* line : {"\n1   462,12345  67,0 ", "\nSq Delay        0,3S\n"})
            EXPECT_NE(r.out.find(line), std::string::npos) << name << ": " << line << "\n" << r.out;
    }
}

// The same-texts check: every cell of show --csv is the text the window's view gives.
TEST_F(EndToEnd, ShowCsvCellsAreTheWindowsTexts) {
    for (bool english : {true, false}) {
        folder.put("a.rdat", vorix::test::SampleImage());
        const auto r = cli(english ? std::vector<std::string>{"show", "--csv", at("a.rdat")}
                                   : std::vector<std::string>{"show", "--csv", "--chinese", at("a.rdat")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.out.find("\r\n"), std::string::npos) << "RFC 4180 line ends";
        const CsvParse csv = ParseCsv(r.out);
        ASSERT_TRUE(csv.ok());
        ASSERT_EQ(csv.value().size(), 25u);

        AppState state;
        state.image = vorix::test::SampleImage();
        state.language = LanguageFor(english);
        const TableView view = BuildTableView(state);
        const std::vector<std::string> header{
            std::string(Text(TextId::HeaderChannel, LanguageFor(english))),
            std::string(Text(TextId::HeaderFrequency, LanguageFor(english))),
            std::string(Text(TextId::HeaderTone, LanguageFor(english))),
            std::string(Text(TextId::HeaderSpacing, LanguageFor(english))),
            std::string(Text(TextId::HeaderPower, LanguageFor(english)))};
        EXPECT_EQ(csv.value()[0].cells, header);
        for (int n = 1; n <= 16; ++n) {
            const auto& row = view.rows[n - 1];
            EXPECT_EQ(csv.value()[n].cells,
                      (std::vector<std::string>{std::to_string(n), row[0], row[1], row[2], row[3]}))
                << "channel " << n;
        }
        const OptionSelections& o = view.options;
        const std::vector<std::pair<TextId, std::string>> options{
            {TextId::LabelSQ, SqLevelItems()[o.sqLevelItem]},
            {TextId::Label1, TotItems(LanguageFor(english))[o.totItem]},
            {TextId::LabelSqDelay, SqDelayItems(LanguageFor(english), ".")[o.sqDelayItem]},
            {TextId::LabelOffsetWide, OffsetItems()[o.offsetWideItem]},
            {TextId::LabelOffsetNarrow, OffsetItems()[o.offsetNarrowItem]},
        };
        for (std::size_t i = 0; i < options.size(); ++i)
            EXPECT_EQ(csv.value()[17 + i].cells,
                      (std::vector<std::string>{std::string(Text(options[i].first, LanguageFor(english))),
                                                options[i].second, "", "", ""}));
        EXPECT_EQ(csv.value()[22].cells[0], Text(TextId::CheckBeep, LanguageFor(english)));
        EXPECT_EQ(csv.value()[23].cells[0], Text(TextId::CheckSave, LanguageFor(english)));
        EXPECT_EQ(csv.value()[24].cells[0], Text(TextId::CheckBusyLock, LanguageFor(english)));
    }
}

TEST_F(EndToEnd, DiffExitCodesAndRawBytesInHex) {
    folder.put("a.rdat", vorix::test::SampleImage());
    folder.put("same.rdat", vorix::test::SampleImage());
    RadioImage other = vorix::test::SampleImage();
    other.write(116, 0x00);
    other.write(124, 0xFF);
    other.write(layout::channelBase(1) + layout::Flags, 0x31); // an undefined bit
    other.write(layout::Options, 0x85);                        // an undefined option bit
    other.write(layout::channelBase(2) + layout::Frequency + 2, 0x56);
    folder.put("b.rdat", other);

    const auto equal = cli({"diff", at("a.rdat"), at("same.rdat")});
    EXPECT_EQ(equal.exitCode, 0);
    EXPECT_EQ(equal.out, "");
    EXPECT_EQ(equal.err, "");

    const auto differ = cli({"diff", at("a.rdat"), at("b.rdat")});
    EXPECT_EQ(differ.exitCode, 1);
    EXPECT_EQ(differ.err, "");
    EXPECT_EQ(differ.out, "Channels:\n"
                          "  CH 2  Frequency  145.50000  ->  145.60000\n"
                          "\n"
                          "Raw bytes:\n"
                          "  0x06  (6)    channel 1 flags  30  ->  31  undefined bits 01\n"
                          "  0x70  (112)  options          05  ->  85  undefined bits 80\n"
                          "  0x74  (116)  not interpreted  14  ->  00\n"
                          "  0x7C  (124)  not interpreted  1C  ->  FF\n");
}

TEST_F(EndToEnd, CsvExportThenImportGivesBackTheIdenticalImage) {
    for (const RadioImage& image : {vorix::test::SampleImage(), vorix::test::ClearedImage()}) {
        folder.put("a.rdat", image);
        const auto shown = cli({"show", "--csv", at("a.rdat")});
        ASSERT_EQ(shown.exitCode, 0);
        folder.put("a.csv", shown.out);
        const auto imported = cli({"import-csv", at("a.csv"), "--base", at("a.rdat"), "-o", at("b.rdat")});
        EXPECT_EQ(imported.exitCode, 0) << imported.err;
        EXPECT_EQ(imported.err, "");
        EXPECT_EQ(folder.content("b.rdat"), folder.content("a.rdat"));
        EXPECT_EQ(cli({"diff", at("a.rdat"), at("b.rdat")}).exitCode, 0);
    }
}

// A radio data file is its first 128 bytes; whatever follows them is never read as the image.
TEST_F(EndToEnd, AFileLongerThanTheImageGivesItsFirst128Bytes) {
    const RadioImage image = vorix::test::SampleImage();
    const std::string bytes(image.bytes().begin(), image.bytes().end());
    const RadioImage cleared = vorix::test::ClearedImage();
    folder.put("a.rdat", image);
    folder.put("long.rdat", bytes + std::string(cleared.bytes().begin(), cleared.bytes().end()) + "tail");
    EXPECT_EQ(cli({"show", at("long.rdat")}).out, cli({"show", at("a.rdat")}).out);
    const auto diff = cli({"diff", at("a.rdat"), at("long.rdat")});
    EXPECT_EQ(diff.exitCode, 0) << diff.out;
    folder.put("a.csv", cli({"show", "--csv", at("a.rdat")}).out);
    const auto imported = cli({"import-csv", at("a.csv"), "--base", at("long.rdat"), "-o", at("out.rdat")});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(folder.content("out.rdat"), bytes);
}

// "-" reads standard input up to the input's cap and writes standard output, which then holds the
// output alone.
TEST_F(EndToEnd, DashIsStandardInputAndOutput) {
    folder.put("a.rdat", vorix::test::SampleImage());
    folder.put("t.csv", "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\n5,146.52,,,\n");
    folder.put("huge.csv", std::string((1u << 20) + 1, ','));
    const auto written = cli({"import-csv", at("t.csv"), "--base", "-", "-o", "-"}, at("a.rdat"));
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.err, "");
    folder.put("b.rdat", written.out);
    EXPECT_EQ(cli({"show", "-"}, at("b.rdat")).out.substr(0, 200),
              cli({"show", at("b.rdat")}).out.substr(0, 200));
    EXPECT_NE(cli({"show", "-"}, at("b.rdat")).out.find("\n5   146.52000"), std::string::npos);

    const auto table = cli({"import-csv", "-", "--base", at("a.rdat"), "-o", at("c.rdat")}, at("t.csv"));
    EXPECT_EQ(table.exitCode, 0) << table.err;
    EXPECT_EQ(folder.content("c.rdat"), folder.content("b.rdat"));

    const auto huge = cli({"import-csv", "-", "--base", at("a.rdat"), "-o", at("d.rdat")}, at("huge.csv"));
    EXPECT_EQ(huge.exitCode, 2);
    EXPECT_EQ(huge.err, "-: larger than 1 MiB, which no table of sixteen channels is; " + at("d.rdat") +
                            " not written\n");
    EXPECT_FALSE(folder.exists("d.rdat"));
}

TEST_F(EndToEnd, ImportAppliesAnEditedTableAndReportsReplacements) {
    folder.put("base.rdat", vorix::test::SampleImage());
    folder.put("edit.csv", "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\n"
                           "2,600,D023N,25K(Wide),High\n"
                           "5,146.52,,,\n"
                           "16,,,,\n"
                           "TOT,Off,,,\n");
    const auto r = cli({"import-csv", at("edit.csv"), "--base", at("base.rdat"), "-o", at("out.rdat")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, at("edit.csv") +
                         ": row 2, column 2 (Frequency): Frequency is out of range! \"600\" stored as "
                         "\"559.99750\"\n");
    const auto shown = cli({"show", "--csv", at("out.rdat")});
    for (const char* line :
         {"\r\n2,559.99750,D023N,25K(Wide),High\r\n", "\r\n5,146.52000,None,25K(Wide),High\r\n",
          "\r\n16,,,,\r\n", "\r\nTOT,Off,,,\r\n"})
        EXPECT_NE(shown.out.find(line), std::string::npos) << line;
}

TEST_F(EndToEnd, BadInputGivesOneLineExitTwoAndNoOutputFile) {
    folder.put("a.rdat", vorix::test::SampleImage());
    folder.put("short.rdat", std::string(100, '\0'));
    folder.put("columns.csv",
               "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n1,462.5,None,25K(Wide)\r\n");
    folder.put("unknown.csv", "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n1,462.5,None,26K,High\r\n");
    folder.put("quote.csv",
               "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n1,\"462.5,None,25K(Wide),High\r\n");
    folder.put("good.csv",
               "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n1,462.5,None,25K(Wide),High\r\n");
    folder.put("kept.rdat", "the previous output");
    struct Row {
        std::vector<std::string> args;
        std::string named; // the file, row or column the line must name
    };
    const Row table[] = {
        {{"show", at("missing.rdat")},
         at("missing.rdat") + ": Cannot read the file: No such file or directory"},
        {{"show", at("short.rdat")}, at("short.rdat") + ": The file is not a radio data file"},
        {{"diff", at("a.rdat"), at("missing.rdat")}, at("missing.rdat") + ": "},
        {{"import-csv", at("columns.csv"), "--base", at("a.rdat"), "-o", at("out.rdat")},
         at("columns.csv") + ": row 2: 4 columns, expected 5"},
        {{"import-csv", at("quote.csv"), "--base", at("a.rdat"), "-o", at("out.rdat")},
         at("quote.csv") + ": row 2: a quoted field is never closed"},
        {{"import-csv", at("a.rdat"), "--base", at("a.rdat"), "-o", at("out.rdat")},
         at("a.rdat") + ": row 1"},
        {{"import-csv", at("unknown.csv"), "--base", at("missing.rdat"), "-o", at("out.rdat")},
         at("missing.rdat") + ": "},
        {{"import-csv", at("good.csv"), "--base", at("a.rdat"), "-o", at("no/folder/out.rdat")},
         at("no/folder/out.rdat") + ": The file was not saved: No such file or directory"},
        {{"show", at("a.rdat"), "--color"}, "vorix-cli show: unknown option --color"},
    };
    const auto before = folder.names();
    for (const Row& r : table) {
        const auto result = cli(r.args);
        EXPECT_EQ(result.exitCode, 2) << r.named;
        EXPECT_EQ(lines(result.err), 1) << result.err;
        EXPECT_EQ(result.err.rfind(r.named, 0), 0u) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(folder.names(), before) << "no output and no temporary file";
    }

    const auto strict =
        cli({"import-csv", at("unknown.csv"), "--base", at("a.rdat"), "-o", at("kept.rdat"), "--strict"});
    EXPECT_EQ(strict.exitCode, 2);
    EXPECT_EQ(strict.err, at("unknown.csv") +
                              ": row 2, column 4 (Channel Spacing): unknown text \"26K\": not an "
                              "item of Channel Spacing (12.5K(Narrow), 25K(Wide)); cell ignored\n" +
                              at("unknown.csv") + ": 1 problem with --strict; " + at("kept.rdat") +
                              " not written\n");
    EXPECT_EQ(folder.content("kept.rdat"), "the previous output");
    EXPECT_EQ(folder.names(), before);

    const auto lenient =
        cli({"import-csv", at("unknown.csv"), "--base", at("a.rdat"), "-o", at("kept.rdat")});
    EXPECT_EQ(lenient.exitCode, 0);
    EXPECT_EQ(lines(lenient.err), 1);
    EXPECT_EQ(folder.content("kept.rdat").size(), 128u);
}

TEST_F(EndToEnd, HelpAndUsage) {
    const auto help = cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Exit codes:"), std::string::npos);
    for (const char* command : {"show", "diff", "import-csv"}) {
        const auto r = cli({command, "--help"});
        EXPECT_EQ(r.exitCode, 0) << command;
        EXPECT_EQ(r.out.rfind(std::string("Usage: vorix-cli ") + command, 0), 0u);
    }
    const auto version = cli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "vorix-cli " + std::to_string(VORIX_VERSION_MAJOR) + "." +
                               std::to_string(VORIX_VERSION_MINOR) + "." +
                               std::to_string(VORIX_VERSION_REVISION) + "\n");
    EXPECT_NE(help.out.find("\n   or: vorix-cli --version\n"), std::string::npos);
    const auto none = cli({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.err, "vorix-cli: no command given (see vorix-cli --help)\n");
}

} // namespace
} // namespace vorix::cli
