#include <gtest/gtest.h>

#include <string>

#include "editing/KeyFilter.h"

namespace vorix {
namespace {

struct KeyRow {
    const char32_t* text;
    bool selection;
    char32_t key;
    const char32_t* separator;
    char32_t expected; // 0 = cancelled
    const char* why;
};

void checkRows(const std::initializer_list<KeyRow>& rows) {
    for (const KeyRow& r : rows)
        EXPECT_EQ(FilterKey(r.text, r.selection, r.key, r.separator), r.expected) << r.why;
}

TEST(FilterKey, FrequencyEditorKeys) {
    checkRows({
        {U"", false, U'0', U".", U'0', "a digit"},
        {U"46", false, U'9', U".", U'9', "another digit"},
        {U"462", false, U'.', U".", U'.', "the first separator"},
        {U"462", false, U',', U",", U',', "a comma separator"},
        {U"462", false, U',', U".", 0, "the other separator is not a digit"},
        {U"462.5", false, U'.', U".", 0, "a second separator"},
        {U"462,5", false, U',', U",", 0, "a second comma separator"},
        {U"462.50000", true, U'.', U".", 0, "separator over a selected text that holds one"},
        {U"462", false, U'a', U".", 0, "a lower-case letter"},
        {U"462", false, U'A', U".", 0, "an upper-case letter"},
        {U"462", false, U' ', U".", 0, "a space"},
        {U"462", false, U'-', U".", 0, "a sign"},
        {U"462", false, 22, U".", 0, "Ctrl+V"},
        {U"462", false, 3, U".", 0, "Ctrl+C"},
        {U"462", false, U'无', U".", 0, "a character outside ASCII"},
        {U"462.5000", false, U'0', U".", U'0', "the ninth character"},
        {U"462.50000", false, U'0', U".", 0, "a tenth character"},
        {U"462.50000", true, U'1', U".", U'1', "a tenth key replacing a selection"},
        {U"462.50000", false, kKeyEnter, U".", kKeyEnter, "Enter at the maximum length"},
        {U"462.50000", false, kKeyBackspace, U".", kKeyBackspace, "Backspace at the maximum length"},
        {U"462.500001", false, U'1', U".", U'1', "a longer pasted text is not held by the length rule"},
        {U"", false, kKeyEnter, U".", kKeyEnter, "Enter in an empty editor"},
        {U"", true, U'.', U".", U'.', "separator over a selection without one"},
    });
}

// Typing a sequence of keys through the filter, as the editor does, never goes past nine
// characters and never holds two separators.
TEST(FilterKey, TypedTextStaysAFrequencyShape) {
    const std::u32string keys = U"4a62.5.,0000000x9";
    std::u32string text;
    for (char32_t key : keys) {
        const char32_t accepted = FilterKey(text, false, key, U".");
        if (accepted != 0)
            text += accepted;
    }
    EXPECT_EQ(text, U"462.50000");
}

TEST(CouldBeTyped, FrequencyTexts) {
    struct Row {
        const char32_t* text;
        const char32_t* separator;
        bool typeable;
    };
    const Row rows[] = {
        {U"", U".", true},
        {U"146.52", U".", true},
        {U"462.50000", U".", true},
        {U".5", U".", true},
        {U"462,5", U",", true},
        {U"462.5", U",", false},
        {U"462.500001", U".", false},
        {U"146.5.2", U".", false},
        {U"1x2e3abcdef", U".", false},
        {U"146 ", U".", false},
        {U"-146", U".", false},
        {U"\uFF11\uFF14\uFF16", U".", false},
        {U"146\r", U".", false},
        {U"14\b6", U".", false},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(CouldBeTyped(rows[i].text, rows[i].separator), rows[i].typeable) << "row " << i;
}

} // namespace
} // namespace vorix
