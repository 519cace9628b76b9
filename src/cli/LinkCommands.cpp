#include "cli/LinkCommands.h"

#include <charconv>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ExitCodes.h"
#include "cli/ImageFiles.h"
#include "editing/ImageDiff.h"
#include "editing/TableFormat.h"
#include "image/ImageLayout.h"
#include "link/ConnectionTest.h"
#include "link/PortHardware.h"
#include "link/PortNames.h"
#include "texts/InterfaceTexts.h"

namespace vorix::cli {

namespace {

constexpr int kMostRetries = 1000;

const OptionSyntax kPortOption{"--port", "", "N", "the radio's port COMN, 1 to 99 (required)", true};
const OptionSyntax kRetriesOption{"--retries", "", "K",
                                  "answer Retry to the first K connection prompts of a run (default 0)"};
const OptionSyntax kTraceOption{"--trace", "", "FILE",
                                "write every frame sent and received to FILE (- for stdout), timed, in hex"};
const OptionSyntax kChineseOption{"--chinese", "", "", "texts of the Chinese interface"};

constexpr std::string_view kLinkDetails =
    "COMN is the device the window's port dialog opens for that number: the link comN in the\n"
    "ports folder (~/.config/Talvry/Vorix/ports) when there is one, else COM1-32 /dev/ttyS0-31,\n"
    "COM33-64 /dev/ttyUSB0-31, COM65-96 /dev/ttyACM0-31. Where the window would ask \"Check\n"
    "connection!Retry or cancel?\", the command answers Retry up to K times (--retries) and then\n"
    "fails with that text and exit code 3; a port that does not open fails at once with \"Please\n"
    "reselect COM port!\". A progress bar is drawn on stderr when stderr is a terminal.\n";

// The value of a numeric option, or the line that says what it wants.
Result<int> numberOption(const ParsedArguments& args, std::string_view name, int low, int high) {
    const std::string text = args.value(name);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high)
        return Failure{std::string(name) + " wants a number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ": " + text};
    return value;
}

int fail(CliContext& context, const std::string& line, int code) {
    context.err << line << '\n';
    return code;
}

// A job with the frames of its runs gathered for --trace, written once the command is done.
struct TracedJob {
    LinkJob job;
    std::ostringstream trace;
    std::string tracePath; // empty without --trace
};

// --port, --retries and --trace into a job; a failure is the usage error to report.
Result<void> prepareJob(const ParsedArguments& args, CliContext& context, TracedJob& traced) {
    LinkJob& job = traced.job;
    const Result<int> port = numberOption(args, "--port", link::kFirstPortNumber, link::kLastPortNumber);
    if (!port.ok())
        return Failure{port.error()};
    job.portNumber = port.value();
    if (args.has("--retries")) {
        const Result<int> retries = numberOption(args, "--retries", 0, kMostRetries);
        if (!retries.ok())
            return Failure{retries.error()};
        job.retries = retries.value();
    }
    if (args.has("--trace")) {
        traced.tracePath = args.value("--trace");
        job.trace = &traced.trace;
    }
    job.progress = context.errIsTerminal ? &context.err : nullptr;
    return {};
}

// The outputs of a command: its file operand when it writes one, and the trace.
std::vector<std::string> outputsOf(const TracedJob& traced, std::optional<std::string> file = std::nullopt) {
    std::vector<std::string> outputs;
    if (file)
        outputs.push_back(*file);
    if (!traced.tracePath.empty())
        outputs.push_back(traced.tracePath);
    return outputs;
}

// Where the result lines go: stderr while an output takes stdout.
std::ostream& reportStream(CliContext& context, const std::vector<std::string>& outputs) {
    for (const std::string& output : outputs)
        if (output == kStandardStream)
            return context.err;
    return context.out;
}

// Writes the trace whatever the run's outcome; a trace that cannot be written fails a run that
// would otherwise succeed.
int finishTrace(CliContext& context, const TracedJob& traced, int code) {
    if (traced.tracePath.empty())
        return code;
    const std::string text = traced.trace.str();
    const OutputResult written = context.files.write(traced.tracePath, FileContent(text.begin(), text.end()));
    if (written.ok())
        return code;
    context.err << DescribeOutputFailure(traced.tracePath, written.error()) << '\n';
    return code == kExitSuccess ? kExitBadInput : code;
}

AppState linkState(const CliContext& context, const ParsedArguments& args, bool readMode, int port) {
    AppState state = context.viewState(args.language());
    state.readMode = readMode;
    state.portNumber = static_cast<std::int16_t>(port);
    return state;
}

int linkFailure(CliContext& context, const LinkJob& job, const LinkOutcome& outcome,
                std::string_view during = {}) {
    std::string line = DescribeLinkFailure(job.portNumber, outcome.error());
    if (!during.empty())
        line.append(" [").append(during).append("]");
    return fail(context, line, kExitLinkFailure);
}

int readInto(const std::string& path, LinkService& service, const ParsedArguments& args, CliContext& context,
             const TracedJob& traced, std::ostream& report) {
    AppState state = linkState(context, args, true, traced.job.portNumber);
    const LinkOutcome outcome = service.transfer(state, traced.job);
    if (!outcome.ok())
        return linkFailure(context, traced.job, outcome);
    const Result<void> saved = SaveImageFile(context.files, path, state.image);
    if (!saved.ok())
        return fail(context, saved.error(), kExitBadInput);
    report << Text(TextId::ReadDataOk, args.language()) << '\n';
    return kExitSuccess;
}

int runRead(LinkService& service, const ParsedArguments& args, CliContext& context) {
    TracedJob traced;
    if (const Result<void> prepared = prepareJob(args, context, traced); !prepared.ok())
        return UsageError(context, "read", prepared.error());
    const std::string& path = args.operands[0];
    const std::vector<std::string> outputs = outputsOf(traced, path);
    if (const Result<void> checked = CheckOutputs(context.files, outputs, {}); !checked.ok())
        return fail(context, checked.error(), kExitBadInput);
    const int code = readInto(path, service, args, context, traced, reportStream(context, outputs));
    return finishTrace(context, traced, code);
}

int writeFrom(const std::string& path, const RadioImage& image, LinkService& service,
              const ParsedArguments& args, CliContext& context, const TracedJob& traced,
              std::ostream& report) {
    const LinkJob& job = traced.job;
    AppState state = linkState(context, args, false, job.portNumber);
    state.image = image;
    state.image.write(layout::WriteMark, layout::WriteMarkValue); // as the window's Write button does
    const LinkOutcome written = service.transfer(state, job);
    if (!written.ok())
        return linkFailure(context, job, written);
    report << Text(TextId::WriteDataOk, args.language()) << '\n';
    if (!args.has("--verify"))
        return kExitSuccess;

    AppState radio = linkState(context, args, true, job.portNumber);
    const LinkOutcome readBack = service.transfer(radio, job);
    if (!readBack.ok())
        return linkFailure(context, job, readBack, "reading back to verify");
    if (radio.image == state.image) {
        report << "Verified: the radio holds " << path << " with byte 127 = 0x51\n";
        return kExitSuccess;
    }
    report << FormatImageDiff(DiffImages(state, state.image, radio.image), args.language());
    return fail(context,
                link::PortLabel(job.portNumber, readBack.value()) +
                    ": the radio does not hold what was written from " + path + " (differences on " +
                    (&report == &context.out ? "stdout" : "stderr") + ": written, then read back)",
                kExitDifferences);
}

int runWrite(LinkService& service, const ParsedArguments& args, CliContext& context) {
    const std::string& path = args.operands[0];
    const Result<RadioImage> loaded = LoadImageFile(context.files, path);
    if (!loaded.ok())
        return fail(context, loaded.error(), kExitBadInput);
    TracedJob traced;
    if (const Result<void> prepared = prepareJob(args, context, traced); !prepared.ok())
        return UsageError(context, "write", prepared.error());
    const std::vector<std::string> outputs = outputsOf(traced);
    if (const Result<void> checked = CheckOutputs(context.files, outputs, {path}); !checked.ok())
        return fail(context, checked.error(), kExitBadInput);
    const int code =
        writeFrom(path, loaded.value(), service, args, context, traced, reportStream(context, outputs));
    return finishTrace(context, traced, code);
}

int runPorts(LinkService& service, const ParsedArguments& args, CliContext& context) {
    const PortListing listing = service.probePorts();
    std::vector<std::vector<std::string>> rows;
    for (const ListedPort& port : listing.ports)
        rows.push_back({link::PortItemText(port.number, port.origin, args.language()), port.origin.device});
    context.out << FormatAlignedRows(rows);
    if (listing.ports.empty())
        context.err << "No port opens now.\n";
    if (listing.permissionDenied)
        context.err << Text(TextId::PortDialogNoPermission, args.language()) << '\n';
    return kExitSuccess;
}

int runProbe(LinkService& service, const ParsedArguments& args, CliContext& context) {
    const Result<int> port = numberOption(args, "--port", link::kFirstPortNumber, link::kLastPortNumber);
    if (!port.ok())
        return UsageError(context, "probe", port.error());
    const ConnectionCheck check = service.testConnection(port.value());
    const std::string line =
        link::ConnectionResultText(check.result, port.value(), check.reason, args.language());
    if (check.result == link::ConnectionResult::Answers) {
        context.out << line << '\n';
        return kExitSuccess;
    }
    return fail(context, line, kExitLinkFailure);
}

} // namespace

std::string DescribeLinkFailure(int number, const LinkFailure& failure) {
    std::string line = link::PortLabel(number, failure.device) + ": ";
    line += failure.prompt.empty() ? std::string("the link ended without a result") : failure.prompt;
    std::string notes = failure.detail;
    if (failure.retriesUsed > 0) {
        if (!notes.empty())
            notes += "; ";
        notes += "after " + std::to_string(failure.retriesUsed) +
                 (failure.retriesUsed == 1 ? " retry" : " retries");
    }
    if (!notes.empty())
        line += " (" + notes + ")";
    return line;
}

std::vector<Command> LinkCommands(LinkService& service) {
    const auto bind =
        [&service](int (*run)(LinkService&, const ParsedArguments&, CliContext&)) -> CommandRun {
        return [&service, run](const ParsedArguments& args, CliContext& context) {
            return run(service, args, context);
        };
    };
    // The help texts live as long as the program; the command table only points at them.
    static const std::string kReadDetails =
        "Reads the radio's memory with the link of the window's programming dialog and writes it\n"
        "to OUT.rdat, replaced as one step, only once the whole image has been read: a failed read\n"
        "leaves OUT.rdat as it was. The trace is written when the command ends.\n" +
        std::string(kOutputHelp) + "\n" + std::string(kLinkDetails);
    static const std::string kWriteDetails =
        "Writes the image of IN.rdat into the radio with the link of the window's programming dialog.\n"
        "As the window's Write button does, byte 127 (the write mark) is set to 0x51 first; the file\n"
        "itself is not changed. With --verify the radio is read back after the write and compared\n"
        "with what was written: differences are printed as diff prints them (written, then read\n"
        "back) and the exit code is 1. The trace is written when the command ends.\n" +
        std::string(kOutputHelp) + "\n" + std::string(kLinkDetails);
    return {
        {{"read",
          "OUT.rdat",
          1,
          {kPortOption, kRetriesOption, kTraceOption, kChineseOption},
          "Read the radio on COMN into a radio data file.",
          kReadDetails},
         bind(runRead)},
        {{"write",
          "IN.rdat",
          1,
          {kPortOption,
           {"--verify", "", "", "read the radio back afterwards; exit 1 unless it matches"},
           kRetriesOption,
           kTraceOption,
           kChineseOption},
          "Write a radio data file into the radio on COMN.",
          kWriteDetails},
         bind(runWrite)},
        {{"ports",
          "",
          0,
          {kChineseOption},
          "List the ports COM1 to COM99 that open now, with the device behind each.",
          "Lists the ports COM1 to COM99 as the window's serial port dialog does: a number whose\n"
          "device does not exist is skipped, every existing device is opened once to see that it is\n"
          "free, and none is held open afterwards. Each line names the hardware as the dialog does\n"
          "(a USB adapter's description, manufacturer and serial number, \"serial port on the\n"
          "board\", or the target of a link in the ports folder), then the device. When a device\n"
          "exists that this account may not open, a line on stderr says how to get the permission.\n"
          "The exit code is 0 even when no port opens.\n"},
         bind(runPorts)},
        {{"probe",
          "",
          0,
          {kPortOption, kChineseOption},
          "Test whether the radio answers on COMN, as the port dialog's Test connection does.",
          "Sends the programming handshake to COMN and waits up to one second for the radio's answer,\n"
          "up to three times, without asking; an answer is followed by the end byte, so the radio\n"
          "leaves programming mode. Its memory is neither read nor written. Prints \"The radio answers\n"
          "on COMN\" and exits 0, or says on stderr what went wrong (no answer, a wrong answer, the\n"
          "port does not open and why) and exits 3.\n"},
         bind(runProbe)},
    };
}

} // namespace vorix::cli
