#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/CsvTable.h"
#include "editing/OptionControls.h"
#include "editing/TableFormat.h"
#include "editing/TableTexts.h"
#include "image/ChannelView.h"
#include "support/Languages.h"
#include "support/SampleImages.h"
#include "texts/InterfaceTexts.h"

namespace vorix {
namespace {

AppState stateFor(const RadioImage& image, bool english, const char* separator) {
    AppState state;
    state.image = image;
    state.language = LanguageFor(english);
    state.decimalSeparator = separator;
    return state;
}

// The option texts the window shows, written out control by control from its own item lists.
std::vector<std::pair<std::string, std::string>> windowOptionTexts(const AppState& state) {
    const OptionSelections o = BuildTableView(state).options;
    const Language en = state.language;
    const auto check = [en](bool on) {
        return std::string(on ? (en == Language::English ? "On" : "开")
                              : (en == Language::English ? "Off" : "关"));
    };
    return {
        {std::string(Text(TextId::LabelSQ, en)), SqLevelItems()[o.sqLevelItem]},
        {std::string(Text(TextId::Label1, en)), TotItems(en)[o.totItem]},
        {std::string(Text(TextId::LabelSqDelay, en)),
         SqDelayItems(en, state.decimalSeparator)[o.sqDelayItem]},
        {std::string(Text(TextId::LabelOffsetWide, en)), OffsetItems()[o.offsetWideItem]},
        {std::string(Text(TextId::LabelOffsetNarrow, en)), OffsetItems()[o.offsetNarrowItem]},
        {std::string(Text(TextId::CheckBeep, en)), check(o.beep)},
        {std::string(Text(TextId::CheckSave, en)), check(o.powerSave)},
        {std::string(Text(TextId::CheckBusyLock, en)), check(o.busyLock)},
    };
}

struct Setting {
    bool english;
    const char* separator;
};
constexpr Setting kSettings[] = {{true, "."}, {false, "."}, {true, ","}, {false, ","}};

TEST(TableTexts, AreTheWindowsTextsInEveryLanguageAndSeparator) {
    for (const RadioImage& image : {test::SampleImage(), test::ClearedImage(), RadioImage()}) {
        for (const Setting& s : kSettings) {
            const AppState state = stateFor(image, s.english, s.separator);
            const TableView view = BuildTableView(state);
            const TableTexts texts = BuildTableTexts(state);
            EXPECT_EQ(texts.header[0], Text(TextId::HeaderChannel, LanguageFor(s.english)));
            EXPECT_EQ(texts.header[4], Text(TextId::HeaderPower, LanguageFor(s.english)));
            for (int n = 1; n <= 16; ++n) {
                EXPECT_EQ(texts.channels[n - 1][0], std::to_string(n));
                for (int c = 0; c < 4; ++c)
                    EXPECT_EQ(texts.channels[n - 1][c + 1], view.rows[n - 1][c]) << "channel " << n;
            }
            const auto expected = windowOptionTexts(state);
            for (int i = 0; i < kOptionFieldCount; ++i) {
                EXPECT_EQ(texts.options[i].caption, expected[i].first);
                EXPECT_EQ(texts.options[i].text, expected[i].second) << expected[i].first;
            }
        }
    }
}

TEST(TableTexts, SampleImageSpotChecks) {
    const TableTexts en = BuildTableTexts(stateFor(test::SampleImage(), true, "."));
    EXPECT_EQ(en.channels[0], (TableRow{"1", "462.12345", "67.0", "25K(Wide)", "High"}));
    EXPECT_EQ(en.channels[2], (TableRow{"3", "461.25000", "D023I", "25K(Wide)", "Low"}));
    EXPECT_EQ(en.channels[8], (TableRow{"9", "", "", "", ""}));
    EXPECT_EQ(en.options[0].text, "-9");
    EXPECT_EQ(en.options[1].text, "60S");
    EXPECT_EQ(en.options[2].text, "0.3S");
    EXPECT_EQ(en.options[5].text, "Off"); // beep
    const TableTexts zh = BuildTableTexts(stateFor(test::SampleImage(), false, ","));
    EXPECT_EQ(zh.channels[1], (TableRow{"2", "145,50000", "无", "12,5K(窄带)", "低"}));
    EXPECT_EQ(zh.options[2].text, "1,5S"); // the same byte, 0.5 s steps in the Chinese list
    EXPECT_EQ(zh.options[1].text, "60秒");
}

TEST(TableFormat, DisplayWidthCountsWideCharactersTwice) {
    struct Row {
        const char* text;
        int width;
    };
    const Row table[] = {{"", 0},
                         {"abc", 3},
                         {"信道", 4},
                         {"12.5K(窄带)", 11},
                         {"频率超出范围！", 14},
                         {"Offset(Wide)", 12},
                         {"\xFF", 1}};
    for (const Row& r : table)
        EXPECT_EQ(DisplayWidth(r.text), r.width) << r.text;
}

// The display column at which each cell after the first starts.
std::vector<int> cellStarts(const std::string& line, const std::vector<std::string>& cells) {
    std::vector<int> starts;
    std::size_t from = 0;
    for (const std::string& cell : cells) {
        const std::size_t at = line.find(cell, from);
        starts.push_back(DisplayWidth(line.substr(0, at)));
        from = at + cell.size();
    }
    return starts;
}

TEST(TableFormat, AlignedRowsLineUpWideAndNarrowTexts) {
    const std::vector<std::vector<std::string>> rows{
        {"信道", "频率", "亚音"}, {"1", "462.12345", "无"}, {"16", "", ""}, {"2", "145.50000", "D023N"}};
    const std::string text = FormatAlignedRows(rows);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    ASSERT_EQ(lines.size(), rows.size());
    EXPECT_EQ(cellStarts(lines[0], rows[0]), (std::vector<int>{0, 6, 17}));
    EXPECT_EQ(cellStarts(lines[1], rows[1]), (std::vector<int>{0, 6, 17}));
    EXPECT_EQ(cellStarts(lines[3], rows[3]), (std::vector<int>{0, 6, 17}));
    EXPECT_EQ(lines[2], "16") << "no trailing spaces";
}

TEST(TableFormat, PlainTableHasTheGridThenTheOptions) {
    const std::string text = FormatPlainTable(BuildTableTexts(stateFor(test::SampleImage(), true, ".")));
    EXPECT_EQ(text.substr(0, text.find('\n')), "CH  Frequency  CTCSS/DCS  Channel Spacing  Tx Power");
    EXPECT_NE(text.find("\n1   462.12345  67.0       25K(Wide)        High\n"), std::string::npos);
    EXPECT_NE(text.find("\n9\n"), std::string::npos);
    EXPECT_NE(text.find("\n16  559.99750  D765N      25K(Wide)        High\n\n"), std::string::npos);
    EXPECT_NE(text.find("\nSQL             -9\n"), std::string::npos);
    EXPECT_NE(text.find("\nBusy Lock       On\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 16 + 1 + 8);
}

TEST(TableFormat, CsvTableParsesBackIntoTheSameCells) {
    for (const Setting& s : kSettings) {
        const TableTexts texts = BuildTableTexts(stateFor(test::SampleImage(), s.english, s.separator));
        const CsvParse parse = ParseCsv(FormatCsvTable(texts));
        ASSERT_TRUE(parse.ok());
        ASSERT_EQ(parse.value().size(), 1u + 16u + 8u);
        for (const CsvRecord& record : parse.value())
            EXPECT_EQ(record.cells.size(), 5u);
        EXPECT_EQ(parse.value()[0].cells, std::vector<std::string>(texts.header.begin(), texts.header.end()));
        for (int n = 1; n <= 16; ++n)
            EXPECT_EQ(parse.value()[n].cells,
                      std::vector<std::string>(texts.channels[n - 1].begin(), texts.channels[n - 1].end()));
        for (int i = 0; i < kOptionFieldCount; ++i)
            EXPECT_EQ(
                parse.value()[17 + i].cells,
                (std::vector<std::string>{texts.options[i].caption, texts.options[i].text, "", "", ""}));
    }
}

TEST(TableFormat, CommaSeparatorCellsAreQuoted) {
    const std::string csv = FormatCsvTable(BuildTableTexts(stateFor(test::SampleImage(), true, ",")));
    EXPECT_NE(csv.find("\r\n1,\"462,12345\",\"67,0\",25K(Wide),High\r\n"), std::string::npos);
}

} // namespace
} // namespace vorix
