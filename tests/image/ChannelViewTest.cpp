#include <gtest/gtest.h>

#include <random>

#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "support/Languages.h"

namespace vorix {
namespace {

AppState startupState() {
    AppState state;
    layout::StoreOptionDefaults(state.image);
    return state;
}

void putRecord(AppState& state, int channel, std::array<std::uint8_t, 7> bytes) {
    for (int i = 0; i < 7; ++i)
        state.image.write(layout::channelBase(channel) + i, bytes[static_cast<std::size_t>(i)]);
}

TEST(ChannelView, StartupShowsEmptyRowsAndTheDefaultOptions) {
    const TableView view = BuildTableView(startupState());
    for (const auto& row : view.rows)
        for (const auto& cell : row)
            EXPECT_EQ(cell, "");
    const OptionSelections expected{14, 0, 22, 80, 0, true, true, true};
    EXPECT_EQ(view.options, expected);
}

TEST(ChannelView, FrequencyTextAndBandEdges) {
    struct Row {
        std::array<std::uint8_t, 4> bcd;
        const char* text;
        bool shown;
    };
    const Row table[] = {
        {{0x45, 0x23, 0x21, 0x46}, "462.12345", true},
        {{0x00, 0x00, 0x55, 0x14}, "145.50000", true},
        {{0x00, 0x00, 0x60, 0x13}, "136.00000", true},
        {{0x99, 0x99, 0x39, 0x17}, "173.99999", true},
        {{0x00, 0x00, 0x40, 0x17}, "174.00000", false},
        {{0x99, 0x99, 0x99, 0x39}, "399.99999", false},
        {{0x00, 0x00, 0x00, 0x40}, "400.00000", true},
        {{0x99, 0x99, 0x99, 0x55}, "559.99999", true},
        {{0x00, 0x00, 0x00, 0x56}, "560.00000", false},
        {{0x99, 0x99, 0x59, 0x13}, "135.99999", false},
        {{0xFF, 0xFF, 0xFF, 0xFF}, "FF15.1515151515", false},
        {{0x00, 0x00, 0x00, 0x00}, "00.00000", false},
        {{0x00, 0x00, 0xA0, 0x14}, "1410.00000", false}, // a non-BCD nibble gives two characters
        {{0x00, 0x00, 0x5A, 0x14}, "145.100000", true},
        {{0x00, 0x00, 0x50, 0x01}, "15.00000", false}, // a top byte below 0x10 has no leading zero
    };
    for (const Row& r : table) {
        AppState state = startupState();
        putRecord(state, 3, {r.bcd[0], r.bcd[1], r.bcd[2], r.bcd[3], 0x9E, 0x02, 0x30});
        EXPECT_EQ(FrequencyText(state.image, 3, "."), r.text);
        const TableView view = BuildTableView(state);
        if (r.shown) {
            const ChannelRowTexts expected{r.text, "67.0", "25K(Wide)", "High"};
            EXPECT_EQ(view.rows[2], expected) << r.text;
        } else {
            EXPECT_EQ(view.rows[2], ChannelRowTexts{}) << r.text;
        }
    }
}

TEST(ChannelView, CommaSeparatorComparesTheWholeMegahertz) {
    AppState state = startupState();
    state.decimalSeparator = ",";
    putRecord(state, 1, {0x45, 0x23, 0x21, 0x46, 0xFF, 0xFF, 0x00});
    putRecord(state, 2, {0x99, 0x99, 0x99, 0x17, 0xFF, 0xFF, 0x00}); // 179,99999: between the bands
    const TableView view = BuildTableView(state);
    EXPECT_EQ(view.rows[0], (ChannelRowTexts{"462,12345", "None", "12,5K(Narrow)", "Low"}));
    EXPECT_EQ(view.rows[1], ChannelRowTexts{});
}

TEST(ChannelView, ToneSpacingAndPowerTextsInBothLanguages) {
    struct Row {
        int low, high, flags;
        ChannelRowTexts english, chinese;
    };
    const Row table[] = {
        {0xFF,
         0xFF,
         0x30,
         {"462.12345", "None", "25K(Wide)", "High"},
         {"462.12345", "无", "25K(宽带)", "高"}},
        {0x9E,
         0x02,
         0x00,
         {"462.12345", "67.0", "12.5K(Narrow)", "Low"},
         {"462.12345", "67.0", "12.5K(窄带)", "低"}},
        {0xED,
         0x09,
         0x10,
         {"462.12345", "254.1", "25K(Wide)", "Low"},
         {"462.12345", "254.1", "25K(宽带)", "低"}},
        {0xF0,
         0x09,
         0x20,
         {"462.12345", "None", "12.5K(Narrow)", "High"},
         {"462.12345", "无", "12.5K(窄带)", "高"}},
        {0xEC,
         0xA1,
         0xCF,
         {"462.12345", "D754I", "12.5K(Narrow)", "Low"},
         {"462.12345", "D754I", "12.5K(窄带)", "低"}},
    };
    for (const Row& r : table) {
        AppState state = startupState();
        putRecord(state, 16,
                  {0x45, 0x23, 0x21, 0x46, static_cast<std::uint8_t>(r.low),
                   static_cast<std::uint8_t>(r.high), static_cast<std::uint8_t>(r.flags)});
        EXPECT_EQ(BuildTableView(state).rows[15], r.english);
        state.language = Language::Chinese;
        EXPECT_EQ(BuildTableView(state).rows[15], r.chinese);
    }
}

TEST(ChannelView, OptionSelectionsAndFallbacks) {
    struct Row {
        int index, value, expected;
        int OptionSelections::*item;
    };
    const Row table[] = {
        {115, 0xF7, 0, &OptionSelections::sqLevelItem},
        {115, 0x00, 9, &OptionSelections::sqLevelItem},
        {115, 100, 109, &OptionSelections::sqLevelItem},
        {115, 0xFF, 8, &OptionSelections::sqLevelItem},
        {115, 101, 14, &OptionSelections::sqLevelItem},
        {115, 246, 14, &OptionSelections::sqLevelItem},
        {115, 247, 0, &OptionSelections::sqLevelItem},
        {114, 10, 10, &OptionSelections::sqDelayItem},
        {114, 11, 0, &OptionSelections::sqDelayItem},
        {113, 40, 40, &OptionSelections::totItem},
        {113, 41, 0, &OptionSelections::totItem},
        {113, 50, 0, &OptionSelections::totItem},
        {125, 20, 0, &OptionSelections::offsetWideItem},
        {125, 19, 0, &OptionSelections::offsetWideItem},
        {125, 255, 235, &OptionSelections::offsetWideItem},
        {126, 0, 0, &OptionSelections::offsetNarrowItem},
        {126, 100, 80, &OptionSelections::offsetNarrowItem},
    };
    for (const Row& r : table) {
        RadioImage image;
        image.write(r.index, static_cast<std::uint8_t>(r.value));
        EXPECT_EQ(BuildOptionSelections(image).*r.item, r.expected) << r.index << "=" << r.value;
    }
    RadioImage image;
    for (int bits = 0; bits < 256; ++bits) {
        image.write(112, static_cast<std::uint8_t>(bits));
        const OptionSelections o = BuildOptionSelections(image);
        EXPECT_EQ(o.powerSave, (bits & 1) != 0);
        EXPECT_EQ(o.beep, (bits & 2) != 0);
        EXPECT_EQ(o.busyLock, (bits & 4) != 0);
    }
}

TEST(ChannelView, NeverChangesTheImage) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 500; ++round) {
        AppState state;
        ImageBytes bytes;
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        // Half the records get a valid frequency so that the tone and flag paths run too.
        for (int channel = 1; channel <= 16; channel += 2)
            bytes[static_cast<std::size_t>(layout::channelBase(channel) + 3)] = 0x46;
        state.image.replaceAll(bytes);
        state.language = LanguageFor(round % 2);
        BuildTableView(state);
        EXPECT_EQ(state.image.bytes(), bytes);
    }
}

} // namespace
} // namespace vorix
