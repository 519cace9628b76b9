#pragma once
// Reading and writing comma-separated tables as spreadsheets exchange them (RFC 4180), and the
// tab-separated form of the same rules that spreadsheets put on the clipboard.

#include <string>
#include <string_view>
#include <vector>

#include "image/Result.h"

namespace vorix {

/// One record and the row a spreadsheet shows it in (the first record is row 1). A quoted
/// field may span lines, so the row is not the line number of the file.
struct CsvRecord {
    int row = 0;
    std::vector<std::string> cells;
};

struct CsvError {
    int row = 0;          // the row where the faulty record starts
    std::string message;  // what is wrong, without the row
};

/// "row N: what is wrong", as every reader of a table reports a record it cannot parse.
std::string DescribeCsvError(const CsvError& error);

/// The records, or the first error: never a half table.
using CsvParse = Result<std::vector<CsvRecord>, CsvError>;

/// Splits text into records. Accepts CRLF and LF line ends, a missing final line end, quoted
/// fields with doubled quotes and embedded separators or line ends, and a UTF-8 byte order mark.
/// Blank rows are left out (they still count in the row numbers). A quote inside an unquoted
/// field, text after a closing quote, or a quote that is never closed is an error. `separator`
/// is ',' for CSV files, '\t' for a spreadsheet's text on the clipboard.
CsvParse ParseCsv(std::string_view text, char separator = ',');

/// One record with CRLF at its end; a field is quoted when it holds the separator, a quote, a line
/// end, or leading or trailing spaces that a spreadsheet would otherwise drop.
std::string FormatCsvRecord(const std::vector<std::string>& cells, char separator = ',');
/// Every record as FormatCsvRecord writes it, one after the other.
std::string FormatCsvRecords(const std::vector<std::vector<std::string>>& records);

} // namespace vorix
