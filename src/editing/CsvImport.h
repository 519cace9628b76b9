#pragma once
// Applies a table in the CSV form of the show command to an image, through the same rules as
// editing the window's grid and choosing in its option controls.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/CsvTable.h"
#include "image/AppState.h"
#include "image/Result.h"

namespace vorix {

/// Sixteen rows and eight options fit in a few kilobytes; a larger input is not a table of this tool.
inline constexpr std::size_t kMostTableBytes = 1 << 20;

/// A cell that was replaced or could not be used, or a record that makes the table unusable.
struct ImportNote {
    int row = 0;    // the spreadsheet row (the header is row 1)
    int column = 0; // 1-based; 0 when the whole row is meant
    std::string columnName;
    std::string message;
};

/// The replacements and unknown texts (the rest was applied), or the record that makes the table
/// unusable; then the image may be half changed.
using ImportResult = Result<std::vector<ImportNote>, ImportNote>;

/// Applies the records to state.image. The header row gives the language (English or Chinese
/// column headers); state.decimalSeparator is the one the texts are read with. A channel row
/// starts with its number 1..16, an option row with the option's caption and holds its text in
/// the second cell. A cell equal to what the table shows for the image leaves its bytes as they
/// are; an empty frequency deletes the channel; an empty tone, spacing, power or option cell
/// keeps what the image holds. Rows and options that are not given stay as they are. A table
/// whose header is a channel list's goes to ImportChannelList.
ImportResult ImportTable(AppState& state, const std::vector<CsvRecord>& records);

/// Stores a frequency cell (in state's decimal separator) into channel 1..16 through the grid's
/// band rules; a new channel gets the grid's defaults. The note to report when what is stored is
/// not what was `written` in the file (out of both bands, or rounded to 10 Hz), else nothing.
std::optional<std::string> ImportFrequencyCell(AppState& state, int channel, std::string_view text,
                                               std::string_view written);

/// Stores a tone text as the tone editor does; the note to report when the stored tone is not
/// the one `written` in the file, else nothing.
std::optional<std::string> ImportToneCell(AppState& state, int channel, std::string_view text,
                                          std::string_view written);

/// "row 4, column 3 (CTCSS/DCS): message", or "row 4: message" for a whole row.
std::string DescribeNote(const ImportNote& note);

} // namespace vorix
