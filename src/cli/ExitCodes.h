#pragma once
// The exit codes of vorix-cli, stable for scripts.

namespace vorix::cli {

enum ExitCode : int {
    kExitSuccess = 0,
    kExitDifferences = 1, // diff found differences; a verified write did not match
    kExitBadInput = 2,    // bad usage, or a file that cannot be read, parsed or written
    kExitLinkFailure = 3, // the port did not open or the radio did not answer
};

} // namespace vorix::cli
