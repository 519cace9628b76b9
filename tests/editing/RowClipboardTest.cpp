#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "editing/RowClipboard.h"
#include "editing/TableFormat.h"
#include "editing/TableTexts.h"
#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "support/Languages.h"
#include "support/SampleImages.h"

namespace vorix {
namespace {

AppState sampleState(bool english = true, const char* separator = ".") {
    AppState state;
    state.image = test::SampleImage();
    state.language = LanguageFor(english);
    state.decimalSeparator = separator;
    return state;
}

TEST(RowClipboard, CopiesRowsAsTabTextAndAsTheCsvOfShow) {
    struct Row {
        bool english;
        const char* separator;
        ChannelList channels;
        std::string tabText;
        std::string csv;
    };
    const Row table[] = {
        {true,
         ".",
         {9, 3, 1, 3},
         "1\t462.12345\t67.0\t25K(Wide)\tHigh\r\n3\t461.25000\tD023I\t25K(Wide)\tLow\r\n9\t\t\t\t\r\n",
         "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n1,462.12345,67.0,25K(Wide),High\r\n"
         "3,461.25000,D023I,25K(Wide),Low\r\n9,,,,\r\n"},
        {false,
         ",",
         {2},
         "2\t145,50000\t无\t12,5K(窄带)\t低\r\n",
         "信道,频率,亚音,宽/窄带,发射功率\r\n2,\"145,50000\",无,\"12,5K(窄带)\",低\r\n"},
        {true, ".", {0, 17}, "", "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n"},
    };
    for (const Row& r : table) {
        const AppState state = sampleState(r.english, r.separator);
        EXPECT_EQ(ChannelRowsAsTabText(state, r.channels), r.tabText);
        EXPECT_EQ(ChannelRowsAsCsv(state, r.channels), r.csv);
    }
    const AppState state = sampleState();
    const ChannelList all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    EXPECT_EQ(FormatCsvTable(BuildTableTexts(state)).rfind(ChannelRowsAsCsv(state, all), 0), 0u)
        << "all sixteen rows are what show --csv prints before the options";
}

TEST(RowClipboard, PastesRowsFromTheFirstSelectedChannelDownThroughTheImportRules) {
    using Rows = std::map<int, ChannelRowTexts>; // channel -> the grid cells expected after the paste
    struct Row {
        const char* what;
        std::string text;
        ChannelList selected;
        Rows rows;
        ChannelList changed;
        ChannelList selection;
        std::vector<std::string> notes;
        int rowsLeftOut = 0;
        const char* separator = ".";
    };
    const ChannelRowTexts empty{};
    const Row table[] = {
        {"spreadsheet rows, tabs, no header, their channel numbers ignored",
         "1\t446.00625\t88.5\t12.5K(Narrow)\tLow\n2\t147\tD023N\t25K(Wide)\tHigh\n",
         {7, 5},
         {{5, {"446.00625", "88.5", "12.5K(Narrow)", "Low"}},
          {6, {"147.00000", "D023N", "25K(Wide)", "High"}}},
         {5, 6},
         {5, 6},
         {}},
        {"this tool's CSV with its header",
         ChannelRowsAsCsv(sampleState(), {1, 2}),
         {10},
         {{10, {"462.12345", "67.0", "25K(Wide)", "High"}},
          {11, {"145.50000", "None", "12.5K(Narrow)", "Low"}}},
         {10, 11},
         {10, 11},
         {}},
        {"a Chinese header gives the language of the texts",
         "信道\t频率\t亚音\t宽/窄带\t发射功率\r\n7\t145.50000\t无\t12.5K(窄带)\t低\r\n",
         {12},
         {{12, {"145.50000", "None", "12.5K(Narrow)", "Low"}}},
         {12},
         {12},
         {}},
        {"rows past channel 16 are left out and counted",
         "a,145,,,\r\nb,146,,,\r\nc,147,,,\r\nd,148,,,\r\n",
         {15},
         {{15, {"145.00000", "None", "25K(Wide)", "High"}},
          {16, {"146.00000", "D765N", "25K(Wide)", "High"}}},
         {15, 16},
         {15, 16},
         {},
         2},
        {"replaced and unknown values are reported",
         "1,999,50,Wide,High\n2,145.123456,,,\n",
         {3},
         {{3, {"559.99750", "67.0", "25K(Wide)", "High"}},
          {4, {"145.12346", "254.1", "12.5K(Narrow)", "High"}}},
         {3, 4},
         {3, 4},
         {"channel 3, Frequency: Frequency is out of range! \"999\" stored as \"559.99750\"",
          "channel 3, CTCSS/DCS: tone \"50\" stored as \"67.0\"",
          "channel 3, Channel Spacing: unknown text \"Wide\": not an item of Channel Spacing (12.5K(Narrow), "
          "25K(Wide)); cell ignored",
          "channel 4, Frequency: frequency \"145.123456\" stored as \"145.12346\""}},
        {"an empty row deletes the channel", "3\t\t\t\t\n", {1}, {{1, empty}}, {1}, {1}, {}},
        {"option rows are not pasted; rows equal to the grid keep their bytes",
         "1,462.12345,67.0,25K(Wide),High\r\nSQL,5,,,\r\n2,145.50000,None,12.5K(Narrow),Low\r\n",
         {1},
         {},
         {},
         {1, 2},
         {"row 2: option row \"SQL\" not pasted: only channel rows are"}},
        {"decimal comma, cells quoted in CSV",
         "1,\"462,5\",\"67,0\",\"12,5K(Narrow)\",High\n",
         {9},
         {{9, {"462,50000", "67,0", "12,5K(Narrow)", "High"}}},
         {9},
         {9},
         {},
         0,
         ","},
    };
    for (const Row& r : table) {
        AppState state = sampleState(true, r.separator);
        const RadioImage base = state.image;
        const PasteResult result = PasteChannelRows(state, r.selected, r.text);
        ASSERT_FALSE(result.failure.has_value()) << r.what << ": " << *result.failure;
        EXPECT_EQ(result.change.changed, r.changed) << r.what;
        EXPECT_EQ(result.change.selection, r.selection) << r.what;
        std::vector<std::string> notes;
        for (const PasteNote& note : result.notes)
            notes.push_back(DescribePasteNote(note));
        EXPECT_EQ(notes, r.notes) << r.what;
        EXPECT_EQ(result.rowsLeftOut, r.rowsLeftOut) << r.what;
        EXPECT_EQ(state.language, Language::English) << r.what;
        const TableView view = BuildTableView(state);
        for (const auto& [channel, cells] : r.rows)
            EXPECT_EQ(view.rows[channel - 1], cells) << r.what << ", channel " << channel;
        for (int i = 0; i < kImageSize; ++i) {
            const int channel = i / layout::kRecordSize + 1;
            if (i >= layout::kOptionBlockStart || r.rows.count(channel) == 0) {
                EXPECT_EQ(state.image.read(i), base.read(i)) << r.what << ", byte " << i;
            }
        }
    }
}

TEST(RowClipboard, APasteThatIsNoTableOfRowsChangesNothing) {
    struct Row {
        std::string text;
        ChannelList selected;
        const char* failure;
    };
    const Row table[] = {
        {"1,145,,,\r\n2,462.5,67.0\r\n",
         {1},
         "row 2: 3 columns, expected 5 (CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power)"},
        {"462.12345\n",
         {1},
         "row 1: 1 columns, expected 5 (CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power)"},
        {"1,\"145,,,\r\n", {1}, "row 1: a quoted field is never closed"},
        {"CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n", {1}, "no channel rows to paste"},
        {"", {1}, "no channel rows to paste"},
        {"1,145,,,\r\n", {}, "no channel selected to paste into"},
    };
    for (const Row& r : table) {
        AppState state = sampleState();
        const PasteResult result = PasteChannelRows(state, r.selected, r.text);
        ASSERT_TRUE(result.failure.has_value()) << r.text;
        EXPECT_EQ(*result.failure, r.failure);
        EXPECT_TRUE(result.change.changed.empty() && result.change.selection.empty() && result.notes.empty());
        EXPECT_EQ(state.image, test::SampleImage()) << r.text;
    }
}

} // namespace
} // namespace vorix
