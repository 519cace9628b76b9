#include "editing/ImageDiff.h"

#include <array>
#include <cstdio>

#include "editing/TableFormat.h"
#include "image/ImageLayout.h"
#include "image/Tones.h"

namespace vorix {

namespace {

struct OptionByteName {
    int offset;
    const char* name;
};

constexpr OptionByteName kOptionByteNames[] = {
    {layout::Options, "options"},           {layout::TotStep, "TOT step"},
    {layout::SqDelayStep, "Sq Delay step"}, {layout::SqLevel, "SQL level"},
    {layout::OffsetWide, "Offset(Wide)"},   {layout::OffsetNarrow, "Offset(Narrow)"},
    {layout::WriteMark, "write mark"},
};

// The record bytes each grid column shows, as (first offset in the record, count, bits).
struct CellBytes {
    int first;
    int count;
    std::uint8_t bits;
};

constexpr std::array<CellBytes, 4> kCellBytes{{
    {layout::Frequency, layout::FrequencySize, 0xFF},
    {layout::Tone, 2, 0xFF},
    {layout::Flags, 1, layout::Wide},
    {layout::Flags, 1, layout::HighPower},
}};

const std::string kIndent = "  ";

bool isChannelByte(int offset) {
    return offset < layout::kOptionBlockStart;
}

std::string hexByte(std::uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

std::string orEmpty(const std::string& text) {
    return text.empty() ? "(empty)" : text;
}

// Bytes whose value the texts do not show exactly: an option byte outside its list (the view
// shows a fallback item) or a tone word with bits the tone text leaves out.
std::array<bool, kImageSize> inexactBytes(const AppState& state, const TableTexts& texts) {
    std::array<bool, kImageSize> inexact{};
    const OptionSelections selections = BuildOptionSelections(state.image);
    for (const OptionField& field : OptionFields()) {
        RadioImage chosen = state.image;
        ApplyOptionFieldItem(chosen, field, SelectedOptionItem(field, selections));
        if (chosen.read(field.firstByte) != state.image.read(field.firstByte))
            inexact[field.firstByte] = true;
    }
    for (int n = 1; n <= layout::kChannelCount; ++n) {
        const std::string& tone = texts.channels[n - 1][2];
        if (tone.empty())
            continue;
        const int low = layout::channelBase(n) + layout::Tone;
        const EncodedTone encoded = EncodeTone(tone, state.decimalSeparator);
        if (encoded.low != state.image.read(low) || encoded.high != state.image.read(low + 1))
            inexact[low] = inexact[low + 1] = true;
    }
    return inexact;
}

AppState withImage(const AppState& settings, const RadioImage& image) {
    AppState state = settings;
    state.image = image;
    return state;
}

} // namespace

std::uint8_t InterpretedBits(int offset) {
    if (isChannelByte(offset)) {
        const int inRecord = offset % layout::kRecordSize;
        return inRecord == layout::Flags ? layout::NewChannelFlags : 0xFF;
    }
    if (offset == layout::Options)
        return layout::PowerSave | layout::Beep | layout::BusyLock;
    if ((offset >= layout::UninterpretedFirst && offset <= layout::UninterpretedLast) ||
        offset == layout::WriteMark)
        return 0;
    return 0xFF;
}

std::string ByteName(int offset) {
    if (isChannelByte(offset)) {
        const int channel = offset / layout::kRecordSize + 1;
        const int inRecord = offset % layout::kRecordSize;
        const char* field = inRecord < layout::Tone    ? "frequency"
                            : inRecord < layout::Flags ? "tone"
                                                       : "flags";
        return "channel " + std::to_string(channel) + " " + field;
    }
    for (const OptionByteName& entry : kOptionByteNames)
        if (entry.offset == offset)
            return entry.name;
    return "not interpreted";
}

ImageDiff DiffImages(const AppState& settings, const RadioImage& a, const RadioImage& b) {
    const AppState sa = withImage(settings, a);
    const AppState sb = withImage(settings, b);
    const TableTexts ta = BuildTableTexts(sa);
    const TableTexts tb = BuildTableTexts(sb);
    const auto inexactA = inexactBytes(sa, ta);
    const auto inexactB = inexactBytes(sb, tb);
    std::array<std::uint8_t, kImageSize> shown{}; // differing bits that a changed text explains
    ImageDiff diff;

    for (int n = 1; n <= layout::kChannelCount; ++n) {
        for (int column = 1; column < kTableColumns; ++column) {
            const std::string& before = ta.channels[n - 1][column];
            const std::string& after = tb.channels[n - 1][column];
            if (before == after)
                continue;
            diff.cells.push_back({n, column, before, after});
            const CellBytes& cell = kCellBytes[column - 1];
            for (int i = 0; i < cell.count; ++i)
                shown[layout::channelBase(n) + cell.first + i] |= cell.bits;
        }
    }
    for (int i = 0; i < kOptionFieldCount; ++i) {
        if (ta.options[i].text == tb.options[i].text)
            continue;
        diff.options.push_back({ta.options[i].field, ta.options[i].text, tb.options[i].text});
        shown[ta.options[i].field->firstByte] |= ta.options[i].field->mask;
    }
    for (int offset = 0; offset < kImageSize; ++offset) {
        const std::uint8_t changed = a.read(offset) ^ b.read(offset);
        const std::uint8_t interpreted = InterpretedBits(offset);
        const std::uint8_t undefinedBits = changed & ~interpreted;
        const bool hidden = (changed & interpreted & ~shown[offset]) != 0;
        const bool inexact = (changed & interpreted) != 0 && (inexactA[offset] || inexactB[offset]);
        if (undefinedBits != 0 || hidden || inexact)
            diff.raw.push_back(
                {offset, a.read(offset), b.read(offset), undefinedBits, hidden, inexact && !hidden});
    }
    return diff;
}

std::string FormatImageDiff(const ImageDiff& diff, Language language) {
    std::string out;
    const TableRow header = TableHeader(language);
    if (!diff.cells.empty()) {
        std::vector<std::vector<std::string>> rows;
        for (const CellChange& c : diff.cells)
            rows.push_back({kIndent + header[0] + " " + std::to_string(c.channel), header[c.column],
                            orEmpty(c.before), "->", orEmpty(c.after)});
        out += "Channels:\n" + FormatAlignedRows(rows);
    }
    if (!diff.options.empty()) {
        std::vector<std::vector<std::string>> rows;
        for (const OptionChange& o : diff.options)
            rows.push_back({kIndent + std::string(OptionCaption(*o.field, language)), orEmpty(o.before), "->",
                            orEmpty(o.after)});
        out += (out.empty() ? "" : "\n") + std::string("Options:\n") + FormatAlignedRows(rows);
    }
    if (!diff.raw.empty()) {
        std::vector<std::vector<std::string>> rows;
        for (const RawChange& r : diff.raw) {
            std::string note;
            if (r.undefinedBits != 0 && InterpretedBits(r.offset) != 0)
                note = "undefined bits " + hexByte(r.undefinedBits);
            if (r.hiddenByView)
                note += std::string(note.empty() ? "" : ", ") + "shows the same";
            if (r.inexactText)
                note += std::string(note.empty() ? "" : ", ") + "not shown exactly";
            rows.push_back({kIndent + "0x" + hexByte(static_cast<std::uint8_t>(r.offset)),
                            "(" + std::to_string(r.offset) + ")", ByteName(r.offset), hexByte(r.before), "->",
                            hexByte(r.after), note});
        }
        out += (out.empty() ? "" : "\n") + std::string("Raw bytes:\n") + FormatAlignedRows(rows);
    }
    return out;
}

} // namespace vorix
