#include "editing/CsvTable.h"

namespace vorix {

namespace {

constexpr char kQuote = '"';
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Reads the records one character at a time; `pos` always points at the next unread character.
class CsvReader {
public:
    CsvReader(std::string_view text, char separator) : text_(text), separator_(separator) {
        if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            pos_ = kByteOrderMark.size();
    }

    CsvParse readAll() {
        std::vector<CsvRecord> records;
        while (pos_ < text_.size()) {
            CsvRecord record{row_, {}};
            if (!readRecord(record.cells))
                return Failure{CsvError{record.row, error_}};
            const bool blank = record.cells.size() == 1 && record.cells[0].empty() && !lastFieldQuoted_;
            if (!blank)
                records.push_back(std::move(record));
            ++row_;
        }
        return records;
    }

private:
    bool readRecord(std::vector<std::string>& cells) {
        for (;;) {
            std::string field;
            if (!readField(field))
                return false;
            cells.push_back(std::move(field));
            if (pos_ >= text_.size())
                return true;
            const char c = text_[pos_];
            if (c == separator_) {
                ++pos_;
                continue;
            }
            skipLineEnd();
            return true;
        }
    }

    bool readField(std::string& field) {
        lastFieldQuoted_ = pos_ < text_.size() && text_[pos_] == kQuote;
        return lastFieldQuoted_ ? readQuoted(field) : readPlain(field);
    }

    bool readPlain(std::string& field) {
        while (pos_ < text_.size() && text_[pos_] != separator_ && !isLineEnd(text_[pos_])) {
            if (text_[pos_] == kQuote)
                return fail("a quote inside an unquoted field (quote the whole field and double the quote)");
            field += text_[pos_++];
        }
        return true;
    }

    bool readQuoted(std::string& field) {
        ++pos_; // opening quote
        for (;;) {
            if (pos_ >= text_.size())
                return fail("a quoted field is never closed");
            const char c = text_[pos_++];
            if (c != kQuote) {
                field += c;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == kQuote) {
                field += kQuote;
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] != separator_ && !isLineEnd(text_[pos_]))
                return fail("text after the closing quote of a field");
            return true;
        }
    }

    void skipLineEnd() {
        if (text_[pos_] == '\r')
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
    }

    bool fail(std::string message) {
        error_ = std::move(message);
        return false;
    }

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    int row_ = 1;
    bool lastFieldQuoted_ = false;
    std::string error_;
};

bool needsQuotes(std::string_view field, char separator) {
    const char special[] = {separator, kQuote, '\r', '\n', '\0'};
    if (field.find_first_of(special) != std::string_view::npos)
        return true;
    return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

} // namespace

CsvParse ParseCsv(std::string_view text, char separator) {
    return CsvReader(text, separator).readAll();
}

std::string FormatCsvRecord(const std::vector<std::string>& cells, char separator) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += separator;
        const std::string& field = cells[i];
        if (!needsQuotes(field, separator)) {
            line += field;
            continue;
        }
        line += kQuote;
        for (char c : field) {
            if (c == kQuote)
                line += kQuote;
            line += c;
        }
        line += kQuote;
    }
    line += "\r\n";
    return line;
}

std::string FormatCsvRecords(const std::vector<std::vector<std::string>>& records) {
    std::string text;
    for (const auto& record : records)
        text += FormatCsvRecord(record);
    return text;
}

std::string DescribeCsvError(const CsvError& error) {
    return "row " + std::to_string(error.row) + ": " + error.message;
}

} // namespace vorix
