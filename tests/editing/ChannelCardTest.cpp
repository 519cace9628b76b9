#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/ChannelCard.h"
#include "editing/TableTexts.h"
#include "support/Languages.h"
#include "support/SampleImages.h"

namespace vorix {
namespace {

// The card of the sample image: its lines in each language, the rows of the channels in use only
// (the empty channels 5-15 are left out) with the grid's texts, and the eight options.
TEST(ChannelCard, HoldsTheUsedRowsAndTheOptionsInTheLanguage) {
    const struct {
        bool english;
        const char* separator;
        const char* fileName;
        std::vector<std::string> lines; // title, file, date
        TableRow dcsRow;                // channel 3 as the grid shows it
        std::pair<std::string, std::string> busyLock;
    } cases[] = {
        {true,
         ".",
         "club.rdat",
         {"Channel card", "File: club.rdat", "Date: 2026-12-07"},
         {"3", "461.25000", "D023I", "25K(Wide)", "Low"},
         {"Busy Lock", "On"}},
        {true,
         ",",
         "",
         {"Channel card", "File: (not saved)", "Date: 2026-12-07"},
         {"3", "461,25000", "D023I", "25K(Wide)", "Low"},
         {"Busy Lock", "On"}},
        {false,
         ".",
         "",
         {"信道卡", "文件：（未保存）", "日期：2026-12-07"},
         {"3", "461.25000", "D023I", "25K(宽带)", "低"},
         {"Busy Lock", "开"}},
    };
    for (const auto& c : cases) {
        AppState state;
        state.image = test::SampleImage();
        state.language = LanguageFor(c.english);
        state.decimalSeparator = c.separator;
        const ChannelCard card = BuildChannelCard(state, c.fileName, "2026-12-07");
        EXPECT_EQ((std::vector<std::string>{card.title, card.fileLine, card.dateLine}), c.lines);

        const TableTexts shown = BuildTableTexts(state);
        EXPECT_EQ(card.header, shown.header);
        std::vector<TableRow> expected;
        for (const int channel : {1, 2, 3, 4, 16})
            expected.push_back(shown.channels[channel - 1]);
        EXPECT_EQ(card.rows, expected);
        EXPECT_EQ(card.rows[2], c.dcsRow);

        for (int i = 0; i < kOptionFieldCount; ++i) {
            EXPECT_EQ(card.options[i].first, shown.options[i].caption);
            EXPECT_EQ(card.options[i].second, shown.options[i].text);
            EXPECT_FALSE(card.options[i].second.empty()) << card.options[i].first;
        }
        EXPECT_EQ(card.options[kOptionFieldCount - 1], c.busyLock);
    }
}

} // namespace
} // namespace vorix
