#pragma once
// The application's shared state: the RadioImage and the values every window reads.

#include <array>
#include <cstdint>
#include <string>

#include "image/Language.h"
#include "image/RadioImage.h"

namespace vorix {

/// One object per running tool (tests build as many as they need); windows get it by reference.
struct AppState {
    RadioImage image;                               // all 0 until start-up stores the option defaults
    Language language = Language::English;          // the interface language
    std::int16_t portNumber = 1;                    // n of the serial port COMn
    std::string decimalSeparator = ".";             // "." or ",", from the user's number format
    std::array<std::int16_t, 2> bandLow{136, 400};  // MHz, inclusive
    std::array<std::int16_t, 2> bandHigh{174, 560}; // MHz, exclusive
    bool readMode = false;                          // true while the programming dialog reads the radio

    /// True when f (MHz) lies in one of the two accepted bands.
    bool inBand(double f) const {
        return (f >= bandLow[0] && f < bandHigh[0]) || (f >= bandLow[1] && f < bandHigh[1]);
    }
};

} // namespace vorix
