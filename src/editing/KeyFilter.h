#pragma once
// The keystroke filter of the frequency editor.

#include <string_view>

namespace vorix {

inline constexpr char32_t kKeyBackspace = 8;
inline constexpr char32_t kKeyEnter = 13;

/// Decides what a typed character does in the frequency editor holding `text` (with or without a
/// selection): returns the key when it may go in, or 0 when it is cancelled. Digits, one decimal
/// separator, Backspace and Enter pass, up to nine characters. separator is the one-character
/// decimal separator, "." or ",".
char32_t FilterKey(std::u32string_view text, bool hasSelection, char32_t key, std::u32string_view separator);

/// True when typing `text` key by key into an empty frequency editor passes every key through: the
/// only texts a paste or an input method may leave in it.
bool CouldBeTyped(std::u32string_view text, std::u32string_view separator);

} // namespace vorix
