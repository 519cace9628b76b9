#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>

#include "editing/ChannelEditing.h"
#include "editing/ChannelList.h"
#include "image/ImageLayout.h"

namespace vorix {

namespace {

constexpr std::string_view kLocation = "Location";
constexpr std::string_view kName = "Name";
constexpr std::string_view kFrequency = "Frequency";
constexpr std::string_view kDuplex = "Duplex";
constexpr std::string_view kTone = "Tone";
constexpr std::string_view kRepeaterTone = "rToneFreq";
constexpr std::string_view kSquelchTone = "cToneFreq";
constexpr std::string_view kDcsCode = "DtcsCode";
constexpr std::string_view kDcsPolarity = "DtcsPolarity";
constexpr std::string_view kMode = "Mode";
constexpr std::string_view kPower = "Power";
constexpr std::string_view kRecognised[] = {kLocation,    kName,         kFrequency,   kDuplex,
                                            kTone,        kRepeaterTone, kSquelchTone, kDcsCode,
                                            kDcsPolarity, kMode,         kPower};

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool allDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Digits, optionally "." and more digits: how the form writes every number.
bool isPointDecimal(std::string_view text) {
    const auto point = text.find('.');
    if (point == std::string_view::npos)
        return !text.empty() && allDigits(text);
    return point > 0 && point + 1 < text.size() && allDigits(text.substr(0, point)) &&
           allDigits(text.substr(point + 1));
}

std::string withSeparator(std::string text, std::string_view separator) {
    if (const auto point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, separator);
    return text;
}

// The form writes six decimals where the grid holds five (10 Hz): zeros past the fifth are dropped
// so that only a frequency that really is rounded gets reported.
std::string gridFrequency(std::string text) {
    constexpr std::size_t kGridDecimals = 5;
    const auto point = text.find('.');
    while (point != std::string::npos && text.size() > point + 1 + kGridDecimals && text.back() == '0')
        text.pop_back();
    return text;
}

// "5.0W", "5W", "0.5 W" or "5.0": watts as a number; nothing for any other text.
std::optional<double> watts(std::string_view text) {
    if (!text.empty() && (text.back() == 'W' || text.back() == 'w'))
        text.remove_suffix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!isPointDecimal(text))
        return std::nullopt;
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Why a row is not programmed: the column it is about and the message.
struct Skip {
    std::string_view column;
    std::string message;
};

// What one row asks for, in the texts the editing rules take.
struct Channel {
    std::string frequency;
    std::string tone; // the tone editor's text, "." as written
    std::string_view toneColumn;
    int spacingItem = 1;
    int powerItem = 1;
};

class ChannelListImporter {
public:
    explicit ChannelListImporter(AppState& state) : state_(state) {}

    ImportResult run(const std::vector<CsvRecord>& records) {
        const CsvRecord& header = records.front();
        for (std::size_t i = 0; i < header.cells.size(); ++i) {
            const std::string& name = header.cells[i];
            if (std::find(std::begin(kRecognised), std::end(kRecognised), name) == std::end(kRecognised))
                continue;
            if (!columns_.emplace(name, static_cast<int>(i)).second)
                return Failure{ImportNote{header.row, static_cast<int>(i) + 1, name,
                                          "the column " + quoted(name) + " is given twice"}};
        }
        const std::vector<CsvRecord> rows(records.begin() + 1, records.end());
        collectNamedLocations(rows);
        collectWatts(rows);
        for (const CsvRecord& record : rows)
            applyRow(record);
        return notes_;
    }

private:
    std::string cell(const CsvRecord& record, std::string_view column) const {
        const auto found = columns_.find(column);
        if (found == columns_.end() || static_cast<std::size_t>(found->second) >= record.cells.size())
            return {};
        return record.cells[static_cast<std::size_t>(found->second)];
    }

    bool has(std::string_view column) const { return columns_.find(column) != columns_.end(); }

    static std::optional<int> location(const std::string& text) {
        for (int n = 1; n <= layout::kChannelCount; ++n)
            if (text == std::to_string(n))
                return n;
        return std::nullopt;
    }

    void collectNamedLocations(const std::vector<CsvRecord>& rows) {
        for (const CsvRecord& record : rows)
            if (const auto channel = location(cell(record, kLocation)))
                namedBy_.emplace(*channel, record.row);
    }

    void collectWatts(const std::vector<CsvRecord>& rows) {
        std::set<double> values;
        for (const CsvRecord& record : rows)
            if (const auto value = watts(cell(record, kPower)))
                values.insert(*value);
        if (values.size() >= 2)
            lowWatts_ = *values.begin();
    }

    void applyRow(const CsvRecord& record) {
        if (const std::string name = cell(record, kName); !name.empty() && !nameReported_) {
            nameReported_ = true;
            note(record.row, kName, "names ignored in every row: this radio stores no channel names");
        }
        // A row that cannot be programmed takes no channel from the rows after it.
        const auto wanted = readChannel(record);
        if (!wanted.ok()) {
            note(record.row, wanted.error().column, wanted.error().message + "; row skipped");
            return;
        }
        const std::optional<int> channel = claimChannel(record);
        if (!channel)
            return;
        const Channel& c = wanted.value();
        if (auto message = ImportFrequencyCell(
                state_, *channel, withSeparator(gridFrequency(c.frequency), state_.decimalSeparator),
                c.frequency))
            note(record.row, kFrequency, std::move(*message));
        if (auto message =
                ImportToneCell(state_, *channel, withSeparator(c.tone, state_.decimalSeparator), c.tone))
            note(record.row, c.toneColumn, std::move(*message));
        CommitSpacingItem(state_, *channel, c.spacingItem);
        CommitPowerItem(state_, *channel, c.powerItem);
        if (const std::string power = cell(record, kPower);
            !power.empty() && !watts(power) && power.front() != 'L' && power.front() != 'H')
            note(record.row, kPower,
                 "power " + quoted(power) + " is neither L..., H... nor watts; stored as High");
    }

    // The channel the row goes to, or nothing when the row is skipped (and reported).
    std::optional<int> claimChannel(const CsvRecord& record) {
        const std::string text = cell(record, kLocation);
        if (!text.empty()) {
            const auto channel = location(text);
            if (!channel) {
                note(record.row, kLocation,
                     "location " + quoted(text) + " is not a channel 1 to 16; row skipped");
                return std::nullopt;
            }
            if (const int first = namedBy_.at(*channel); first != record.row) {
                note(record.row, kLocation,
                     "channel " + text + " is already given in row " + std::to_string(first) +
                         "; row skipped");
                return std::nullopt;
            }
            taken_.insert(*channel);
            return channel;
        }
        for (int channel = 1; channel <= layout::kChannelCount; ++channel)
            if (namedBy_.count(channel) == 0 && taken_.insert(channel).second)
                return channel;
        note(record.row, kLocation, "all 16 channels are taken; row skipped");
        return std::nullopt;
    }

    Result<Channel, Skip> readChannel(const CsvRecord& record) const {
        Channel c;
        c.frequency = cell(record, kFrequency);
        if (!isPointDecimal(c.frequency))
            return Failure{Skip{kFrequency, "frequency " + quoted(c.frequency) +
                                                " is not a number of MHz written with \".\""}};
        if (const std::string duplex = cell(record, kDuplex); !duplex.empty())
            return Failure{Skip{kDuplex, "duplex " + quoted(duplex) +
                                             " cannot be programmed: this radio "
                                             "sends and receives on one frequency"}};
        if (auto tone = readTone(record); tone.ok())
            std::tie(c.tone, c.toneColumn) = tone.value();
        else
            return Failure{tone.error()};
        const std::string mode = cell(record, kMode);
        if (mode == "NFM")
            c.spacingItem = 0;
        else if (!mode.empty() && mode != "FM")
            return Failure{Skip{kMode, "mode " + quoted(mode) + " cannot be programmed (FM or NFM)"}};
        c.powerItem = powerItem(record);
        return c;
    }

    // The tone editor's text and the column it came from.
    Result<std::pair<std::string, std::string_view>, Skip> readTone(const CsvRecord& record) const {
        const std::string kind = cell(record, kTone);
        if (kind.empty())
            return std::pair{std::string("None"), kTone};
        if (kind == "Tone" || kind == "TSQL") {
            const std::string_view column = kind == "Tone" ? kRepeaterTone : kSquelchTone;
            const std::string frequency = cell(record, column);
            if (!isPointDecimal(frequency))
                return Failure{
                    Skip{column, "tone " + quoted(frequency) + " is not a number of Hz written with \".\""}};
            return std::pair{frequency, column};
        }
        if (kind == "DTCS") {
            std::string code = cell(record, kDcsCode);
            if (code.empty() || code.size() > 3 || !allDigits(code))
                return Failure{Skip{kDcsCode, "DCS code " + quoted(code) + " is not three digits"}};
            code.insert(0, 3 - code.size(), '0');
            const std::string polarity = cell(record, kDcsPolarity);
            const char first = polarity.empty() ? 'N' : polarity.front();
            if (first != 'N' && first != 'R')
                return Failure{
                    Skip{kDcsPolarity, "DCS polarity " + quoted(polarity) + " is neither N nor R"}};
            return std::pair{"D" + code + (first == 'R' ? "I" : "N"), kDcsCode};
        }
        return Failure{
            Skip{kTone, "tone mode " + quoted(kind) + " cannot be programmed (empty, Tone, TSQL or DTCS)"}};
    }

    int powerItem(const CsvRecord& record) const {
        const std::string text = cell(record, kPower);
        if (const auto value = watts(text))
            return lowWatts_ && *value == *lowWatts_ ? 0 : 1;
        return !text.empty() && text.front() == 'L' ? 0 : 1;
    }

    void note(int row, std::string_view column, std::string message) {
        const auto found = columns_.find(column);
        const int index = found == columns_.end() ? 0 : found->second + 1;
        notes_.push_back({row, index, index > 0 ? std::string(column) : "", std::move(message)});
    }

    AppState& state_;
    std::map<std::string, int, std::less<>> columns_; // recognised column -> index in the row
    std::map<int, int> namedBy_;                      // channel -> the first row whose Location names it
    std::set<int> taken_;
    std::optional<double> lowWatts_; // the lowest of two or more distinct watt values
    bool nameReported_ = false;
    std::vector<ImportNote> notes_;
};

} // namespace

bool IsChannelListHeader(const CsvRecord& header) {
    const auto named = [&](std::string_view column) {
        return std::find(header.cells.begin(), header.cells.end(), column) != header.cells.end();
    };
    return named(kLocation) && named(kFrequency);
}

ImportResult ImportChannelList(AppState& state, const std::vector<CsvRecord>& records) {
    if (records.empty() || !IsChannelListHeader(records.front()))
        return Failure{ImportNote{records.empty() ? 1 : records.front().row, 0, "",
                                  "the header must name the columns Location and Frequency"}};
    return ChannelListImporter(state).run(records);
}

} // namespace vorix
