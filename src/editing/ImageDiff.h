#pragma once
// What differs between two images: the table cells and option texts as the window shows them,
// then, in hex, every differing bit the window does not show.

#include <cstdint>
#include <string>
#include <vector>

#include "editing/TableTexts.h"
#include "image/AppState.h"

namespace vorix {

struct CellChange {
    int channel = 0; // 1..16
    int column = 0;  // 1 Frequency .. 4 Tx Power
    std::string before, after;
};

struct OptionChange {
    const OptionField* field = nullptr;
    std::string before, after;
};

/// A byte whose difference the texts above do not show, or show only in part.
struct RawChange {
    int offset = 0;
    std::uint8_t before = 0, after = 0;
    std::uint8_t undefinedBits = 0; // differing bits that no control or cell interprets
    bool hiddenByView = false;      // interpreted bits differ but the texts are the same
    bool inexactText = false;       // a text changed but does not show this value exactly
};

struct ImageDiff {
    std::vector<CellChange> cells;
    std::vector<OptionChange> options;
    std::vector<RawChange> raw;
    /// True when the images are equal byte for byte.
    bool empty() const { return cells.empty() && options.empty() && raw.empty(); }
};

/// The bits of byte `offset` that a cell or an option control shows (0 for bytes 116..124 and
/// the write mark, the Wide and HighPower bits for a flags byte).
std::uint8_t InterpretedBits(int offset);

/// The name of a byte for people: "channel 3 tone", "not interpreted", "write mark" ...
std::string ByteName(int offset);

/// Compares a with b; texts in the language, separator and bands of `settings` (its image is
/// not used). Every differing bit appears in the result: in a cell or option change, or raw.
ImageDiff DiffImages(const AppState& settings, const RadioImage& a, const RadioImage& b);

/// The three sections (Channels, Options, Raw bytes); empty text for equal images.
std::string FormatImageDiff(const ImageDiff& diff, Language language);

} // namespace vorix
