#pragma once
// The radio option controls: their list items and what a user's choice writes into the image.

#include <string>
#include <vector>

#include "image/Language.h"
#include "image/RadioImage.h"

namespace vorix {

/// "-9" .. "100": 110 items, index = level + 9.
std::vector<std::string> SqLevelItems();
/// "Off"/"关", then 15S .. 600S (English) or 15秒 .. 600秒 (Chinese): 41 items.
std::vector<std::string> TotItems(Language language);
/// "Off"/"关", then n/10 (English) or n/2 (Chinese) with one decimal and "S": 11 items.
std::vector<std::string> SqDelayItems(Language language, std::string_view separator);
/// "20" .. "255": 236 items, index = value - 20.
std::vector<std::string> OffsetItems();

enum class OptionList { SqLevel, Tot, SqDelay, OffsetWide, OffsetNarrow };
enum class OptionCheck { PowerSave, Beep, BusyLock };

/// Writes the byte of a list for the chosen item index (out-of-range indices change nothing).
void ApplyOptionItem(RadioImage& image, OptionList list, int index);
/// Sets or clears the bit of a check box in byte 112, leaving the other bits as they are.
void ApplyOptionCheck(RadioImage& image, OptionCheck check, bool checked);

} // namespace vorix
