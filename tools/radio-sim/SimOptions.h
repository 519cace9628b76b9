#pragma once
// The command line of vorix-radio-sim.

#include <string>
#include <vector>

#include "SimRadio.h"

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
    Faults faults;
};

struct ParsedOptions {
    SimOptions options;
    std::string error; ///< empty when the command line was understood
};

/// Parses the arguments after the program name.
ParsedOptions ParseSimOptions(const std::vector<std::string>& arguments);

/// The text --help prints.
std::string SimUsage();

/// $XDG_CONFIG_HOME (or $HOME/.config) + "/Talvry/Vorix/ports"; empty when neither is set.
std::string DefaultPortsDir(const char* xdgConfigHome, const char* home);

} // namespace vorix::sim
