#pragma once
// The channel-list CSV that multi-radio programming tools exchange: one row per channel, named
// columns in any order, numbers always written with ".".

#include <string>
#include <vector>

#include "editing/CsvImport.h"
#include "editing/CsvTable.h"
#include "image/AppState.h"

namespace vorix {

/// True when the header row names the columns `Location` and `Frequency`: the show form's
/// header starts with the channel column instead.
bool IsChannelListHeader(const CsvRecord& header);

/// Applies the rows of a channel list to state.image; channels no row names keep their bytes.
/// Columns may come in any order and unknown ones are ignored. `Location` gives the channel
/// 1..16; a row without one takes the lowest channel that no row of the file names and no earlier
/// row took. `Name` is ignored (reported once). `Frequency` in MHz goes through the grid's band
/// rules. `Duplex` must be empty; `Tone` is empty, `Tone` (`rToneFreq`), `TSQL` (`cToneFreq`)
/// or `DTCS` (`DtcsCode`, `DtcsPolarity` N normal or R inverted); `Mode` FM is wide, NFM
/// narrow; `Power` starting with L is low, with H high (another text: high, reported), and
/// watt values make the lowest of two or more distinct values low; absent, high. A row that
/// cannot be programmed is skipped and reported; the rest is applied. Fails only on a header
/// that names a column twice.
ImportResult ImportChannelList(AppState& state, const std::vector<CsvRecord>& records);

/// The header and one row per channel in use, in the columns of the exchanged form.
std::vector<std::vector<std::string>> ChannelListRecords(const AppState& state);

/// ChannelListRecords as RFC 4180 text with CRLF line ends.
std::string FormatChannelList(const AppState& state);

} // namespace vorix
