#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/OptionControls.h"
#include "image/ChannelView.h"
#include "image/ImageLayout.h"

namespace vorix {
namespace {

RadioImage patternedImage() {
    RadioImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.write(i, static_cast<std::uint8_t>(i * 5 + 1));
    return image;
}

void expectOnlyByteChanged(const RadioImage& before, const RadioImage& after, int index) {
    for (int i = 0; i < kImageSize; ++i) {
        if (i != index) {
            EXPECT_EQ(after.read(i), before.read(i)) << "byte " << i;
        }
    }
}

TEST(OptionItems, CountsAndSampleTexts) {
    struct Row {
        std::vector<std::string> items;
        std::size_t count;
        std::size_t index;
        const char* text;
    };
    const Row rows[] = {
        {SqLevelItems(), 110, 0, "-9"},
        {SqLevelItems(), 110, 9, "0"},
        {SqLevelItems(), 110, 14, "5"},
        {SqLevelItems(), 110, 109, "100"},
        {TotItems(Language::English), 41, 0, "Off"},
        {TotItems(Language::English), 41, 1, "15S"},
        {TotItems(Language::English), 41, 40, "600S"},
        {TotItems(Language::Chinese), 41, 0, "关"},
        {TotItems(Language::Chinese), 41, 1, "15秒"},
        {TotItems(Language::Chinese), 41, 40, "600秒"},
        {SqDelayItems(Language::English, "."), 11, 0, "Off"},
        {SqDelayItems(Language::English, "."), 11, 1, "0.1S"},
        {SqDelayItems(Language::English, "."), 11, 10, "1.0S"},
        {SqDelayItems(Language::Chinese, "."), 11, 0, "关"},
        {SqDelayItems(Language::Chinese, "."), 11, 1, "0.5S"},
        {SqDelayItems(Language::Chinese, "."), 11, 2, "1.0S"},
        {SqDelayItems(Language::Chinese, "."), 11, 10, "5.0S"},
        {SqDelayItems(Language::English, ","), 11, 1, "0,1S"},
        {SqDelayItems(Language::Chinese, ","), 11, 3, "1,5S"},
        {OffsetItems(), 236, 0, "20"},
        {OffsetItems(), 236, 22, "42"},
        {OffsetItems(), 236, 80, "100"},
        {OffsetItems(), 236, 235, "255"},
    };
    for (const Row& r : rows) {
        ASSERT_EQ(r.items.size(), r.count) << r.text;
        EXPECT_EQ(r.items[r.index], r.text);
    }
}

TEST(OptionItems, NumberListsCountUpByOne) {
    const auto sq = SqLevelItems();
    for (std::size_t i = 0; i < sq.size(); ++i)
        EXPECT_EQ(sq[i], std::to_string(static_cast<int>(i) - 9));
    const auto offsets = OffsetItems();
    for (std::size_t i = 0; i < offsets.size(); ++i)
        EXPECT_EQ(offsets[i], std::to_string(i + 20));
    const auto tot = TotItems(Language::English);
    for (std::size_t n = 1; n < tot.size(); ++n)
        EXPECT_EQ(tot[n], std::to_string(15 * n) + "S");
}

TEST(ApplyOptionItem, WritesTheWholeByteOfItsList) {
    struct Row {
        OptionList list;
        int index;
        int byteIndex;
        int expected;
    };
    const Row rows[] = {
        {OptionList::SqLevel, 0, 115, 0xF7},    {OptionList::SqLevel, 8, 115, 0xFF},
        {OptionList::SqLevel, 9, 115, 0x00},    {OptionList::SqLevel, 14, 115, 5},
        {OptionList::SqLevel, 109, 115, 0x64},  {OptionList::Tot, 0, 113, 0},
        {OptionList::Tot, 40, 113, 40},         {OptionList::SqDelay, 0, 114, 0},
        {OptionList::SqDelay, 10, 114, 10},     {OptionList::OffsetWide, 0, 125, 20},
        {OptionList::OffsetWide, 22, 125, 42},  {OptionList::OffsetWide, 235, 125, 255},
        {OptionList::OffsetNarrow, 0, 126, 20}, {OptionList::OffsetNarrow, 235, 126, 255},
    };
    for (const Row& r : rows) {
        const RadioImage before = patternedImage();
        RadioImage image = before;
        ApplyOptionItem(image, r.list, r.index);
        EXPECT_EQ(image.read(r.byteIndex), r.expected) << r.byteIndex << " item " << r.index;
        expectOnlyByteChanged(before, image, r.byteIndex);
    }
}

TEST(ApplyOptionItem, AnIndexOutsideTheListChangesNothing) {
    struct Row {
        OptionList list;
        int index;
    };
    const Row rows[] = {
        {OptionList::SqLevel, -1},     {OptionList::SqLevel, 110},     {OptionList::Tot, -1},
        {OptionList::Tot, 41},         {OptionList::SqDelay, 11},      {OptionList::SqDelay, -5},
        {OptionList::OffsetWide, 236}, {OptionList::OffsetNarrow, -1}, {OptionList::OffsetNarrow, 1000},
    };
    for (const Row& r : rows) {
        const RadioImage before = patternedImage();
        RadioImage image = before;
        ApplyOptionItem(image, r.list, r.index);
        EXPECT_EQ(image, before) << r.index;
    }
}

// What a handler stores, the view selects again: every item of every list survives the round trip.
TEST(ApplyOptionItem, TheViewSelectsTheStoredItemAgain) {
    struct Row {
        OptionList list;
        int count;
        int OptionSelections::*item;
    };
    const Row rows[] = {
        {OptionList::SqLevel, 110, &OptionSelections::sqLevelItem},
        {OptionList::Tot, 41, &OptionSelections::totItem},
        {OptionList::SqDelay, 11, &OptionSelections::sqDelayItem},
        {OptionList::OffsetWide, 236, &OptionSelections::offsetWideItem},
        {OptionList::OffsetNarrow, 236, &OptionSelections::offsetNarrowItem},
    };
    for (const Row& r : rows) {
        for (int index = 0; index < r.count; ++index) {
            RadioImage image = patternedImage();
            ApplyOptionItem(image, r.list, index);
            EXPECT_EQ(BuildOptionSelections(image).*r.item, index);
        }
    }
}

TEST(ApplyOptionCheck, ChangesOnlyItsBitForEveryOptionsByte) {
    struct Row {
        OptionCheck check;
        int mask;
    };
    const Row rows[] = {
        {OptionCheck::PowerSave, 0x01}, {OptionCheck::Beep, 0x02}, {OptionCheck::BusyLock, 0x04}};
    for (const Row& r : rows) {
        for (int options = 0; options < 256; ++options) {
            for (bool checked : {false, true}) {
                RadioImage before = patternedImage();
                before.write(layout::Options, static_cast<std::uint8_t>(options));
                RadioImage image = before;
                ApplyOptionCheck(image, r.check, checked);
                const int expected = checked ? (options | r.mask) : (options & ~r.mask);
                ASSERT_EQ(image.read(layout::Options), expected) << options << " mask " << r.mask;
                expectOnlyByteChanged(before, image, layout::Options);
            }
        }
    }
}

TEST(ApplyOptionCheck, BeepOffAndOnAgain) {
    RadioImage image;
    image.write(layout::Options, 0x87);
    ApplyOptionCheck(image, OptionCheck::Beep, false);
    EXPECT_EQ(image.read(layout::Options), 0x85);
    ApplyOptionCheck(image, OptionCheck::Beep, true);
    EXPECT_EQ(image.read(layout::Options), 0x87);
}

} // namespace
} // namespace vorix
