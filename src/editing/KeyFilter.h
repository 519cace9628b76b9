#pragma once
// The keystroke filter of the tool's text editors.

#include <string_view>

namespace vorix {

inline constexpr char32_t kKeyBackspace = 8;
inline constexpr char32_t kKeyEnter = 13;

/// Decides what a typed character does in an editor holding `text` (with or without a selection).
/// Returns the key to insert (possibly upper-cased), or 0 when the key is cancelled. fieldType
/// 1..7 sets the maximum length and the accepted keys (any other type accepts nothing); the
/// frequency editor uses type 1. separator is the one-character decimal separator, "." or ",".
char32_t FilterKey(std::u32string_view text, bool hasSelection, char32_t key, int fieldType,
                   std::u32string_view separator);

/// True when typing `text` key by key into an empty editor of this field type passes every key
/// through unchanged: the only texts a paste or an input method may leave in such an editor.
bool CouldBeTyped(std::u32string_view text, int fieldType, std::u32string_view separator);

} // namespace vorix
