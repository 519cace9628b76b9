#include "image/Tones.h"

#include "image/DecimalText.h"
#include "image/Utf8Text.h"

namespace vorix {

const std::array<int, 50> kCtcssTenths = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035, 1072, 1109, 1148,
    1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799,
    1835, 1862, 1899, 1928, 1966, 1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

const std::array<std::string_view, 116> kDcsCodes = {
    "017", "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053", "054", "055", "065",
    "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "135", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "217", "223", "225", "226", "243", "244",
    "245", "246", "251", "252", "254", "255", "261", "263", "265", "266", "271", "274", "305", "306", "311",
    "315", "325", "331", "332", "343", "345", "346", "351", "356", "364", "365", "371", "411", "412", "413",
    "423", "425", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465", "466", "503", "506",
    "516", "523", "526", "532", "534", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654",
    "662", "664", "703", "712", "723", "731", "732", "734", "743", "754", "765"};

namespace {

constexpr int kCtcssMinTenths = 600;
constexpr int kCtcssMaxTenths = 2541;
constexpr int kCtcssDefaultTenths = 670;
constexpr int kCtcssNoToneFrom = 2544;       // stored values from here on show as no tone
constexpr std::uint8_t kDcsFlag = 0x20;      // bit 5 of the high byte
constexpr std::uint8_t kInvertedFlag = 0x80; // bit 7 of the high byte

bool isNoTone(std::uint8_t low, std::uint8_t high) {
    return low == 0xFF && high == 0xFF;
}

// One DCS digit position (0-based, in characters) of a typed text, clamped to 0..7. A character
// outside ASCII, like a broken byte, counts as above '7'.
char clampDcsDigit(std::u32string_view characters, std::size_t position) {
    if (characters.size() <= position)
        return '0';
    const char32_t c = characters[position];
    if (c > U'7')
        return '7';
    if (c < U'0')
        return '0';
    return static_cast<char>(c);
}

EncodedTone encodeDcs(std::string_view text) {
    // Positions count characters, so "D无23" has its digits 2 and 3 where a person sees them.
    const std::u32string characters = Characters(text);
    std::string canonical = "D";
    for (std::size_t position = 1; position <= 3; ++position)
        canonical += clampDcsDigit(characters, position);
    const bool inverted = characters.size() >= 5 && characters[4] == U'I';
    canonical += inverted ? 'I' : 'N';
    const int code = (canonical[1] - '0') * 64 + (canonical[2] - '0') * 8 + (canonical[3] - '0');
    std::uint8_t high = static_cast<std::uint8_t>((code >> 8) | kDcsFlag);
    if (inverted)
        high |= kInvertedFlag;
    return {canonical, static_cast<std::uint8_t>(code & 0xFF), high};
}

EncodedTone encodeCtcss(std::string_view text, std::string_view separator) {
    const LeadingNumber number = ReadLeadingNumber(text, separator);
    int tenths;
    if (number.overflow || number.value < kCtcssMinTenths / 10.0)
        tenths = kCtcssDefaultTenths;
    else if (number.value > kCtcssMaxTenths / 10.0)
        tenths = kCtcssMaxTenths;
    else
        tenths = static_cast<int>(RoundHalfEven(number.value * 10));
    return {FormatTenths(tenths, separator), static_cast<std::uint8_t>(tenths & 0xFF),
            static_cast<std::uint8_t>(tenths >> 8)};
}

} // namespace

std::string NoToneText(Language language) {
    return std::string(language == Language::English ? kNoToneEnglish : kNoToneChinese);
}

void FillToneList(std::vector<std::string>& list, Language language, std::string_view separator) {
    list.reserve(list.size() + kToneListSize);
    list.push_back(NoToneText(language));
    for (int tenths : kCtcssTenths)
        list.push_back(FormatTenths(tenths, separator));
    for (char polarity : {'N', 'I'})
        for (std::string_view code : kDcsCodes)
            list.push_back("D" + std::string(code) + polarity);
}

std::string DecodeTone(std::uint8_t low, std::uint8_t high, Language language, std::string_view separator) {
    if (isNoTone(low, high))
        return NoToneText(language);
    if (high & kDcsFlag) {
        const int first = (low >> 6) + ((high & 0x01) ? 4 : 0);
        const int second = (low >> 3) & 0x07;
        const int third = low & 0x07;
        std::string text = "D";
        text += static_cast<char>('0' + first);
        text += static_cast<char>('0' + second);
        text += static_cast<char>('0' + third);
        text += (high & kInvertedFlag) ? 'I' : 'N';
        return text;
    }
    const int tenths = (high & 0x0F) * 256 + low;
    if (tenths >= kCtcssNoToneFrom)
        return NoToneText(language);
    return FormatTenths(tenths, separator);
}

EncodedTone EncodeTone(std::string_view text, std::string_view separator) {
    if (text == kNoToneEnglish || text == kNoToneChinese)
        return {std::string(text), 0xFF, 0xFF};
    if (!text.empty() && text.front() == 'D')
        return encodeDcs(text);
    return encodeCtcss(text, separator);
}

} // namespace vorix
