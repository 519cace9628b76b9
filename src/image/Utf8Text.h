#pragma once
// Characters of the UTF-8 texts that users type and the tool shows, counted as people count them.

#include <cstddef>
#include <string>
#include <string_view>

namespace vorix {

/// Stands for a byte that does not start a complete UTF-8 sequence.
inline constexpr char32_t kBrokenCharacter = 0xFFFD;

/// Decodes the character that starts at text[i] and moves i past it. A byte that does not begin a
/// complete sequence is one kBrokenCharacter, and decoding goes on at the next byte.
char32_t NextCharacter(std::string_view text, std::size_t& i);

/// The characters of a UTF-8 text, one element each.
std::u32string Characters(std::string_view text);

} // namespace vorix
