#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "editing/ChannelEditing.h"
#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "support/Languages.h"
#include "support/PackedBcd.h"

namespace vorix {
namespace {

using Bcd = std::array<std::uint8_t, 4>;
using Record = std::array<std::uint8_t, 7>;

constexpr Record kDeleted{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

constexpr int kChannel = 5;

// An image where every byte differs, so a write to the wrong place shows.
AppState patternedState(const std::string& separator = ".") {
    AppState state;
    state.decimalSeparator = separator;
    for (int i = 0; i < kImageSize; ++i)
        state.image.write(i, static_cast<std::uint8_t>(i * 7 + 3));
    return state;
}

Record recordOf(const AppState& state, int channel) {
    Record r{};
    for (int i = 0; i < 7; ++i)
        r[static_cast<std::size_t>(i)] = state.image.read(layout::channelBase(channel) + i);
    return r;
}

Bcd frequencyBytes(const AppState& state, int channel) {
    const Record r = recordOf(state, channel);
    return {r[0], r[1], r[2], r[3]};
}

// Every byte outside the record of `channel` is as in `before`.
void expectOnlyRecordChanged(const AppState& before, const AppState& after, int channel) {
    const int base = layout::channelBase(channel);
    for (int i = 0; i < kImageSize; ++i) {
        if (i < base || i >= base + layout::kRecordSize) {
            EXPECT_EQ(after.image.read(i), before.image.read(i)) << "byte " << i;
        }
    }
}

// "ddd" separator "ddddd", the form the table shows a stored frequency in.
bool isNormalFrequencyText(const std::string& text, const std::string& sep) {
    if (text.size() != 9 || text.substr(3, 1) != sep)
        return false;
    for (std::size_t i : {0u, 1u, 2u, 4u, 5u, 6u, 7u, 8u})
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

const std::string kNines(400, '9');

struct FrequencyRow {
    const char* separator;
    std::string text;
    const char* cell;
    bool warn;
    Bcd bytes;
};

const FrequencyRow kFrequencyRows[] = {
    {".", "462.5", "462.50000", false, {0x00, 0x00, 0x25, 0x46}},
    {".", "136", "136.00000", false, {0x00, 0x00, 0x60, 0x13}},
    {".", "173.99999", "173.99999", false, {0x99, 0x99, 0x39, 0x17}},
    {".", "400", "400.00000", false, {0x00, 0x00, 0x00, 0x40}},
    {".", "559.99999", "559.99999", false, {0x99, 0x99, 0x99, 0x55}},
    {".", "145.5", "145.50000", false, {0x00, 0x00, 0x55, 0x14}},
    {".", "462.", "462.00000", false, {0x00, 0x00, 0x20, 0x46}},
    // Outside both bands: the nearest allowed value, with one warning.
    {".", "174", "400.00000", true, {0x00, 0x00, 0x00, 0x40}},
    {".", "399.9", "400.00000", true, {0x00, 0x00, 0x00, 0x40}},
    {".", "135.5", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    {".", "560", "559.99750", true, {0x50, 0x97, 0x99, 0x55}},
    {".", "999", "559.99750", true, {0x50, 0x97, 0x99, 0x55}},
    {".", ".", "400.00000", true, {0x00, 0x00, 0x00, 0x40}},
    {".", ".5", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    {".", "0", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    // Pasted texts the key filter would have refused.
    {".", "-5", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    {".", "abc", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    {".", " ", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    {".", "1e9", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    {".", "无", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    {".", "99999999999999999999", "559.99750", true, {0x50, 0x97, 0x99, 0x55}},
    {".", kNines, "559.99750", true, {0x50, 0x97, 0x99, 0x55}},
    {".", "-" + kNines, "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    {".", "140abc", "140abc.00", false, {0x00, 0x00, 0x00, 0x14}},
    {".", "  150", "  150.000", false, {0x00, 0x00, 0x00, 0x15}},
    {".", "150无", "150无.0000", false, {0x00, 0x00, 0x00, 0x15}}, // padded by characters, not bytes
    {".", "+150", "+150.0000", false, {0x00, 0x00, 0x00, 0x15}},
    // More than nine characters: kept as pasted, stored rounded to 10 Hz.
    {".", "145.123456", "145.123456", false, {0x46, 0x23, 0x51, 0x14}},
    {".", "145.1234549", "145.1234549", false, {0x45, 0x23, 0x51, 0x14}},
    {".", "462.50000junk", "462.50000junk", false, {0x00, 0x00, 0x25, 0x46}},
    // ...unless the rounding carries the value out of its band.
    {".", "173.999999", "400.00000", true, {0x00, 0x00, 0x00, 0x40}},
    {".", "559.999996", "559.99750", true, {0x50, 0x97, 0x99, 0x55}},
    {".", "173.999994", "173.999994", false, {0x99, 0x99, 0x39, 0x17}},
    {".", "399.999996", "400.00000", true, {0x00, 0x00, 0x00, 0x40}}, // the text itself is in the gap
    {".", "135.999996", "136.00000", true, {0x00, 0x00, 0x60, 0x13}},
    // The comma as decimal separator.
    {",", "462,5", "462,50000", false, {0x00, 0x00, 0x25, 0x46}},
    {",", ",", "400,00000", true, {0x00, 0x00, 0x00, 0x40}},
    {",", "560", "559,99750", true, {0x50, 0x97, 0x99, 0x55}},
    {",", "135", "136,00000", true, {0x00, 0x00, 0x60, 0x13}},
    {",", "462.5", "462.5,000", false, {0x00, 0x00, 0x20, 0x46}}, // "." is no decimal point here
    {".", "462,5", "462,5.000", false, {0x00, 0x00, 0x20, 0x46}},
};

TEST(CommitFrequencyText, StoresAndShowsTheCheckedFrequency) {
    for (const FrequencyRow& r : kFrequencyRows) {
        SCOPED_TRACE(r.text.substr(0, 40));
        AppState state = patternedState(r.separator);
        const AppState before = state;
        const Record old = recordOf(state, kChannel);
        const FrequencyCommit commit = CommitFrequencyText(state, kChannel, r.text, false);
        EXPECT_EQ(commit.cellText, r.cell);
        EXPECT_EQ(commit.warn, r.warn);
        EXPECT_FALSE(commit.row.has_value());
        EXPECT_EQ(frequencyBytes(state, kChannel), r.bytes);
        const Record now = recordOf(state, kChannel);
        EXPECT_EQ(now[4], old[4]); // an edit of a used row keeps tone and flags
        EXPECT_EQ(now[5], old[5]);
        EXPECT_EQ(now[6], old[6]);
        expectOnlyRecordChanged(before, state, kChannel);
    }
}

// Enter commits, and the loss of focus commits the shown text a second time: that second run
// writes the same bytes, shows no warning and sets no new-channel defaults.
TEST(CommitFrequencyText, CommittingTheResultAgainChangesNothing) {
    for (const FrequencyRow& r : kFrequencyRows) {
        SCOPED_TRACE(r.text.substr(0, 40));
        AppState state = patternedState(r.separator);
        const FrequencyCommit first = CommitFrequencyText(state, kChannel, r.text, true);
        const AppState afterFirst = state;
        const FrequencyCommit second = CommitFrequencyText(state, kChannel, first.cellText, false);
        EXPECT_EQ(second.cellText, first.cellText);
        EXPECT_FALSE(second.warn);
        EXPECT_FALSE(second.row.has_value());
        EXPECT_EQ(state.image, afterFirst.image);
    }
}

TEST(CommitFrequencyText, NewChannelGetsDefaultsInTheCurrentLanguage) {
    struct Row {
        bool english;
        const char* sep;
        const char* text;
        ChannelRowTexts row;
        bool warn;
    };
    const Row rows[] = {
        {true, ".", "462.5", {"462.50000", "None", "25K(Wide)", "High"}, false},
        {false, ".", "462.5", {"462.50000", "无", "25K(宽带)", "高"}, false},
        {true, ",", "999", {"559,99750", "None", "25K(Wide)", "High"}, true},
        {true, ".", "173.999999", {"400.00000", "None", "25K(Wide)", "High"}, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        AppState state = patternedState(r.sep);
        state.language = LanguageFor(r.english);
        const AppState before = state;
        const FrequencyCommit commit = CommitFrequencyText(state, kChannel, r.text, true);
        ASSERT_TRUE(commit.row.has_value());
        EXPECT_EQ(*commit.row, r.row);
        EXPECT_EQ(commit.cellText, r.row[0]);
        EXPECT_EQ(commit.warn, r.warn);
        const Record now = recordOf(state, kChannel);
        EXPECT_EQ(now[4], 0xFF);
        EXPECT_EQ(now[5], 0xFF);
        EXPECT_EQ(now[6], 0x30);
        expectOnlyRecordChanged(before, state, kChannel);
    }
}

TEST(CommitFrequencyText, EmptyTextDeletesTheChannel) {
    for (bool toneCellEmpty : {false, true}) {
        AppState state = patternedState();
        const AppState before = state;
        const FrequencyCommit commit = CommitFrequencyText(state, kChannel, "", toneCellEmpty);
        EXPECT_EQ(commit.cellText, "");
        EXPECT_FALSE(commit.warn);
        ASSERT_TRUE(commit.row.has_value());
        EXPECT_EQ(*commit.row, ChannelRowTexts{});
        EXPECT_EQ(recordOf(state, kChannel), kDeleted);
        EXPECT_FALSE(ChannelInUse(state, kChannel));
        expectOnlyRecordChanged(before, state, kChannel);
    }
}

TEST(CommitFrequencyText, FirstAndLastChannelAndNoChannel) {
    for (int channel : {1, 16}) {
        AppState state = patternedState();
        const AppState before = state;
        CommitFrequencyText(state, channel, "145.5", true);
        EXPECT_EQ(recordOf(state, channel), (Record{0x00, 0x00, 0x55, 0x14, 0xFF, 0xFF, 0x30}));
        expectOnlyRecordChanged(before, state, channel);
    }
    for (int channel : {0, -1, 17}) {
        AppState state = patternedState();
        const AppState before = state;
        EXPECT_NO_THROW(CommitFrequencyText(state, channel, "145.5", true));
        EXPECT_NO_THROW(CommitToneText(state, channel, "67.0"));
        EXPECT_NO_THROW(CommitSpacingItem(state, channel, 1));
        EXPECT_NO_THROW(CommitPowerItem(state, channel, 0));
        EXPECT_EQ(state.image, before.image) << channel;
    }
}

// Arbitrary editor texts: afterwards the record holds valid BCD of a frequency in a band that the
// table shows, or is deleted; nothing else changes; committing the result again is a no-op.
TEST(CommitFrequencyText, AnyTextLeavesAValidRecord) {
    const std::array<std::string, 20> pieces{"0", "1", "3", "4", "5", "6", "7",  "9", "9",  ".",
                                             ",", "-", "+", " ", "e", "a", "无", "é", "13", "55"};
    const std::array<const char*, 5> edges{"135.99999", "173.99999", "399.99999", "559.99999", "400.00000"};
    std::mt19937 random(20240611);
    for (int iteration = 0; iteration < 4000; ++iteration) {
        const std::string sep = iteration % 2 == 0 ? "." : ",";
        std::string text;
        if (iteration % 3 == 0) { // near a band edge, with a random tail
            text = edges[random() % edges.size()];
            if (sep == ",")
                text[3] = ',';
        }
        const auto length = random() % 13;
        for (unsigned i = 0; i < length; ++i)
            text += pieces[random() % pieces.size()];
        SCOPED_TRACE(text);

        AppState state = patternedState(sep);
        const AppState before = state;
        const FrequencyCommit commit = CommitFrequencyText(state, kChannel, text, random() % 2 == 0);
        expectOnlyRecordChanged(before, state, kChannel);
        const Record record = recordOf(state, kChannel);
        if (text.empty()) {
            EXPECT_EQ(record, kDeleted);
            continue;
        }
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(test::IsBcd(record[static_cast<std::size_t>(i)])) << i;
        ASSERT_TRUE(ChannelInUse(state, kChannel)) << FrequencyText(state.image, kChannel, sep);
        if (isNormalFrequencyText(commit.cellText, sep)) {
            EXPECT_EQ(FrequencyText(state.image, kChannel, sep), commit.cellText);
        }

        const AppState afterFirst = state;
        const FrequencyCommit again = CommitFrequencyText(state, kChannel, commit.cellText, false);
        EXPECT_FALSE(again.warn);
        EXPECT_EQ(again.cellText, commit.cellText);
        EXPECT_EQ(state.image, afterFirst.image);
    }
}

TEST(CommitToneText, StoresTheEncodedToneAndKeepsTheFlags) {
    struct Row {
        const char* sep;
        const char* text;
        const char* canonical;
        std::uint8_t low, high;
    };
    const Row rows[] = {
        {".", "50", "67.0", 0x9E, 0x02},   {".", "None", "None", 0xFF, 0xFF},
        {".", "无", "无", 0xFF, 0xFF},     {".", "D023I", "D023I", 0x13, 0xA0},
        {".", "D23", "D230N", 0x98, 0x20}, {".", "300", "254.1", 0xED, 0x09},
        {",", "69,3", "69,3", 0xB5, 0x02}, {".", "", "67.0", 0x9E, 0x02},
    };
    for (const Row& r : rows) {
        AppState state = patternedState(r.sep);
        const AppState before = state;
        const Record old = recordOf(state, kChannel);
        EXPECT_EQ(CommitToneText(state, kChannel, r.text), r.canonical);
        const Record now = recordOf(state, kChannel);
        EXPECT_EQ(now, (Record{old[0], old[1], old[2], old[3], r.low, r.high, old[6]})) << r.text;
        expectOnlyRecordChanged(before, state, kChannel);
    }
}

TEST(CommitSpacingAndPower, ChangeOnlyTheirBitForEveryFlagsByte) {
    const int flagsIndex = layout::channelBase(kChannel) + layout::Flags;
    for (int flags = 0; flags < 256; ++flags) {
        for (int item : {-1, 0, 1, 2}) {
            AppState state = patternedState();
            state.image.write(flagsIndex, static_cast<std::uint8_t>(flags));
            const AppState before = state;
            CommitSpacingItem(state, kChannel, item);
            const int spacing = item == 0 ? (flags & ~0x10) : item == 1 ? (flags | 0x10) : flags;
            EXPECT_EQ(state.image.read(flagsIndex), spacing) << flags << " item " << item;
            expectOnlyRecordChanged(before, state, kChannel);

            state.image.write(flagsIndex, static_cast<std::uint8_t>(flags));
            CommitPowerItem(state, kChannel, item);
            const int power = item == 0 ? (flags & ~0x20) : item == 1 ? (flags | 0x20) : flags;
            EXPECT_EQ(state.image.read(flagsIndex), power) << flags << " item " << item;
            EXPECT_EQ(recordOf(state, kChannel)[4], recordOf(before, kChannel)[4]);
        }
    }
}

} // namespace
} // namespace vorix
