#pragma once
// Runs the built vorix-cli as a separate process and collects its exit code and output.

#include <string>
#include <vector>

namespace vorix::cli::test {

struct ProgramResult {
    int exitCode = -1; // -1 when the program could not be started or did not exit normally
    std::string out, err;
};

/// The locale the programs run in unless a test names another: numbers use "." on every machine.
inline const std::vector<std::string> kPointLocale{"LC_ALL=C.UTF-8"};

/// Runs `program` with args; stdin is the file `input`, stdout and stderr are captured through files
/// in `scratchFolder`. `locale` replaces every LC_*, LANG and LOCPATH variable of the environment.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchFolder,
                         const std::vector<std::string>& locale = kPointLocale,
                         const std::string& input = "/dev/null");

} // namespace vorix::cli::test
