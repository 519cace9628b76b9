#include "editing/KeyFilter.h"

#include <cstddef>

namespace vorix {

namespace {

// "462.12345": three digits of MHz, the separator and five decimals.
constexpr std::size_t kMaxFrequencyLength = 9;

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

} // namespace

char32_t FilterKey(std::u32string_view text, bool hasSelection, char32_t key, std::u32string_view separator) {
    const bool isSeparator = separator.size() == 1 && key == separator.front();
    // A second separator is refused even when the first one is selected and would be replaced.
    if (isSeparator && text.find(separator) != std::u32string_view::npos)
        return 0;
    const bool editingKey = key == kKeyEnter || key == kKeyBackspace;
    if (!editingKey && !isDigit(key) && !isSeparator)
        return 0;
    // Only a text of exactly the maximum length is held there; a longer (pasted) one is not cut.
    if (text.size() == kMaxFrequencyLength && !editingKey && !hasSelection)
        return 0;
    return key;
}

bool CouldBeTyped(std::u32string_view text, std::u32string_view separator) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t key = text[i];
        // Backspace and Enter pass the filter but act on the text; they are never part of it.
        if (key == kKeyBackspace || key == kKeyEnter ||
            FilterKey(text.substr(0, i), false, key, separator) != key)
            return false;
    }
    return true;
}

} // namespace vorix
