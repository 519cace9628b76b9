#pragma once
// The two ways the show command prints the window's texts: an aligned table for people and a
// CSV table that import-csv reads back.

#include <string>
#include <string_view>
#include <vector>

#include "editing/TableTexts.h"

namespace vorix {

/// Terminal columns a UTF-8 text takes: wide (East Asian) characters count two.
int DisplayWidth(std::string_view text);

/// Rows of cells as aligned columns, two spaces apart, without trailing spaces.
std::string FormatAlignedRows(const std::vector<std::vector<std::string>>& rows);

/// The grid, a blank line, then one "caption  text" line per option control.
std::string FormatPlainTable(const TableTexts& texts);

/// The CSV records of a table: the header row, the sixteen channel rows, then one row per option
/// whose first cell is the option's caption and second cell its text (the other cells empty).
std::vector<std::vector<std::string>> TableCsvRecords(const TableTexts& texts);

/// TableCsvRecords as RFC 4180 text with CRLF line ends.
std::string FormatCsvTable(const TableTexts& texts);

} // namespace vorix
