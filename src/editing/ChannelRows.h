#pragma once
// Commands on whole rows of the channel table: clear, move and sort channel records. They change
// only the sixteen 7-byte records; the option bytes 112..127 are never touched.

#include <vector>

#include "image/AppState.h"

namespace vorix {

/// Channel numbers 1..16. The commands take them in any order and ignore repeats and numbers
/// outside 1..16; the lists they return are ascending.
using ChannelList = std::vector<int>;

/// What a row command did. `changed` lists the channels whose record bytes now differ (empty: the
/// image is as it was, so there is nothing to undo); `selection` lists the rows that hold the
/// selected records afterwards, so that a selection can follow its records.
struct RowChange {
    ChannelList changed;
    ChannelList selection;
};

enum class RowDirection { Up, Down };

/// The valid channels of a list, ascending and each once.
ChannelList NormalisedChannels(const ChannelList& channels);

/// The channels whose records differ between two images.
ChannelList ChangedChannels(const RadioImage& before, const RadioImage& after);

/// Gives every selected channel the bytes of a deleted channel (0xFF in all seven), as emptying
/// its frequency cell does.
RowChange ClearChannels(AppState& state, const ChannelList& selected);

/// True when the selection is not empty and the move keeps it inside channels 1..16: the rows
/// move together, so nothing moves when one of them is already at the edge.
bool CanMoveChannels(const ChannelList& selected, RowDirection direction);

/// Moves each selected record one row up or down by swapping whole records with its neighbour;
/// a block of selected rows moves as one, and the row it passes over takes its place at the
/// other end. Changes nothing when CanMoveChannels is false.
RowChange MoveChannels(AppState& state, const ChannelList& selected, RowDirection direction);

/// Orders the channels in use by the frequency the table shows, ties in their present order, and
/// puts the records of the empty channels after them, their bytes and order as they were.
/// `selected` only decides RowChange::selection.
RowChange SortChannelsByFrequency(AppState& state, const ChannelList& selected);

} // namespace vorix
