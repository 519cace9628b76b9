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
/// Idempotent: committing the resulting cellText again changes nothing and does not warn.
FrequencyCommit CommitFrequencyText(AppState& state, int channel, std::string_view text, bool toneCellEmpty);

/// Encodes a tone text into the channel and returns the canonical text for the editor and the cell.
std::string CommitToneText(AppState& state, int channel, std::string_view text);

/// Sets the Wide bit (item 1) or clears it (item 0); every other bit of the Flags byte stays.
void CommitSpacingItem(AppState& state, int channel, int listIndex);

/// Sets the HighPower bit (item 1) or clears it (item 0); every other bit of the Flags byte stays.
void CommitPowerItem(AppState& state, int channel, int listIndex);

} // namespace vorix
