#include "editing/RowClipboard.h"

#include <map>

#include "editing/CsvImport.h"
#include "editing/CsvTable.h"
#include "editing/OptionFields.h"
#include "editing/TableTexts.h"
#include "image/ImageLayout.h"

namespace vorix {

namespace {

constexpr char kTab = '\t';
constexpr char kComma = ',';

std::vector<std::string> cellsOf(const TableRow& row) {
    return {row.begin(), row.end()};
}

std::string formatRows(const AppState& state, const ChannelList& channels, char separator, bool header) {
    const TableTexts texts = BuildTableTexts(state);
    std::string out;
    if (header)
        out += FormatCsvRecord(cellsOf(texts.header), separator);
    for (int channel : NormalisedChannels(channels))
        out += FormatCsvRecord(cellsOf(texts.channels[channel - 1]), separator);
    return out;
}

std::string rowPrefix(int row) {
    return "row " + std::to_string(row) + ": ";
}

bool isOptionCaption(std::string_view text) {
    for (const OptionField& field : OptionFields())
        for (Language language : {Language::English, Language::Chinese})
            if (OptionCaption(field, language) == text)
                return true;
    return false;
}

// The rows of the text as import-csv records addressed to the channels they are pasted into. The
// import checks their cells; a row past channel 16 is only counted.
class RowPaster {
public:
    RowPaster(const AppState& state, int firstChannel, PasteResult& result)
        : language_(state.language), nextChannel_(firstChannel), result_(result) {}

    // Returns how many rows are pasted or left out.
    int read(std::vector<CsvRecord> records) {
        auto first = records.begin();
        if (first != records.end() && readHeader(*first))
            ++first;
        for (auto record = first; record != records.end(); ++record)
            readRow(std::move(*record));
        return static_cast<int>(rows_.size()) + result_.rowsLeftOut;
    }

    // The records for ImportTable: the header of the text's language, then the rows.
    std::vector<CsvRecord> importRecords() const {
        std::vector<CsvRecord> records{{0, cellsOf(TableHeader(language_))}};
        records.insert(records.end(), rows_.begin(), rows_.end());
        return records;
    }

    int channelOfRow(int row) const {
        const auto found = channelOfRow_.find(row);
        return found == channelOfRow_.end() ? 0 : found->second;
    }

private:
    bool readHeader(const CsvRecord& record) {
        for (Language language : {Language::English, Language::Chinese})
            if (record.cells == cellsOf(TableHeader(language))) {
                language_ = language;
                return true;
            }
        return false;
    }

    void readRow(CsvRecord record) {
        if (isOptionCaption(record.cells.front())) {
            result_.notes.push_back({0, "",
                                     rowPrefix(record.row) + "option row \"" + record.cells.front() +
                                         "\" not pasted: only channel rows are"});
            return;
        }
        if (nextChannel_ > layout::kChannelCount) {
            ++result_.rowsLeftOut;
            return;
        }
        const int channel = nextChannel_++;
        record.cells.front() = std::to_string(channel);
        channelOfRow_[record.row] = channel;
        result_.change.selection.push_back(channel);
        rows_.push_back(std::move(record));
    }

    Language language_;
    int nextChannel_;
    PasteResult& result_;
    std::vector<CsvRecord> rows_;
    std::map<int, int> channelOfRow_; // row of the text -> the channel it is pasted into
};

} // namespace

std::string ChannelRowsAsTabText(const AppState& state, const ChannelList& channels) {
    return formatRows(state, channels, kTab, false);
}

std::string ChannelRowsAsCsv(const AppState& state, const ChannelList& channels) {
    return formatRows(state, channels, kComma, true);
}

PasteResult PasteChannelRows(AppState& state, const ChannelList& selected, std::string_view text) {
    const auto failed = [](std::string message) {
        PasteResult result;
        result.failure = std::move(message);
        return result;
    };
    const ChannelList channels = NormalisedChannels(selected);
    if (channels.empty())
        return failed("no channel selected to paste into");
    const CsvParse parse = ParseCsv(text, text.find(kTab) != std::string_view::npos ? kTab : kComma);
    if (!parse.ok())
        return failed(DescribeCsvError(parse.error()));
    PasteResult result;
    RowPaster paster(state, channels.front(), result);
    if (paster.read(parse.value()) == 0 && result.notes.empty())
        return failed("no channel rows to paste");
    // On a copy: the text's language never becomes the window's, and a row the import refuses
    // (not five cells) leaves the image as it was.
    AppState pasted = state;
    const ImportResult imported = ImportTable(pasted, paster.importRecords());
    if (!imported.ok())
        return failed(DescribeNote(imported.error()));
    for (const ImportNote& note : imported.value())
        result.notes.push_back({paster.channelOfRow(note.row), note.columnName, note.message});
    result.change.changed = ChangedChannels(state.image, pasted.image);
    state.image = pasted.image;
    return result;
}

std::string DescribePasteNote(const PasteNote& note) {
    if (note.channel == 0)
        return note.message;
    std::string text = "channel " + std::to_string(note.channel);
    if (!note.columnName.empty())
        text += ", " + note.columnName;
    return text + ": " + note.message;
}

} // namespace vorix
