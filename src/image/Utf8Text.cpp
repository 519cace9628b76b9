#include "image/Utf8Text.h"

#include <cstdint>

namespace vorix {

namespace {

bool isContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

char32_t NextCharacter(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<std::uint8_t>(text[i++]);
    if (lead < 0x80)
        return lead;
    const int more = lead >= 0xF8 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (more < 0 || text.size() - i < static_cast<std::size_t>(more))
        return kBrokenCharacter;
    char32_t c = more == 3 ? (lead & 0x07) : more == 2 ? (lead & 0x0F) : (lead & 0x1F);
    for (int k = 0; k < more; ++k) {
        const auto next = static_cast<std::uint8_t>(text[i + static_cast<std::size_t>(k)]);
        if (!isContinuation(next))
            return kBrokenCharacter;
        c = (c << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(more);
    return c;
}

std::u32string Characters(std::string_view text) {
    std::u32string characters;
    for (std::size_t i = 0; i < text.size();)
        characters += NextCharacter(text, i);
    return characters;
}

} // namespace vorix
