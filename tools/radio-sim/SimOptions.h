#pragma once
// The command line of vorix-radio-sim.

#include <string>
#include <vector>

#include "SimRadio.h"
#include "image/Result.h"

namespace vorix::sim {

struct SimOptions {
    std::string portsDir;  ///< empty: the per-user default folder
    int com = 0;           ///< 0: the first free number
    std::string imagePath; ///< empty: the demo memory
    std::string savePath;  ///< empty: memory is not saved
    std::string logPath;   ///< empty: log to stderr
    bool pacing = true;
    int latencyTimerMs = 0; ///< a USB adapter's latency timer between the wire and the tool; 0 for none
    bool help = false;
    bool version = false;
    Faults faults;
};

/// Parses the arguments after the program name; a failure says what was not understood.
Result<SimOptions> ParseSimOptions(const std::vector<std::string>& arguments);

/// The text --help prints.
std::string SimUsage();

/// $XDG_CONFIG_HOME (or $HOME/.config) + "/Talvry/Vorix/ports"; empty when neither is set.
std::string DefaultPortsDir(const char* xdgConfigHome, const char* home);

} // namespace vorix::sim
