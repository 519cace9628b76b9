#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/CsvImport.h"
#include "editing/CsvTable.h"
#include "editing/TableFormat.h"
#include "editing/TableTexts.h"
#include "support/Languages.h"
#include "support/SampleImages.h"

namespace vorix {
namespace {

const char* const kHeader = "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n";

AppState stateWith(const RadioImage& image, const char* separator = ".") {
    AppState state;
    state.image = image;
    state.decimalSeparator = separator;
    return state;
}

std::vector<CsvRecord> recordsOf(const std::string& text) {
    const CsvParse parse = ParseCsv(text);
    EXPECT_TRUE(parse.ok()) << text;
    return parse.ok() ? parse.value() : std::vector<CsvRecord>();
}

struct Imported {
    RadioImage image;
    ImportResult result;
};

Imported importInto(const RadioImage& base, const std::string& body, const char* separator = ".") {
    AppState state = stateWith(base, separator);
    ImportResult result = ImportTable(state, recordsOf(kHeader + body));
    return {state.image, result};
}

std::array<std::uint8_t, 7> record(const RadioImage& image, int channel) {
    std::array<std::uint8_t, 7> bytes{};
    for (int i = 0; i < 7; ++i)
        bytes[static_cast<std::size_t>(i)] = image.read(layout::channelBase(channel) + i);
    return bytes;
}

TEST(CsvImport, ExportThenImportGivesBackTheIdenticalImage) {
    for (const RadioImage& image : {test::SampleImage(), test::ClearedImage(), RadioImage()}) {
        for (bool english : {true, false}) {
            for (const char* separator : {".", ","}) {
                AppState shown = stateWith(image, separator);
                shown.language = LanguageFor(english);
                AppState state = stateWith(image, separator);
                const ImportResult result = ImportTable(state, recordsOf(FormatCsvTable(BuildTableTexts(shown))));
                ASSERT_TRUE(result.ok());
                EXPECT_TRUE(result.value().empty());
                EXPECT_EQ(state.image, image) << "english " << english << " separator " << separator;
            }
        }
    }
}

TEST(CsvImport, ATableOntoAnotherBaseShowsTheSameAndKeepsTheBasesOtherBytes) {
    const RadioImage source = test::SampleImage();
    const RadioImage base = test::ClearedImage();
    AppState state = stateWith(base);
    const ImportResult result = ImportTable(state, recordsOf(FormatCsvTable(BuildTableTexts(stateWith(source)))));
    ASSERT_TRUE(result.ok());
    const TableTexts want = BuildTableTexts(stateWith(source));
    const TableTexts got = BuildTableTexts(state);
    EXPECT_EQ(got.channels, want.channels);
    for (int i = 0; i < kOptionFieldCount; ++i)
        EXPECT_EQ(got.options[i].text, want.options[i].text);
    for (int i = layout::UninterpretedFirst; i <= layout::UninterpretedLast; ++i)
        EXPECT_EQ(state.image.read(i), base.read(i));
    EXPECT_EQ(state.image.read(layout::WriteMark), base.read(layout::WriteMark));
    EXPECT_EQ(record(state.image, 4)[6], 0x20) << "a new channel's defaults, then the row's narrow spacing";
}

TEST(CsvImport, FrequencyCellsFollowTheGridsRules) {
    struct Row {
        const char* cell;
        const char* shown;
        bool reported;
        std::array<std::uint8_t, 4> bytes;
    };
    const Row table[] = {
        {"462.5", "462.50000", false, {0x00, 0x00, 0x25, 0x46}},
        {"136", "136.00000", false, {0x00, 0x00, 0x60, 0x13}},
        {"600", "559.99750", true, {0x50, 0x97, 0x99, 0x55}},
        {"135.5", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
        {"174", "400.00000", true, {0x00, 0x00, 0x00, 0x40}},
        {"abc", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
        {"462.123456", "462.12346", true, {0x46, 0x23, 0x21, 0x46}}, // more digits than 10 Hz
    };
    for (const Row& r : table) {
        const Imported out = importInto(test::SampleImage(), FormatCsvRecord({"1", r.cell, "", "", ""}));
        ASSERT_TRUE(out.result.ok()) << r.cell;
        EXPECT_EQ(BuildTableTexts(stateWith(out.image)).channels[0][1], r.shown) << r.cell;
        const auto bytes = record(out.image, 1);
        EXPECT_TRUE(std::equal(r.bytes.begin(), r.bytes.end(), bytes.begin())) << r.cell;
        EXPECT_EQ(bytes[4], 0x9E) << "the tone stays";
        ASSERT_EQ(out.result.value().size(), r.reported ? 1u : 0u) << r.cell;
        if (r.reported) {
            EXPECT_EQ(out.result.value()[0].row, 2);
            EXPECT_EQ(out.result.value()[0].column, 2);
            EXPECT_EQ(out.result.value()[0].columnName, "Frequency");
            EXPECT_NE(out.result.value()[0].message.find(std::string("stored as \"") + r.shown + "\""),
                      std::string::npos)
                << out.result.value()[0].message;
        }
    }
}

TEST(CsvImport, NewChannelGetsTheDefaultsAndEmptyFrequencyDeletes) {
    const Imported created = importInto(test::SampleImage(), "5,146.52,,,\r\n");
    EXPECT_EQ(record(created.image, 5), (std::array<std::uint8_t, 7>{0x00, 0x20, 0x65, 0x14, 0xFF, 0xFF, 0x30}));
    EXPECT_TRUE(created.result.value().empty());

    const Imported deleted = importInto(test::SampleImage(), "1,,67.0,25K(Wide),High\r\n");
    EXPECT_EQ(record(deleted.image, 1), (std::array<std::uint8_t, 7>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    ASSERT_EQ(deleted.result.value().size(), 3u) << "the other cells of a deleted channel cannot apply";
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(deleted.result.value()[i].column, 3 + i);
        EXPECT_NE(deleted.result.value()[i].message.find("channel 1 has no frequency"), std::string::npos);
    }

    const Imported empty = importInto(test::SampleImage(), "9,,,,\r\n");
    EXPECT_EQ(record(empty.image, 9), record(test::SampleImage(), 9)) << "an empty row stays as it is";
}

TEST(CsvImport, ToneCellsAreStoredAsTheToneEditorStoresThem) {
    struct Row {
        const char* cell;
        std::uint8_t low, high;
        bool reported;
    };
    const Row table[] = {
        {"100", 0xE8, 0x03, false},  {"100.0", 0xE8, 0x03, false}, {"100.00", 0xE8, 0x03, false},
        {"62.44", 0x70, 0x02, true}, {"50", 0x9E, 0x02, true},     {"D023I", 0x13, 0xA0, false},
        {"D023", 0x13, 0x20, true},  {"None", 0xFF, 0xFF, false},  {"无", 0xFF, 0xFF, false},
        {"none", 0x9E, 0x02, true},  {"D8", 0xC0, 0x21, true},
    };
    for (const Row& r : table) {
        const Imported kept =
            importInto(test::SampleImage(), std::string("1,462.12345,") + r.cell + ",,\r\n");
        const auto tone = record(kept.image, 1);
        EXPECT_EQ(tone[4], r.low) << r.cell;
        EXPECT_EQ(tone[5], r.high) << r.cell;
        ASSERT_EQ(kept.result.value().size(), r.reported ? 1u : 0u) << r.cell;
        if (r.reported) {
            EXPECT_EQ(kept.result.value()[0].column, 3);
            EXPECT_NE(kept.result.value()[0].message.find("stored as"), std::string::npos);
        }
    }
}

TEST(CsvImport, SpacingPowerAndOptionTextsMustBeListItems) {
    struct Row {
        std::string body;
        int column;
        const char* columnName;
        bool known;
    };
    const Row table[] = {
        {"2,145.50000,None,25K(Wide),Low\r\n", 0, "", true},
        {"2,145.50000,None,13K,Low\r\n", 4, "Channel Spacing", false},
        {"2,145.50000,None,12.5K(Narrow),Medium\r\n", 5, "Tx Power", false},
        {"2,145.50000,None,25K(宽带),Low\r\n", 4, "Channel Spacing", false},
        {"TOT,7S,,,\r\n", 2, "TOT", false},
        {"Beep,yes,,,\r\n", 2, "Beep", false},
        {"SQL,101,,,\r\n", 2, "SQL", false},
        {"SQL,5,x,,\r\n", 3, "SQL", true},
    };
    const RadioImage base = test::SampleImage();
    for (const Row& r : table) {
        const Imported out = importInto(base, r.body);
        ASSERT_TRUE(out.result.ok()) << r.body;
        if (r.column == 0) {
            EXPECT_TRUE(out.result.value().empty()) << r.body;
            continue;
        }
        ASSERT_EQ(out.result.value().size(), 1u) << r.body;
        EXPECT_EQ(out.result.value()[0].row, 2);
        EXPECT_EQ(out.result.value()[0].column, r.column) << r.body;
        EXPECT_EQ(out.result.value()[0].columnName, r.columnName) << r.body;
        EXPECT_EQ(out.result.value()[0].message.find("unknown text") != std::string::npos, !r.known)
            << r.body;
    }
    EXPECT_EQ(importInto(base, "2,145.50000,None,13K,Low\r\n").image, base)
        << "an unknown item changes nothing";
    EXPECT_EQ(record(importInto(base, "2,145.50000,None,25K(Wide),High\r\n").image, 2)[6], 0x30);
}

TEST(CsvImport, OptionsAreChosenByTheirItemTextInTheTablesLanguage) {
    const RadioImage base = test::SampleImage();
    const Imported en = importInto(base, "SQL,100,,,\r\nTOT,600S,,,\r\nSq Delay,0.5S,,,\r\nOffset(Wide),20,,,\r\n"
                                         "Beep,On,,,\r\nSave,Off,,,\r\n");
    EXPECT_TRUE(en.result.value().empty());
    EXPECT_EQ(en.image.read(layout::SqLevel), 100);
    EXPECT_EQ(en.image.read(layout::TotStep), 40);
    EXPECT_EQ(en.image.read(layout::SqDelayStep), 5);
    EXPECT_EQ(en.image.read(layout::OffsetWide), 20);
    EXPECT_EQ(en.image.read(layout::Options), 0x06) << "beep set, save cleared, busy lock kept";

    AppState state = stateWith(base);
    const ImportResult zh = ImportTable(state, recordsOf("信道,频率,亚音,宽/窄带,发射功率\r\nSq延时下线,0.5S,,,\r\n"
                                                         "TOT,15秒,,,\r\n省电,关,,,\r\n"));
    EXPECT_TRUE(zh.value().empty());
    EXPECT_EQ(state.image.read(layout::SqDelayStep), 1) << "0.5 s is the first step of the Chinese list";
    EXPECT_EQ(state.image.read(layout::TotStep), 1);
    EXPECT_EQ(state.image.read(layout::Options), 0x04);
}

TEST(CsvImport, CellsEqualToWhatTheBaseShowsKeepItsBytes) {
    RadioImage base = test::SampleImage();
    base.write(layout::TotStep, 50);              // shown as Off
    base.write(layout::channelBase(1) + 5, 0x12); // shown as 67.0
    base.write(layout::channelBase(1) + 6, 0x3C); // undefined bits
    const Imported out = importInto(base, "1,462.12345,67.0,25K(Wide),High\r\nTOT,Off,,,\r\n");
    EXPECT_TRUE(out.result.value().empty());
    EXPECT_EQ(out.image, base);
    const Imported changed = importInto(base, "TOT,15S,,,\r\n1,462.12345,67.0,12.5K(Narrow),High\r\n");
    EXPECT_EQ(changed.image.read(layout::TotStep), 1);
    EXPECT_EQ(changed.image.read(layout::channelBase(1) + 6), 0x2C) << "only the Wide bit changes";
}

TEST(CsvImport, CommaSeparator) {
    const Imported out = importInto(test::SampleImage(), "1,\"462,5\",\"69,3\",\"12,5K(Narrow)\",Low\r\n", ",");
    EXPECT_TRUE(out.result.value().empty());
    EXPECT_EQ(record(out.image, 1), (std::array<std::uint8_t, 7>{0x00, 0x00, 0x25, 0x46, 0xB5, 0x02, 0x00}));
}

// A table saved under another number format holds the other separator. A plain number, or a list
// item, takes this table's; any other text with it would be read cut short at it, so it is refused.
TEST(CsvImport, EitherDecimalSeparatorWhenUnambiguousElseTheCellIsRefused) {
    struct Row {
        const char* separator;
        const char* body;
        TableRow channel; // channel 1 as the table then shows it
        const char* sqDelay;
        int noteColumn; // 0: no note
    };
    const TableRow kept{"1", "462.12345", "67.0", "25K(Wide)", "High"};
    const Row table[] = {
        {".",
         "1,\"496,02721\",\"69,3\",\"12,5K(Narrow)\",High\r\nSq Delay,\"0,7S\",,,\r\n",
         {"1", "496.02721", "69.3", "12.5K(Narrow)", "High"},
         "0.7S",
         0},
        {",",
         "1,496.02721,69.3,12.5K(Narrow),High\r\nSq Delay,0.7S,,,\r\n",
         {"1", "496,02721", "69,3", "12,5K(Narrow)", "High"},
         "0,7S",
         0},
        {".", "1,\"1,234.5\",,,\r\n", kept, "0.3S", 2},
        {".", "1,\"462,5,1\",,,\r\n", kept, "0.3S", 2},
        {".", "1,\"462,\",,,\r\n", kept, "0.3S", 2},
        {".", "1,\",5\",,,\r\n", kept, "0.3S", 2},
        {".", "1,462.12345,\"69,3Hz\",,\r\n", kept, "0.3S", 3},
    };
    for (const Row& r : table) {
        const Imported out = importInto(test::SampleImage(), r.body, r.separator);
        ASSERT_TRUE(out.result.ok()) << r.body;
        const TableTexts shown = BuildTableTexts(stateWith(out.image, r.separator));
        EXPECT_EQ(shown.channels[0], r.channel) << r.body;
        EXPECT_EQ(shown.options[2].text, r.sqDelay) << r.body;
        const auto& notes = out.result.value();
        ASSERT_EQ(notes.size(), r.noteColumn == 0 ? 0u : 1u)
            << r.body << (notes.empty() ? "" : DescribeNote(notes[0]));
        if (notes.empty())
            continue;
        EXPECT_EQ(out.result.value()[0].row, 2);
        EXPECT_EQ(out.result.value()[0].column, r.noteColumn);
        EXPECT_NE(out.result.value()[0].message.find("cell ignored"), std::string::npos)
            << out.result.value()[0].message;
    }
}

TEST(CsvImport, UnusableTablesFailWithTheirRow) {
    struct Row {
        std::string text;
        int row;
        int column;
        const char* messagePart;
    };
    const Row table[] = {
        {"", 1, 0, "empty"},
        {"CH,Frequency\r\n1,462.5\r\n", 1, 0, "the header must be"},
        {"ch,frequency,ctcss/dcs,channel spacing,tx power\r\n", 1, 0, "the header must be"},
        {std::string(kHeader) + "1,462.5,,,\r\n2,145.5,None,Low\r\n", 3, 0, "4 columns, expected 5"},
        {std::string(kHeader) + "1,462.5,,,,\r\n", 2, 0, "6 columns, expected 5"},
        {std::string(kHeader) + "17,462.5,,,\r\n", 2, 1, "neither a channel number"},
        {std::string(kHeader) + "01,462.5,,,\r\n", 2, 1, "neither a channel number"},
        {std::string(kHeader) + "Sq延时下线,0.5S,,,\r\n", 2, 1, "neither a channel number"},
        {std::string(kHeader) + "3,462.5,,,\r\n\r\n3,,,,\r\n", 4, 1, "given twice (first in row 2)"},
        {std::string(kHeader) + "TOT,Off,,,\r\nTOT,15S,,,\r\n", 3, 1, "given twice"},
    };
    for (const Row& r : table) {
        AppState state = stateWith(test::SampleImage());
        const ImportResult result = ImportTable(state, ParseCsv(r.text).value());
        ASSERT_FALSE(result.ok()) << r.text;
        EXPECT_EQ(result.error().row, r.row) << r.text;
        EXPECT_EQ(result.error().column, r.column) << r.text;
        EXPECT_NE(result.error().message.find(r.messagePart), std::string::npos) << result.error().message;
    }
}

TEST(CsvImport, DescribeNoteNamesRowAndColumn) {
    EXPECT_EQ(DescribeNote({4, 3, "CTCSS/DCS", "tone \"50\" stored as \"67.0\""}),
              "row 4, column 3 (CTCSS/DCS): tone \"50\" stored as \"67.0\"");
    EXPECT_EQ(DescribeNote({7, 0, "", "4 columns, expected 5"}), "row 7: 4 columns, expected 5");
}

} // namespace
} // namespace vorix
