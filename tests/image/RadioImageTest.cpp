#include <gtest/gtest.h>

#include <stdexcept>

#include "image/ByteHelpers.h"
#include "image/DecimalText.h"
#include "image/ImageLayout.h"
#include "image/RadioImage.h"
#include "support/PackedBcd.h"

namespace vorix {
namespace {

TEST(RadioImage, StartsZeroedAndRefusesIndicesOutside0To127) {
    RadioImage image;
    for (int i = 0; i < kImageSize; ++i)
        EXPECT_EQ(image.read(i), 0);
    for (int bad : {-1, 128, 255, 256, -129}) {
        EXPECT_THROW(image.read(bad), std::out_of_range) << bad;
        EXPECT_THROW(image.write(bad, 1), std::out_of_range) << bad;
    }
    EXPECT_EQ(image, RadioImage{}) << "a refused write must not land anywhere";
    image.write(127, 0x51);
    EXPECT_EQ(image.read(127), 0x51);
}

TEST(RadioImage, SetBitsTouchesOnlyTheMask) {
    RadioImage image;
    image.write(112, 0x85);
    image.setBits(112, layout::Beep, true);
    EXPECT_EQ(image.read(112), 0x87);
    image.setBits(112, layout::PowerSave, false);
    EXPECT_EQ(image.read(112), 0x86);
}

TEST(RadioImage, OptionDefaultsAndLayout) {
    RadioImage image;
    layout::StoreOptionDefaults(image);
    const std::pair<int, int> expected[] = {{112, 7}, {113, 0}, {114, 0}, {115, 5}, {125, 42}, {126, 100}};
    for (auto [index, value] : expected)
        EXPECT_EQ(image.read(index), value) << index;
    for (int i = 0; i < 112; ++i)
        EXPECT_EQ(image.read(i), 0);
    for (int i = 116; i <= 124; ++i)
        EXPECT_EQ(image.read(i), 0);
    EXPECT_EQ(image.read(127), 0);
    EXPECT_EQ(layout::channelBase(1), 0);
    EXPECT_EQ(layout::channelBase(16), 105);
}

TEST(ByteHelpers, ByteToBcd) {
    const std::pair<int, int> table[] = {{0, 0x00},  {9, 0x09},  {10, 0x10},
                                         {37, 0x37}, {99, 0x99}, {159, 0xF9}};
    for (auto [in, out] : table)
        EXPECT_EQ(ByteToBcd(in), out) << in;
    EXPECT_THROW(ByteToBcd(160), std::overflow_error);
    EXPECT_THROW(ByteToBcd(-1), std::overflow_error);
    for (int b = 0; b <= 99; ++b)
        EXPECT_TRUE(test::IsBcd(ByteToBcd(b))) << b;
}

TEST(DecimalText, ReadLeadingNumber) {
    struct Row {
        const char* text;
        const char* sep;
        double value;
        bool overflow;
    };
    const Row table[] = {
        {"462.5", ".", 462.5, false},   {"462,5", ",", 462.5, false}, {"462,5", ".", 462, false},
        {"  69.3Hz", ".", 69.3, false}, {"abc", ".", 0, false},       {"", ".", 0, false},
        {"-12", ".", -12, false},       {".5", ".", 0.5, false},      {"4e9", ".", 4, false},
    };
    for (const Row& r : table) {
        const LeadingNumber n = ReadLeadingNumber(r.text, r.sep);
        EXPECT_DOUBLE_EQ(n.value, r.value) << r.text;
        EXPECT_EQ(n.overflow, r.overflow) << r.text;
    }
    EXPECT_TRUE(ReadLeadingNumber(std::string(400, '9'), ".").overflow);
    const LeadingNumber tiny = ReadLeadingNumber("0." + std::string(400, '0') + "1", ".");
    EXPECT_EQ(tiny.value, 0.0) << "too small to represent reads as 0";
    EXPECT_FALSE(tiny.overflow);
}

TEST(DecimalText, ReadLeadingPlainNumberIgnoresTheComma) {
    EXPECT_DOUBLE_EQ(ReadLeadingPlainNumber("462.12345"), 462.12345);
    EXPECT_DOUBLE_EQ(ReadLeadingPlainNumber("462,12345"), 462);
    EXPECT_DOUBLE_EQ(ReadLeadingPlainNumber("FF165.165"), 0);
    EXPECT_DOUBLE_EQ(ReadLeadingPlainNumber(" 400"), 0);
}

TEST(DecimalText, RoundHalfEven) {
    const std::pair<double, double> table[] = {{624.5, 624}, {625.5, 626}, {624.6, 625},
                                               {2.5, 2},     {3.5, 4},     {-0.4, 0}};
    for (auto [in, out] : table)
        EXPECT_DOUBLE_EQ(RoundHalfEven(in), out) << in;
}

} // namespace
} // namespace vorix
