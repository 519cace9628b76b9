#include "editing/TableFormat.h"

#include <algorithm>

#include "editing/CsvTable.h"
#include "image/Utf8Text.h"

namespace vorix {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// Blocks whose characters a terminal draws two columns wide (CJK, Hangul, full-width forms).
constexpr Range kWideRanges[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6}, {0x20000, 0x3FFFD},
};

bool isWide(char32_t c) {
    return std::any_of(std::begin(kWideRanges), std::end(kWideRanges),
                       [c](const Range& r) { return c >= r.first && c <= r.last; });
}

void trimRight(std::string& line) {
    const auto end = line.find_last_not_of(' ');
    line.erase(end == std::string::npos ? 0 : end + 1);
}

} // namespace

int DisplayWidth(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();)
        width += isWide(NextCharacter(text, i)) ? 2 : 1; // a broken byte is one narrow character
    return width;
}

std::string FormatAlignedRows(const std::vector<std::vector<std::string>>& rows) {
    std::vector<int> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    constexpr int kGap = 2;
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            line.append(static_cast<std::size_t>(widths[c] - DisplayWidth(row[c]) + kGap), ' ');
        }
        trimRight(line);
        out += line;
        out += '\n';
    }
    return out;
}

std::string FormatPlainTable(const TableTexts& texts) {
    std::vector<std::vector<std::string>> grid;
    grid.emplace_back(texts.header.begin(), texts.header.end());
    for (const TableRow& row : texts.channels)
        grid.emplace_back(row.begin(), row.end());
    std::vector<std::vector<std::string>> options;
    for (const OptionText& option : texts.options)
        options.push_back({option.caption, option.text});
    return FormatAlignedRows(grid) + "\n" + FormatAlignedRows(options);
}

std::vector<std::vector<std::string>> TableCsvRecords(const TableTexts& texts) {
    std::vector<std::vector<std::string>> records;
    records.emplace_back(texts.header.begin(), texts.header.end());
    for (const TableRow& row : texts.channels)
        records.emplace_back(row.begin(), row.end());
    for (const OptionText& option : texts.options) {
        std::vector<std::string> record(kTableColumns);
        record[0] = option.caption;
        record[1] = option.text;
        records.push_back(std::move(record));
    }
    return records;
}

std::string FormatCsvTable(const TableTexts& texts) {
    return FormatCsvRecords(TableCsvRecords(texts));
}

} // namespace vorix
