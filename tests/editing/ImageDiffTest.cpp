#include <gtest/gtest.h>

#include <string>

#include "editing/ImageDiff.h"
#include "support/SampleImages.h"

namespace vorix {
namespace {

AppState english() {
    return AppState{};
}

RadioImage changed(RadioImage image, int offset, std::uint8_t value) {
    image.write(offset, value);
    return image;
}

TEST(ImageDiff, EqualImagesGiveNothing) {
    const ImageDiff diff = DiffImages(english(), test::SampleImage(), test::SampleImage());
    EXPECT_TRUE(diff.empty());
    EXPECT_EQ(FormatImageDiff(diff, Language::English), "");
}

TEST(ImageDiff, EachKindOfByteLandsInItsSection) {
    const RadioImage base = test::SampleImage();
    const int ch1 = layout::channelBase(1);
    const int ch9 = layout::channelBase(9);
    struct Row {
        const char* what;
        int offset;
        std::uint8_t value;
        std::size_t cells, options, raw;
        std::uint8_t undefinedBits;
        bool hidden, inexact;
    };
    const Row table[] = {
        {"frequency digit", ch1 + 1, 0x24, 1, 0, 0, 0, false, false},
        {"tone", ch1 + 4, 0xA8, 1, 0, 0, 0, false, false},
        {"spacing bit", ch1 + 6, 0x20, 1, 0, 0, 0, false, false},
        {"spacing and power bits", ch1 + 6, 0x00, 2, 0, 0, 0, false, false},
        {"undefined flag bit", ch1 + 6, 0x31, 0, 0, 1, 0x01, false, false},
        {"undefined and spacing bits", ch1 + 6, 0x21, 1, 0, 1, 0x01, false, false},
        {"ignored CTCSS tone bit", ch1 + 5, 0x12, 0, 0, 1, 0, true, false},
        {"empty channel byte", ch9 + 2, 0x12, 0, 0, 1, 0, true, false},
        {"frequency out of band empties the row", ch1 + 3, 0x70, 4, 0, 0, 0, false, false},
        {"uninterpreted byte", 118, 0x00, 0, 0, 1, 0x16, false, false},
        {"write mark", layout::WriteMark, 0x00, 0, 0, 1, 0x51, false, false},
        {"undefined option bit", layout::Options, 0x85, 0, 0, 1, 0x80, false, false},
        {"beep bit", layout::Options, 0x07, 0, 1, 0, 0, false, false},
        {"squelch level", layout::SqLevel, 0x00, 0, 1, 0, 0, false, false},
        {"TOT outside its list", layout::TotStep, 50, 0, 1, 1, 0, false, true},
        {"Sq Delay outside its list", layout::SqDelayStep, 11, 0, 1, 1, 0, false, true},
        {"offset below its list", layout::OffsetWide, 5, 0, 1, 1, 0, false, true},
    };
    for (const Row& r : table) {
        const ImageDiff diff = DiffImages(english(), base, changed(base, r.offset, r.value));
        EXPECT_EQ(diff.cells.size(), r.cells) << r.what;
        EXPECT_EQ(diff.options.size(), r.options) << r.what;
        ASSERT_EQ(diff.raw.size(), r.raw) << r.what;
        if (r.raw == 1) {
            EXPECT_EQ(diff.raw[0].offset, r.offset) << r.what;
            EXPECT_EQ(diff.raw[0].before, base.read(r.offset)) << r.what;
            EXPECT_EQ(diff.raw[0].after, r.value) << r.what;
            EXPECT_EQ(diff.raw[0].undefinedBits, r.undefinedBits) << r.what;
            EXPECT_EQ(diff.raw[0].hiddenByView, r.hidden) << r.what;
            EXPECT_EQ(diff.raw[0].inexactText, r.inexact) << r.what;
        }
    }
}

TEST(ImageDiff, TwoOutOfRangeValuesThatShowTheSameAreRaw) {
    RadioImage a = test::SampleImage();
    a.write(layout::TotStep, 41);
    const ImageDiff diff = DiffImages(english(), a, changed(a, layout::TotStep, 99));
    EXPECT_TRUE(diff.options.empty());
    ASSERT_EQ(diff.raw.size(), 1u);
    EXPECT_TRUE(diff.raw[0].hiddenByView);
}

TEST(ImageDiff, EverySingleBitFlipIsReported) {
    const RadioImage base = test::SampleImage();
    for (int offset = 0; offset < kImageSize; ++offset) {
        for (int bit = 0; bit < 8; ++bit) {
            const auto flipped = static_cast<std::uint8_t>(base.read(offset) ^ (1 << bit));
            const ImageDiff diff = DiffImages(english(), base, changed(base, offset, flipped));
            EXPECT_FALSE(diff.empty()) << "byte " << offset << " bit " << bit;
            for (const RawChange& raw : diff.raw)
                EXPECT_EQ(raw.undefinedBits & ~(1 << bit), 0) << "byte " << offset;
        }
    }
}

TEST(ImageDiff, ChannelChangesCarryTheTableTexts) {
    const RadioImage a = test::SampleImage();
    RadioImage b = a;
    for (int i = 0; i < layout::kRecordSize; ++i)
        b.write(layout::channelBase(2) + i, layout::ClearedChannelByte);
    const ImageDiff diff = DiffImages(english(), a, b);
    ASSERT_EQ(diff.cells.size(), 4u);
    EXPECT_EQ(diff.cells[0].channel, 2);
    EXPECT_EQ(diff.cells[0].column, 1);
    EXPECT_EQ(diff.cells[0].before, "145.50000");
    EXPECT_EQ(diff.cells[0].after, "");
    EXPECT_EQ(diff.cells[1].before, "None");
    EXPECT_EQ(diff.cells[3].before, "Low");
    ASSERT_EQ(diff.raw.size(), 1u) << "the undefined flag bits of the deleted record";
    EXPECT_EQ(diff.raw[0].undefinedBits, 0xCF);
}

TEST(ImageDiff, FormatShowsTextsAndHex) {
    const RadioImage a = test::SampleImage();
    RadioImage b = a;
    b.write(layout::channelBase(1) + 1, 0x24);
    b.write(layout::Options, 0x07);
    b.write(116, 0x00);
    b.write(124, 0xFF);
    b.write(layout::channelBase(3) + 6, 0x90);
    const std::string text = FormatImageDiff(DiffImages(english(), a, b), Language::English);
    EXPECT_EQ(text, "Channels:\n"
                    "  CH 1  Frequency  462.12345  ->  462.12445\n"
                    "\n"
                    "Options:\n"
                    "  Beep  Off  ->  On\n"
                    "\n"
                    "Raw bytes:\n"
                    "  0x14  (20)   channel 3 flags  10  ->  90  undefined bits 80\n"
                    "  0x74  (116)  not interpreted  14  ->  00\n"
                    "  0x7C  (124)  not interpreted  1C  ->  FF\n");
}

TEST(ImageDiff, ChineseTextsAndEmptyCells) {
    const RadioImage a = test::SampleImage();
    RadioImage b = a;
    for (int i = 0; i < layout::kRecordSize; ++i)
        b.write(layout::channelBase(2) + i, layout::ClearedChannelByte);
    b.write(layout::TotStep, 0);
    AppState chinese;
    chinese.language = Language::Chinese;
    const std::string text = FormatImageDiff(DiffImages(chinese, a, b), Language::Chinese);
    EXPECT_NE(text.find("  信道 2  频率      145.50000    ->  (empty)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  TOT  60秒  ->  关\n"), std::string::npos) << text;
}

TEST(ImageDiff, ByteNamesAndInterpretedBits) {
    struct Row {
        int offset;
        const char* name;
        std::uint8_t bits;
    };
    const Row table[] = {
        {0, "channel 1 frequency", 0xFF}, {4, "channel 1 tone", 0xFF},    {6, "channel 1 flags", 0x30},
        {111, "channel 16 flags", 0x30},  {112, "options", 0x07},         {113, "TOT step", 0xFF},
        {115, "SQL level", 0xFF},         {116, "not interpreted", 0x00}, {124, "not interpreted", 0x00},
        {125, "Offset(Wide)", 0xFF},      {126, "Offset(Narrow)", 0xFF},  {127, "write mark", 0x00},
    };
    for (const Row& r : table) {
        EXPECT_EQ(ByteName(r.offset), r.name);
        EXPECT_EQ(InterpretedBits(r.offset), r.bits) << r.offset;
    }
}

} // namespace
} // namespace vorix
