#pragma once
// Channel rows as the texts they are copied as and pasted from: tab-separated text, which
// spreadsheets exchange as plain text, and the CSV form of `vorix-cli show --csv`. Pasting puts the
// cells through the rules of import-csv, so a pasted row stores what a typed one would.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/ChannelRows.h"
#include "image/AppState.h"

namespace vorix {

/// The rows of the channels as the grid shows them (channel number first, an empty channel as
/// empty cells), one line each with tab-separated cells; no header row, as a spreadsheet copies rows.
std::string ChannelRowsAsTabText(const AppState& state, const ChannelList& channels);

/// The same rows as CSV under the header row, in the form of `vorix-cli show --csv`.
std::string ChannelRowsAsCsv(const AppState& state, const ChannelList& channels);

/// A pasted cell that was stored otherwise than given (a replaced frequency, a corrected tone) or
/// left out (an unknown list text), or a row that was not pasted.
struct PasteNote {
    int channel = 0;        // the channel the row went to; 0 for a row that was not pasted
    std::string columnName; // the column's header; empty for a whole row
    std::string message;
};

struct PasteResult {
    RowChange change;                   // channels whose bytes changed; selection: the rows pasted into
    std::vector<PasteNote> notes;       // the option rows left out, then the cells, in text order
    int rowsLeftOut = 0;                // rows that would have gone past channel 16
    std::optional<std::string> failure; // the text is no table of channel rows; the image is unchanged
};

/// Writes the rows of a tab- or comma-separated text (tab-separated when it holds a tab) in order
/// into the channels from the lowest selected one downward, whatever channel numbers the text
/// carries. A row has the five cells of the grid; the first, the channel number, is not used. A
/// first row equal to the grid's header in either language is left out and gives the language of
/// the texts; without it they are read in state's language. Option rows of the CSV form are not
/// pasted (a note each). Each cell goes through the import rules: an empty frequency deletes the
/// channel, a frequency in an empty channel creates it, a cell equal to what the grid shows and an
/// empty tone, spacing or power cell keep the bytes. Only channel records change.
PasteResult PasteChannelRows(AppState& state, const ChannelList& selected, std::string_view text);

/// "channel 5, CTCSS/DCS: tone "50" stored as "67.0"", for the status bar or a list of notes.
std::string DescribePasteNote(const PasteNote& note);

} // namespace vorix
