#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/Tones.h"
#include "support/Languages.h"

namespace vorix {
namespace {

std::vector<std::string> toneList(bool english, const char* sep) {
    std::vector<std::string> list;
    FillToneList(list, LanguageFor(english), sep);
    return list;
}

TEST(ToneList, HasTheListedEntriesInOrder) {
    const auto list = toneList(true, ".");
    ASSERT_EQ(list.size(), 283u);
    const std::pair<int, const char*> entries[] = {{0, "None"},    {1, "67.0"},   {13, "100.0"},
                                                   {50, "254.1"},  {51, "D017N"}, {166, "D765N"},
                                                   {167, "D017I"}, {282, "D765I"}};
    for (auto [index, text] : entries)
        EXPECT_EQ(list[index], text) << index;
    EXPECT_EQ(toneList(false, ",")[0], "无");
    EXPECT_EQ(toneList(false, ",")[1], "67,0");
}

TEST(ToneList, FillAppendsWithoutClearing) {
    std::vector<std::string> list{"x"};
    FillToneList(list, Language::English, ".");
    EXPECT_EQ(list.size(), 284u);
    EXPECT_EQ(list[1], "None");
}

// Every list entry is a canonical text: it encodes to bytes that decode back to the same text,
// in both languages and with both separators.
TEST(ToneList, EveryEntryRoundTrips) {
    for (bool english : {true, false})
        for (const char* sep : {".", ","})
            for (const std::string& text : toneList(english, sep)) {
                const EncodedTone encoded = EncodeTone(text, sep);
                EXPECT_EQ(encoded.text, text);
                EXPECT_EQ(DecodeTone(encoded.low, encoded.high, LanguageFor(english), sep), text);
            }
}

TEST(DecodeTone, WorkedValues) {
    struct Row {
        int low, high;
        const char* english;
        const char* chinese;
    };
    const Row table[] = {
        {0xFF, 0xFF, "None", "无"},     {0x9E, 0x02, "67.0", "67.0"},   {0xE8, 0x03, "100.0", "100.0"},
        {0xED, 0x09, "254.1", "254.1"}, {0x13, 0x20, "D023N", "D023N"}, {0x13, 0xA0, "D023I", "D023I"},
        {0xF5, 0x21, "D765N", "D765N"}, {0xF5, 0xA1, "D765I", "D765I"}, {0xEC, 0xA1, "D754I", "D754I"},
        {0x9E, 0x12, "67.0", "67.0"},                               // bit 4 of the high byte is ignored
        {0xEF, 0x09, "254.3", "254.3"}, {0xF0, 0x09, "None", "无"}, // 2544 reads as no tone
        {0x05, 0x00, "0.5", "0.5"},     {0x00, 0x00, "0.0", "0.0"},     {0xB5, 0x02, "69.3", "69.3"},
        {0xFF, 0xFE, "D377I", "D377I"}, // ignored DCS bits 1..4 and 6 of the high byte
        {0xFF, 0x0F, "None", "无"},     // 4095 tenths
    };
    for (const Row& r : table) {
        const auto low = static_cast<std::uint8_t>(r.low), high = static_cast<std::uint8_t>(r.high);
        EXPECT_EQ(DecodeTone(low, high, Language::English, "."), r.english)
            << std::hex << r.low << " " << r.high;
        EXPECT_EQ(DecodeTone(low, high, Language::Chinese, "."), r.chinese)
            << std::hex << r.low << " " << r.high;
    }
    EXPECT_EQ(DecodeTone(0xB5, 0x02, Language::English, ","), "69,3");
}

TEST(EncodeTone, TypedTexts) {
    struct Row {
        const char* text;
        const char* sep;
        const char* canonical;
        int low, high;
    };
    const Row table[] = {
        {"None", ".", "None", 0xFF, 0xFF},
        {"无", ".", "无", 0xFF, 0xFF},
        {"none", ".", "67.0", 0x9E, 0x02},
        {"None ", ".", "67.0", 0x9E, 0x02},
        {"D023N", ".", "D023N", 0x13, 0x20},
        {"D023I", ".", "D023I", 0x13, 0xA0},
        {"D765N", ".", "D765N", 0xF5, 0x21},
        {"D765I", ".", "D765I", 0xF5, 0xA1},
        {"D23", ".", "D230N", 0x98, 0x20},
        {"D8", ".", "D700N", 0xC0, 0x21},
        {"D754", ".", "D754N", 0xEC, 0x21},
        {"D7541", ".", "D754N", 0xEC, 0x21},
        {"D754IX", ".", "D754I", 0xEC, 0xA1},
        {"D-12", ".", "D012N", 0x0A, 0x20},
        {"D", ".", "D000N", 0x00, 0x20},
        {"D999i", ".", "D777N", 0xFF, 0x21},
        {"D\xe4\xb8\x80", ".", "D700N", 0xC0, 0x21}, // a character outside ASCII counts as above '7'
        {"D无23", ".", "D723N", 0xD3, 0x21},
        {"D无23I", ".", "D723I", 0xD3, 0xA1},     // one position per character
        {"D1\xe4\x32", ".", "D172N", 0x7A, 0x20}, // a broken UTF-8 sequence is one character above '7'
        {"d023n", ".", "67.0", 0x9E, 0x02},
        {"50", ".", "67.0", 0x9E, 0x02},
        {"59.9", ".", "67.0", 0x9E, 0x02},
        {"60", ".", "60.0", 0x58, 0x02},
        {"300", ".", "254.1", 0xED, 0x09},
        {"254.1", ".", "254.1", 0xED, 0x09},
        {"254.14", ".", "254.1", 0xED, 0x09},
        {"62.44", ".", "62.4", 0x70, 0x02},
        {"62.46", ".", "62.5", 0x71, 0x02},
        {"62.45", ".", "62.4", 0x70, 0x02}, // a tie goes to the even tenth
        {"62.55", ".", "62.6", 0x72, 0x02},
        {"100", ".", "100.0", 0xE8, 0x03},
        {"", ".", "67.0", 0x9E, 0x02},
        {"abc", ".", "67.0", 0x9E, 0x02},
        {"  88.5Hz", ".", "88.5", 0x75, 0x03},
        {"69,3", ",", "69,3", 0xB5, 0x02},
        {"69.3", ",", "69,0", 0xB2, 0x02},
        {"-100", ".", "67.0", 0x9E, 0x02},
    };
    for (const Row& r : table) {
        const EncodedTone t = EncodeTone(r.text, r.sep);
        EXPECT_EQ(t.text, r.canonical) << r.text;
        EXPECT_EQ(t.low, r.low) << r.text;
        EXPECT_EQ(t.high, r.high) << r.text;
    }
    EXPECT_EQ(EncodeTone(std::string(400, '9'), ".").text, "67.0") << "too large to represent";
}

// Whatever the radio or a file stores, the decoded text is one the encoder takes back to a
// value that decodes to the same text.
TEST(DecodeTone, EveryToneWordDecodesToAnEncodableText) {
    for (bool english : {true, false})
        for (int word = 0; word <= 0xFFFF; ++word) {
            const auto low = static_cast<std::uint8_t>(word & 0xFF),
                       high = static_cast<std::uint8_t>(word >> 8);
            const std::string text = DecodeTone(low, high, LanguageFor(english), ".");
            const EncodedTone encoded = EncodeTone(text, ".");
            ASSERT_EQ(DecodeTone(encoded.low, encoded.high, LanguageFor(english), "."), encoded.text) << word;
            const bool ctcss = text.find('.') != std::string::npos;
            const bool listedRange = !ctcss || (std::stod(text) >= 60.0 && std::stod(text) <= 254.1);
            if (listedRange) {
                ASSERT_EQ(encoded.text, text) << word;
            }
        }
}

} // namespace
} // namespace vorix
