#pragma once
// Every text the main window shows for an image: the grid with its header row and the option
// controls with their captions. The commands print, compare and read back exactly these texts.

#include <array>
#include <string>

#include "editing/OptionFields.h"
#include "image/AppState.h"
#include "image/ChannelView.h"
#include "image/ImageLayout.h"

namespace vorix {

inline constexpr int kTableColumns = 5; // CH, Frequency, CTCSS/DCS, Channel Spacing, Tx Power
using TableRow = std::array<std::string, kTableColumns>;

struct OptionText {
    const OptionField* field = nullptr;
    std::string caption;
    std::string text; // the selected item's text
};

struct TableTexts {
    TableRow header;
    std::array<TableRow, layout::kChannelCount> channels; // CH cell "1".."16", then the view's cells
    std::array<OptionText, kOptionFieldCount> options;
};

/// The grid's header row in the language.
TableRow TableHeader(Language language);

/// The grid row of channel n (1..16) from a row of the view.
TableRow ChannelTableRow(int channel, const ChannelRowTexts& cells);

/// The item text of an option control, empty when the index names no item.
std::string OptionItemText(const OptionField& field, int index, Language language,
                           std::string_view separator);

/// The window's texts for state.image, in state's language and decimal separator.
TableTexts BuildTableTexts(const AppState& state);

} // namespace vorix
