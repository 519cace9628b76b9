#include "editing/KeyFilter.h"

#include <algorithm>
#include <array>

namespace vorix {

namespace {

// Which kinds of key a field type accepts besides Backspace and Enter.
struct FieldRule {
    std::size_t maxLength;
    bool digits;          // 0..9
    bool digitsNoZero;    // 1..9 only
    bool separator;       // the decimal separator
    bool lettersAndSigns; // A..Z, brackets, space and = + - _ * /
};

constexpr std::array<FieldRule, 7> kFieldRules{{
    {9, true, false, true, false},  // 1: frequency
    {8, true, false, true, false},  // 2
    {6, true, false, false, true},  // 3
    {3, true, false, false, false}, // 4
    {2, true, false, false, false}, // 5
    {2, true, false, false, false}, // 6
    {3, false, true, false, false}, // 7
}};

constexpr std::u32string_view kSigns = U"[] =+-_*/";

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
bool isUpper(char32_t c) {
    return c >= U'A' && c <= U'Z';
}

bool accepts(const FieldRule& rule, char32_t key, std::u32string_view separator) {
    if (key == kKeyBackspace || key == kKeyEnter)
        return true;
    if (rule.digits && isDigit(key))
        return true;
    if (rule.digitsNoZero && key >= U'1' && key <= U'9')
        return true;
    if (rule.separator && separator.size() == 1 && key == separator.front())
        return true;
    if (rule.lettersAndSigns && (isUpper(key) || kSigns.find(key) != std::u32string_view::npos))
        return true;
    return false;
}

} // namespace

char32_t FilterKey(std::u32string_view text, bool hasSelection, char32_t key, int fieldType,
                   std::u32string_view separator) {
    if (fieldType < 1 || fieldType > static_cast<int>(kFieldRules.size()))
        return 0;
    const FieldRule& rule = kFieldRules[static_cast<std::size_t>(fieldType - 1)];

    // A second separator is refused even when the first one is selected and would be replaced.
    if (separator.size() == 1 && key == separator.front() &&
        text.find(separator) != std::u32string_view::npos)
        return 0;
    if (key >= U'a' && key <= U'z')
        key = key - U'a' + U'A';
    if (!accepts(rule, key, separator))
        return 0;
    // Only a text of exactly the maximum length is held there; a longer (pasted) one is not cut.
    const bool editingKey = key == kKeyEnter || key == kKeyBackspace;
    if (text.size() == rule.maxLength && !editingKey && !hasSelection)
        return 0;
    return key;
}

bool CouldBeTyped(std::u32string_view text, int fieldType, std::u32string_view separator) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t key = text[i];
        // Backspace and Enter pass the filter but act on the text; they are never part of it.
        if (key == kKeyBackspace || key == kKeyEnter ||
            FilterKey(text.substr(0, i), false, key, fieldType, separator) != key)
            return false;
    }
    return true;
}

} // namespace vorix
