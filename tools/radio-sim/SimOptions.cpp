#include "SimOptions.h"

#include <array>
#include <charconv>
#include <string_view>

namespace vorix::sim {

namespace {

bool ReadNumber(const std::string& text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value >= low && value <= high;
}

constexpr int kLargestFrameNumber = 1000000;
// The largest latency timer common USB serial adapters accept.
constexpr int kLongestLatencyTimerMs = 255;

// Options that take a frame number N and add it to a fault set.
struct FaultOption {
    std::string_view name;
    std::set<int> Faults::*frames;
};

constexpr std::array<FaultOption, 5> kFaultOptions{{
    {"--drop-answer", &Faults::dropAnswer},
    {"--wrong-answer", &Faults::wrongAnswer},
    {"--wrong-address", &Faults::wrongAddress},
    {"--short-answer", &Faults::shortAnswer},
    {"--drop-write", &Faults::dropWrite},
}};

// Options that take a file name.
struct PathOption {
    std::string_view name;
    std::string SimOptions::*path;
};

constexpr std::array<PathOption, 4> kPathOptions{{
    {"--ports-dir", &SimOptions::portsDir},
    {"--image", &SimOptions::imagePath},
    {"--save", &SimOptions::savePath},
    {"--log", &SimOptions::logPath},
}};

} // namespace

Result<SimOptions> ParseSimOptions(const std::vector<std::string>& arguments) {
    SimOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--version") {
            options.version = true;
            continue;
        }
        if (name == "--no-pacing") {
            options.pacing = false;
            continue;
        }
        if (i + 1 >= arguments.size())
            return Failure{"unknown option or missing value: " + name};
        const std::string& value = arguments[i + 1];
        bool known = false;
        for (const PathOption& option : kPathOptions) {
            if (name == option.name) {
                options.*option.path = value;
                known = true;
            }
        }
        for (const FaultOption& option : kFaultOptions) {
            int frame = 0;
            if (name != option.name)
                continue;
            if (!ReadNumber(value, 1, kLargestFrameNumber, frame))
                return Failure{name + " wants a frame number from 1: " + value};
            (options.faults.*option.frames).insert(frame);
            known = true;
        }
        if (name == "--silent-after") {
            if (!ReadNumber(value, 1, kLargestFrameNumber, options.faults.silentAfter))
                return Failure{"--silent-after wants a frame number from 1: " + value};
            known = true;
        }
        if (name == "--latency-timer") {
            if (!ReadNumber(value, 0, kLongestLatencyTimerMs, options.latencyTimerMs))
                return Failure{"--latency-timer wants milliseconds from 0 to " +
                               std::to_string(kLongestLatencyTimerMs) + ": " + value};
            known = true;
        }
        if (name == "--com") {
            if (!ReadNumber(value, 1, 99, options.com))
                return Failure{"--com wants a port number from 1 to 99: " + value};
            known = true;
        }
        if (!known)
            return Failure{"unknown option: " + name};
        ++i;
    }
    return options;
}

std::string SimUsage() {
    return "Usage: vorix-radio-sim [options]\n"
           "A simulated Vorix radio behind a programming cable, on a pseudo-terminal that is linked\n"
           "into the ports folder as COMn, so that the programming tool can read and write it.\n"
           "\n"
           "Options:\n"
           "  --ports-dir DIR      folder of the COMn links (default ~/.config/Talvry/Vorix/ports)\n"
           "  --com N              use COMN (1..99) instead of the first free number\n"
           "  --image FILE         start with the first 128 bytes of FILE (default: a demo memory)\n"
           "  --save FILE          write the memory to FILE after every stored write block\n"
           "  --log FILE           log frames to FILE instead of stderr\n"
           "  --no-pacing          answer at once instead of at 19200 baud\n"
           "  --latency-timer MS   hold answers as a USB serial adapter does: until its latency timer\n"
           "                       (MS, up to 255; 16 is a common default) runs out or a 62-byte packet "
           "fills\n"
           "  --drop-answer N      ignore frame N and do not answer it\n"
           "  --wrong-answer N     answer frame N with 0x15 instead of 0x06 or 0x57\n"
           "  --wrong-address N    answer read request N with the next block and its address\n"
           "  --short-answer N     send only the first half of the answer to frame N\n"
           "  --drop-write N       acknowledge write block N but do not store it\n"
           "  --silent-after N     answer no frame after frame N (the cable still echoes)\n"
           "  --help               show this text\n"
           "  --version            show the version\n"
           "Frames are counted from 1, the handshake included; fault options may repeat.\n";
}

std::string DefaultPortsDir(const char* xdgConfigHome, const char* home) {
    std::string base;
    if (xdgConfigHome != nullptr && *xdgConfigHome == '/')
        base = xdgConfigHome;
    else if (home != nullptr && *home != '\0')
        base = std::string(home) + "/.config";
    else
        return {};
    return base + "/Talvry/Vorix/ports";
}

} // namespace vorix::sim
