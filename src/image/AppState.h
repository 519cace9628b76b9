#pragma once
// The application's shared state: the RadioImage and the values every window reads.

#include <array>
#include <cstdint>
#include <string>

#include "image/RadioImage.h"

namespace vorix {

/// One object per running tool (tests build as many as they need); windows get it by reference.
struct AppState {
    RadioImage image;                       // all 0 until start-up stores the option defaults
    bool IsEnglish = true;                  // interface language: true English, false Chinese
    std::int16_t PortNumber = 1;            // n of the serial port COMn
    std::string DecimalSeparator = ".";     // "." or ",", from the user's number format
    std::array<std::int16_t, 2> BandLow{136, 400};  // MHz, inclusive
    std::array<std::int16_t, 2> BandHigh{174, 560}; // MHz, exclusive
    bool ReadMode = false;                  // true while the programming dialog reads the radio

    /// True when f (MHz) lies in one of the two accepted bands.
    bool inBand(double f) const {
        return (f >= BandLow[0] && f < BandHigh[0]) || (f >= BandLow[1] && f < BandHigh[1]);
    }
};

} // namespace vorix
