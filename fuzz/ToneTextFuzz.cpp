// EncodeTone on any text: it never fails, its canonical text is a fixed point that encodes to the
// same bytes, DecodeTone shows the canonical text again, and the list's own texts stay as they are.
//
// Input: the first byte chooses the decimal separator ("," for a comma, "." for anything else); the
// rest is the typed text.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "image/Tones.h"

namespace {

using vorix::fuzz::Require;

constexpr int kCtcssLowestTenths = 600;
constexpr int kCtcssHighestTenths = 2541;
constexpr std::uint8_t kDcsFlag = 0x20;

bool isListText(const std::string& text, std::string_view separator) {
    // Built per separator once: the fuzzer calls this many thousand times a second.
    static const auto lists = [] {
        std::vector<std::string> dot, comma;
        vorix::FillToneList(dot, vorix::Language::English, ".");
        vorix::FillToneList(dot, vorix::Language::Chinese, ".");
        vorix::FillToneList(comma, vorix::Language::English, ",");
        vorix::FillToneList(comma, vorix::Language::Chinese, ",");
        return std::pair{dot, comma};
    }();
    const auto& list = separator == "," ? lists.second : lists.first;
    return std::find(list.begin(), list.end(), text) != list.end();
}

void checkStoredWord(const vorix::EncodedTone& tone) {
    if (tone.low == 0xFF && tone.high == 0xFF)
        return;
    if (tone.high & kDcsFlag) {
        const std::string& t = tone.text;
        Require(t.size() == 5 && t[0] == 'D' && (t[4] == 'N' || t[4] == 'I'),
                "a DCS text is D, 3 digits, N or I");
        Require(std::all_of(t.begin() + 1, t.begin() + 4, [](char c) { return c >= '0' && c <= '7'; }),
                "the three DCS digits are octal");
        Require((tone.high & ~0xA1) == 0x00, "a DCS word sets only the code, DCS and polarity bits");
        return;
    }
    const int tenths = tone.high * 256 + tone.low;
    Require(tenths >= kCtcssLowestTenths && tenths <= kCtcssHighestTenths,
            "a CTCSS word lies in 60.0..254.1 Hz");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorix::fuzz::FuzzInput input(data, size);
    const std::string separator = input.takeByte() == ',' ? "," : ".";
    const std::string typed(input.rest());

    const vorix::EncodedTone tone = vorix::EncodeTone(typed, separator);
    checkStoredWord(tone);

    const vorix::EncodedTone again = vorix::EncodeTone(tone.text, separator);
    Require(again == tone, "the canonical text encodes to the same text and bytes");

    const vorix::Language language =
        tone.text != vorix::kNoToneChinese ? vorix::Language::English : vorix::Language::Chinese;
    Require(vorix::DecodeTone(tone.low, tone.high, language, separator) == tone.text,
            "DecodeTone shows the canonical text");
    if (isListText(typed, separator))
        Require(tone.text == typed, "a text of the tone list stays as it is");
    return 0;
}
