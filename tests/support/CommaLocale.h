#pragma once
// Puts the process into a number format with a decimal comma, as a user's desktop may be set up.

#include <clocale>
#include <cstdlib>

namespace vorix::test {

/// Switches every category of the C locale to the comma locale the test build generates. False when
/// it cannot be had; CommaLocaleRequired() says whether that must fail the test instead of skipping.
inline bool SwitchToCommaLocale() {
    ::setenv("LOCPATH", VORIX_TEST_LOCPATH, 0);
    return std::setlocale(LC_ALL, VORIX_COMMA_LOCALE) != nullptr;
}

/// In CI a missing comma locale is a broken set-up, never a reason to skip.
inline bool CommaLocaleRequired() { return std::getenv("CI") != nullptr; }

/// Restores the "C" locale a test program starts in.
inline void RestoreClassicLocale() { std::setlocale(LC_ALL, "C"); }

} // namespace vorix::test
