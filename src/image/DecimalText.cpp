#include "image/DecimalText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace vorix {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Turns "123" "45" into the correctly rounded double. from_chars ignores the C locale, which the
// window's toolkit switches to the user's number format (a comma there would cut "462.5" to 462).
// A value too large gives infinity; one too small to represent gives 0.
double toDouble(const std::string& digits, const std::string& fraction, bool negative) {
    std::string canonical = digits.empty() ? "0" : digits;
    if (!fraction.empty())
        canonical += "." + fraction;
    double v = 0;
    const auto [end, error] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), v, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range)
        v = digits.find_first_not_of('0') == std::string::npos ? 0.0 : HUGE_VAL;
    return negative ? -v : v;
}

} // namespace

LeadingNumber ReadLeadingNumber(std::string_view text, std::string_view separator) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string digits;
    while (i < text.size() && isDigit(text[i]))
        digits += text[i++];
    std::string fraction;
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
        std::size_t j = i + separator.size();
        while (j < text.size() && isDigit(text[j]))
            fraction += text[j++];
    }
    if (digits.empty() && fraction.empty())
        return {};
    const double v = toDouble(digits, fraction, negative);
    if (std::isinf(v))
        return {0, true};
    return {v, false};
}

double ReadLeadingPlainNumber(std::string_view text) {
    std::size_t i = 0;
    std::string digits;
    while (i < text.size() && isDigit(text[i]))
        digits += text[i++];
    if (digits.empty())
        return 0;
    std::string fraction;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            fraction += text[i++];
    }
    const double v = toDouble(digits, fraction, false);
    return std::isinf(v) ? 0 : v;
}

std::string FormatTenths(int tenths, std::string_view separator) {
    const bool negative = tenths < 0;
    const int magnitude = negative ? -tenths : tenths;
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / 10);
    text += separator;
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

double RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace vorix
