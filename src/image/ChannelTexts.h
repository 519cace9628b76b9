#pragma once
// The item texts of the spacing and power lists, which are also the texts of those grid columns.

#include "image/Language.h"
#include <array>
#include <string>
#include <string_view>

namespace vorix {

/// Item 0 narrow (12.5 kHz), item 1 wide (25 kHz); the index is the Wide bit.
std::array<std::string, 2> SpacingItems(Language language, std::string_view separator);
/// Item 0 low, item 1 high; the index is the HighPower bit.
std::array<std::string, 2> PowerItems(Language language);

} // namespace vorix
