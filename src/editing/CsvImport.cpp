#include "editing/CsvImport.h"

#include <charconv>
#include <map>

#include "editing/ChannelEditing.h"
#include "editing/ChannelList.h"
#include "editing/OptionFields.h"
#include "editing/TableTexts.h"
#include "image/ChannelTexts.h"
#include "image/ChannelView.h"
#include "texts/InterfaceTexts.h"

namespace vorix {

namespace {

enum Column { ChannelColumn = 0, FrequencyColumn, ToneColumn, SpacingColumn, PowerColumn };
constexpr int kOptionValueColumn = FrequencyColumn;
constexpr std::size_t kListedItemsMax = 11; // longer lists are named by their first and last item

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string joinHeader(const TableRow& header) {
    std::string text;
    for (const std::string& cell : header)
        text += (text.empty() ? "" : ",") + cell;
    return text;
}

std::string describeItems(const std::vector<std::string>& items) {
    if (items.empty())
        return {};
    if (items.size() > kListedItemsMax)
        return items.front() + " ... " + items.back();
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

int itemIndex(const std::vector<std::string>& items, std::string_view text) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text)
            return static_cast<int>(i);
    return -1;
}

bool allDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The decimal separator of the other number format: a table saved there holds it in its numbers.
char otherSeparator(std::string_view separator) {
    return separator == "," ? '.' : ',';
}

// Digits, one `mark`, digits: a number that reads the same with either separator.
bool isPlainDecimal(std::string_view text, char mark) {
    const auto at = text.find(mark);
    return at != std::string_view::npos && at > 0 && at + 1 < text.size() && allDigits(text.substr(0, at)) &&
           allDigits(text.substr(at + 1));
}

std::string replaced(std::string text, char from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, 1, to);
    return text;
}

// The tenths of a plain decimal number such as "100", "100.0" or "100.00"; nothing for any other
// text or one with a non-zero digit past the tenths.
std::optional<long> plainTenths(std::string_view text, std::string_view separator) {
    constexpr std::size_t kMaxWholeDigits = 6;
    const auto sep = text.find(separator);
    const std::string_view whole = text.substr(0, sep);
    const std::string_view decimals =
        sep == std::string_view::npos ? "" : text.substr(sep + separator.size());
    if (whole.empty() || whole.size() > kMaxWholeDigits || !allDigits(whole) || !allDigits(decimals))
        return std::nullopt;
    if (decimals.size() > 1 && decimals.substr(1).find_first_not_of('0') != std::string_view::npos)
        return std::nullopt;
    long value = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), value);
    return value * 10 + (decimals.empty() ? 0 : decimals[0] - '0');
}

// True when the typed tone names the tone that was stored, only spelt with more or fewer zeros.
bool sameTone(std::string_view typed, const std::string& canonical, std::string_view separator) {
    if (typed == canonical)
        return true;
    const auto a = plainTenths(typed, separator);
    const auto b = plainTenths(canonical, separator);
    return a && b && *a == *b;
}

std::optional<int> channelNumber(std::string_view text) {
    for (int n = 1; n <= layout::kChannelCount; ++n)
        if (text == std::to_string(n))
            return n;
    return std::nullopt;
}

const OptionField* optionByCaption(std::string_view text, Language language) {
    for (const OptionField& field : OptionFields())
        if (OptionCaption(field, language) == text)
            return &field;
    return nullptr;
}

class TableImporter {
public:
    explicit TableImporter(AppState& state) : state_(state) {}

    void run(const std::vector<CsvRecord>& records) {
        if (records.empty()) {
            fail(1, -1,
                 "the table is empty: the first row must be the header " +
                     joinHeader(TableHeader(Language::English)));
            return;
        }
        if (!readHeader(records.front()))
            return;
        for (std::size_t i = 1; i < records.size() && !failure_; ++i)
            applyRecord(records[i]);
    }

    ImportResult result() const {
        if (failure_)
            return Failure{*failure_};
        return notes_;
    }

private:
    bool readHeader(const CsvRecord& record) {
        for (Language language : {Language::English, Language::Chinese}) {
            const TableRow header = TableHeader(language);
            if (std::vector<std::string>(header.begin(), header.end()) == record.cells) {
                state_.language = language;
                header_ = header;
                return true;
            }
        }
        fail(record.row, -1,
             "the header must be " + joinHeader(TableHeader(Language::English)) + " (or " +
                 joinHeader(TableHeader(Language::Chinese)) + ")");
        return false;
    }

    void applyRecord(const CsvRecord& record) {
        if (record.cells.size() != static_cast<std::size_t>(kTableColumns)) {
            fail(record.row, -1,
                 std::to_string(record.cells.size()) + " columns, expected " + std::to_string(kTableColumns) +
                     " (" + joinHeader(header_) + ")");
            return;
        }
        const std::string& key = record.cells[ChannelColumn];
        const auto [first, isNew] = seen_.emplace(key, record.row);
        if (!isNew) {
            fail(record.row, ChannelColumn,
                 quoted(key) + " is given twice (first in row " + std::to_string(first->second) + ")");
            return;
        }
        if (const auto channel = channelNumber(key))
            applyChannel(record, *channel);
        else if (const OptionField* field = optionByCaption(key, state_.language))
            applyOption(record, *field);
        else
            fail(record.row, ChannelColumn,
                 quoted(key) + " is neither a channel number 1 to 16 nor an option caption");
    }

    void applyChannel(const CsvRecord& record, int channel) {
        const auto& cells = record.cells;
        ChannelRowTexts shown = BuildTableView(state_).rows[channel - 1];
        const std::optional<std::string> frequency =
            numberText(record.row, FrequencyColumn, cells[FrequencyColumn]);
        if (frequency && *frequency != shown[0]) {
            if (auto message = ImportFrequencyCell(state_, channel, *frequency, cells[FrequencyColumn]))
                note(record.row, FrequencyColumn, std::move(*message));
            shown = BuildTableView(state_).rows[channel - 1];
        }
        const bool inUse = !shown[0].empty();
        for (int column : {ToneColumn, SpacingColumn, PowerColumn}) {
            // A DCS text holds no number; any other tone text is read as one.
            const bool number = column == ToneColumn && cells[column].rfind('D', 0) != 0;
            const std::optional<std::string> text =
                number ? numberText(record.row, column, cells[column]) : cells[column];
            if (!text)
                continue;
            const std::string& cell = *text;
            if (cell.empty() || cell == shown[column - 1])
                continue;
            if (!inUse) {
                note(record.row, column,
                     quoted(cell) + " ignored: channel " + std::to_string(channel) + " has no frequency");
                continue;
            }
            if (column == ToneColumn)
                applyTone(record.row, channel, cell);
            else
                applyFlagItem(record.row, channel, column, cell);
        }
    }

    void applyTone(int row, int channel, const std::string& cell) {
        if (auto message = ImportToneCell(state_, channel, cell, cell))
            note(row, ToneColumn, std::move(*message));
    }

    void applyFlagItem(int row, int channel, int column, const std::string& cell) {
        const bool spacing = column == SpacingColumn;
        const auto pair =
            spacing ? SpacingItems(state_.language, state_.decimalSeparator) : PowerItems(state_.language);
        const std::vector<std::string> items(pair.begin(), pair.end());
        const int index = listItemIndex(items, cell);
        if (index < 0) {
            unknownText(row, column, cell, items);
            return;
        }
        if (spacing)
            CommitSpacingItem(state_, channel, index);
        else
            CommitPowerItem(state_, channel, index);
    }

    void applyOption(const CsvRecord& record, const OptionField& field) {
        const std::string_view caption = OptionCaption(field, state_.language);
        for (int column = kOptionValueColumn + 1; column < kTableColumns; ++column)
            if (!record.cells[column].empty())
                note(record.row, column,
                     quoted(record.cells[column]) + " ignored: an option row holds its text in column " +
                         std::to_string(kOptionValueColumn + 1),
                     caption);
        const std::string& cell = record.cells[kOptionValueColumn];
        const auto items = OptionFieldItems(field, state_.language, state_.decimalSeparator);
        if (cell.empty())
            return;
        const int index = listItemIndex(items, cell);
        if (index < 0) {
            unknownText(record.row, kOptionValueColumn, cell, items, caption);
            return;
        }
        if (index != SelectedOptionItem(field, BuildOptionSelections(state_.image)))
            ApplyOptionFieldItem(state_.image, field, index);
    }

    // The text to apply for a number cell. A table saved under the other number format writes
    // "496,02721" where this one reads "496.02721": a plain number takes this table's separator.
    // Any other text holding the other separator would be read only up to it, cutting the number
    // short, so the cell is refused.
    std::optional<std::string> numberText(int row, int column, const std::string& cell) {
        const char other = otherSeparator(state_.decimalSeparator);
        if (cell.find(other) == std::string::npos)
            return cell;
        if (isPlainDecimal(cell, other))
            return replaced(cell, other, state_.decimalSeparator);
        note(row, column,
             "unreadable number " + quoted(cell) +
                 ": one decimal separator (\".\" or \",\") between digits; cell ignored");
        return std::nullopt;
    }

    // A list item, also when written with the other number format's separator ("12,5K(Narrow)").
    int listItemIndex(const std::vector<std::string>& items, const std::string& cell) const {
        const int index = itemIndex(items, cell);
        if (index >= 0)
            return index;
        return itemIndex(items,
                         replaced(cell, otherSeparator(state_.decimalSeparator), state_.decimalSeparator));
    }

    void unknownText(int row, int column, const std::string& cell, const std::vector<std::string>& items,
                     std::string_view listName = {}) {
        const std::string name = listName.empty() ? header_[column] : std::string(listName);
        note(row, column,
             "unknown text " + quoted(cell) + ": not an item of " + name + " (" + describeItems(items) +
                 "); cell ignored",
             listName);
    }

    // An option row's cells are named after the option, not after the grid column above them.
    ImportNote makeNote(int row, int column, std::string message, std::string_view name = {}) const {
        if (column < 0)
            return {row, 0, "", std::move(message)};
        return {row, column + 1, name.empty() ? header_[column] : std::string(name), std::move(message)};
    }

    void note(int row, int column, std::string message, std::string_view name = {}) {
        notes_.push_back(makeNote(row, column, std::move(message), name));
    }

    void fail(int row, int column, std::string message) {
        failure_ = makeNote(row, column, std::move(message));
    }

    AppState& state_;
    std::vector<ImportNote> notes_;
    std::optional<ImportNote> failure_; // the first record that makes the table unusable
    TableRow header_ = TableHeader(Language::English);
    std::map<std::string, int> seen_; // first-cell text -> the row that gave it
};

} // namespace

std::optional<std::string> ImportFrequencyCell(AppState& state, int channel, std::string_view text,
                                               std::string_view written) {
    const bool isNew = BuildTableView(state).rows[channel - 1][1].empty();
    const FrequencyCommit commit = CommitFrequencyText(state, channel, text, isNew);
    if (commit.warn)
        return std::string(Text(TextId::FrequencyOutOfRange, Language::English)) + " " + quoted(written) +
               " stored as " + quoted(commit.cellText);
    const std::string shown = BuildTableView(state).rows[channel - 1][0];
    if (commit.cellText != shown) // rounded to 10 Hz
        return "frequency " + quoted(written) + " stored as " + quoted(shown);
    return std::nullopt;
}

std::optional<std::string> ImportToneCell(AppState& state, int channel, std::string_view text,
                                          std::string_view written) {
    const std::string stored = CommitToneText(state, channel, text);
    if (sameTone(text, stored, state.decimalSeparator))
        return std::nullopt;
    return "tone " + quoted(written) + " stored as " + quoted(stored);
}

ImportResult ImportTable(AppState& state, const std::vector<CsvRecord>& records) {
    if (!records.empty() && IsChannelListHeader(records.front()))
        return ImportChannelList(state, records);
    TableImporter importer(state);
    importer.run(records);
    return importer.result();
}

std::string DescribeNote(const ImportNote& note) {
    std::string text = "row " + std::to_string(note.row);
    if (note.column > 0)
        text += ", column " + std::to_string(note.column) + " (" + note.columnName + ")";
    return text + ": " + note.message;
}

} // namespace vorix
