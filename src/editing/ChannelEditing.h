#pragma once
// The editing rules of the channel table: what a finished edit writes into the image and shows.

#include <optional>
#include <string>
#include <string_view>

#include "image/AppState.h"
#include "image/ChannelView.h"

namespace vorix {

/// Outcome of committing the frequency editor's text for one channel.
struct FrequencyCommit {
    bool warn = false;        // show "Frequency is out of range!" once
    std::string cellText;     // the editor's text as it now stands: normalised, replaced, or empty
    /// Cells of columns 1..4 to show when the commit created or deleted the channel (index 0 is
    /// the frequency cell, equal to cellText); nothing when only the frequency changed.
    std::optional<ChannelRowTexts> row;
};

/// Checks, normalises and stores a frequency text into channel `channel` (1..16). An empty text
/// deletes the channel. toneCellEmpty tells whether the row showed no tone, i.e. the channel is new.
/// A value outside both bands, as typed or after rounding to 10 Hz, is replaced by the nearest
/// allowed one with a warning, so afterwards the four frequency bytes are valid BCD of a frequency
/// in a band, or all seven record bytes are 0xFF. Never throws on any text.
/// Idempotent: committing the resulting cellText again changes nothing and does not warn.
/// A channel outside 1..16 changes nothing and returns the text as it is.
FrequencyCommit CommitFrequencyText(AppState& state, int channel, std::string_view text, bool toneCellEmpty);

/// Encodes a tone text into the channel and returns the canonical text for the editor and the cell.
/// Only bytes +4 and +5 change (none for a channel outside 1..16).
std::string CommitToneText(AppState& state, int channel, std::string_view text);

/// Sets the Wide bit (item 1) or clears it (item 0); every other bit of the Flags byte stays.
/// Any other item index, or a channel outside 1..16, changes nothing.
void CommitSpacingItem(AppState& state, int channel, int listIndex);

/// Sets the HighPower bit (item 1) or clears it (item 0); every other bit of the Flags byte stays.
/// Any other item index, or a channel outside 1..16, changes nothing.
void CommitPowerItem(AppState& state, int channel, int listIndex);

} // namespace vorix
