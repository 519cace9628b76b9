#pragma once
// The printed channel card: the lines above the table, the grid's header and the rows of the
// channels in use, and the option controls, all as the window shows them in its language.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editing/TableTexts.h"
#include "image/AppState.h"

namespace vorix {

struct ChannelCard {
    std::string title;    // "Channel card"
    std::string fileLine; // "File: club.rdat", or the note that the image is in no file
    std::string dateLine; // "Date: " and the date text given
    TableRow header;
    std::vector<TableRow> rows; // the channels in use, in channel order, cells as the grid shows them
    std::array<std::pair<std::string, std::string>, kOptionFieldCount> options; // caption, shown text
};

/// The card for state.image in state's language and decimal separator. fileName is the name shown
/// for the image's file, empty when it was never loaded or saved; date is printed as given.
ChannelCard BuildChannelCard(const AppState& state, std::string_view fileName, std::string_view date);

} // namespace vorix
