#pragma once
// Runs the built vorix-cli as a separate process and collects its exit code and output.

#include <string>
#include <vector>

namespace vorix::cli::test {

struct ProgramResult {
    int exitCode = -1; // -1 when the program could not be started or did not exit normally
    std::string out, err;
};

/// Runs `program` with args; stdin is the file `input`, stdout and stderr are captured through files in
/// `scratchFolder`. The locale is fixed to C.UTF-8 so that numbers use "." on every machine.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchFolder, const std::string& input = "/dev/null");

} // namespace vorix::cli::test
