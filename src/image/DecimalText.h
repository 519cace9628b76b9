#pragma once
// Reading and writing the decimal numbers that the user types and the tool shows.

#include <string>
#include <string_view>

namespace vorix {

struct LeadingNumber {
    double value = 0;      // 0 when the text does not start with a number
    bool overflow = false; // the number is too large to represent
};

/// Reads the longest leading part of text that forms a decimal number: optional spaces, an
/// optional sign, digits, and optionally `separator` followed by more digits. No exponent is
/// recognised, so a pasted "4e9" reads as 4, never as a huge value.
LeadingNumber ReadLeadingNumber(std::string_view text, std::string_view separator);

/// Reads digits optionally followed by "." and more digits from the very start of text; 0 when
/// the text does not start with a digit. The view uses this to range-check frequency texts.
double ReadLeadingPlainNumber(std::string_view text);

/// The shortest display form of tenths / 10 with `separator`, always with a tenth digit:
/// 693 gives 69.3, 670 gives 67.0, 5 gives 0.5.
std::string FormatTenths(int tenths, std::string_view separator);

/// Rounds half to even, the way the tool rounds tones and frequencies.
double RoundHalfEven(double value);

} // namespace vorix
