#pragma once
// Tone codes: the list of selectable tones and the conversions between tone text and the Tone field.

#include "image/Language.h"
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorix {

inline constexpr int kToneListSize = 283;
inline constexpr std::string_view kNoToneEnglish = "None";
inline constexpr std::string_view kNoToneChinese = "无";

/// The 50 listed CTCSS tones in tenths of Hz, in list order.
extern const std::array<int, 50> kCtcssTenths;
/// The 116 listed DCS codes, written as their three octal digits, in list order.
extern const std::array<std::string_view, 116> kDcsCodes;

/// Entry 0 of the list: the no-tone text of the language.
std::string NoToneText(Language language);

/// Appends the 283 tone texts, in list order, to `list`.
void FillToneList(std::vector<std::string>& list, Language language, std::string_view separator);

/// The display text of a stored Tone field (low = byte +4, high = byte +5).
std::string DecodeTone(std::uint8_t low, std::uint8_t high, Language language, std::string_view separator);

struct EncodedTone {
    std::string text; // the canonical text that the editor and the cell then show
    std::uint8_t low = 0xFF;
    std::uint8_t high = 0xFF;
    friend bool operator==(const EncodedTone&, const EncodedTone&) = default;
};

/// Turns any typed or chosen text into a valid tone; never fails.
EncodedTone EncodeTone(std::string_view text, std::string_view separator);

} // namespace vorix
