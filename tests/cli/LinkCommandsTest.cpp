// read, write and ports in process, on the link session against the scripted radio.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "FakeFiles.h"
#include "ScriptedLinkService.h"
#include "cli/CliProgram.h"
#include "cli/ExitCodes.h"
#include "cli/FileCommands.h"
#include "cli/LinkCommands.h"
#include "cli/ProgressBar.h"
#include "editing/ImageDiff.h"
#include "image/ImageLayout.h"
#include "support/Languages.h"
#include "support/SampleImages.h"
#include "support/TempFolder.h"
#include "texts/InterfaceTexts.h"

namespace vorix::cli {
namespace {

using vorix::test::RadioFault;

constexpr const char* kCheck = "Check connection!Retry or cancel?";
constexpr int kFramesOfWrite = 1 + 16 + 1; // handshake, sixteen 8-byte blocks, end byte
constexpr int kFramesOfRead = 1 + 8 + 1;   // handshake, eight 16-byte requests, end byte

struct Outcome {
    int code;
    std::string out, err;
};

ImageBytes Pattern(int seed) {
    ImageBytes bytes{};
    for (int i = 0; i < kImageSize; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((i * 7 + seed) & 0xFF);
    return bytes;
}

class LinkCommandsTest : public ::testing::Test {
protected:
    Outcome run(const std::vector<std::string>& args, bool terminal = false) {
        std::ostringstream out, err;
        CliContext context{out, err, files};
        context.errIsTerminal = terminal;
        std::vector<Command> commands = FileCommands();
        for (Command& command : LinkCommands(service))
            commands.push_back(std::move(command));
        const int code = RunCli(commands, args, context);
        return {code, out.str(), err.str()};
    }
    RadioImage file(const std::string& path) {
        const FileContent& content = files.files.at(path);
        ImageBytes bytes{};
        std::copy_n(content.begin(), kImageSize, bytes.begin());
        return RadioImage(bytes);
    }
    static RadioImage Marked(RadioImage image) {
        image.write(layout::WriteMark, layout::WriteMarkValue);
        return image;
    }

    test::FakeFiles files;
    test::ScriptedLinkService service;
};

TEST_F(LinkCommandsTest, HelpListsTheLinkCommands) {
    const Outcome program = run({"--help"});
    for (const char* line : {"\n  read  ", "\n  write  ", "\n  ports  ", "  3  radio link failure"})
        EXPECT_NE(program.out.find(line), std::string::npos) << line;
    const std::vector<std::pair<std::string, std::string>> usages{
        {"read", "Usage: vorix-cli read OUT.rdat --port N [--retries K] [--trace FILE] [--chinese]\n"},
        {"write",
         "Usage: vorix-cli write IN.rdat --port N [--verify] [--retries K] [--trace FILE] [--chinese]\n"},
        {"ports", "Usage: vorix-cli ports [--chinese]\n"},
        {"probe", "Usage: vorix-cli probe --port N [--chinese]\n"},
    };
    for (const auto& [command, usage] : usages) {
        const Outcome r = run({command, "--help"});
        EXPECT_EQ(r.code, kExitSuccess);
        EXPECT_EQ(r.out.rfind(usage, 0), 0u) << r.out;
    }
    EXPECT_NE(run({"read", "--help"}).out.find("Please\nreselect COM port!"), std::string::npos);
    EXPECT_TRUE(service.jobs.empty());
}

TEST_F(LinkCommandsTest, BadArgumentsExitTwoBeforeTheRadioIsTouched) {
    files.put("in.rdat", vorix::test::SampleImage());
    const std::vector<std::pair<std::vector<std::string>, std::string>> table{
        {{"read", "out.rdat"}, "vorix-cli read: "},
        {{"read", "out.rdat", "--port", "0"}, "vorix-cli read: --port wants a number from 1 to 99: 0"},
        {{"read", "out.rdat", "--port", "100"}, "vorix-cli read: --port wants a number from 1 to 99: 100"},
        {{"read", "out.rdat", "--port", "COM3"}, "vorix-cli read: --port wants a number from 1 to 99: COM3"},
        {{"read", "out.rdat", "--port", "3x"}, "vorix-cli read: --port wants a number from 1 to 99: 3x"},
        {{"read", "out.rdat", "--port", ""}, "vorix-cli read: --port "},
        {{"read", "out.rdat", "--port", "3", "--retries", "-1"},
         "vorix-cli read: --retries wants a number from 0"},
        {{"write", "in.rdat", "--port", "3", "--retries", "1001"},
         "vorix-cli write: --retries wants a number from 0"},
        {{"write", "in.rdat", "--port", "3", "--retries", "two"},
         "vorix-cli write: --retries wants a number from 0"},
        {{"write", "missing.rdat", "--port", "3"}, "missing.rdat: "},
        {{"write", "in.rdat", "--port", "3", "--verify", "extra.rdat"}, "vorix-cli write: "},
        {{"ports", "COM3"}, "vorix-cli ports: "},
        {{"probe"}, "vorix-cli probe: "},
        {{"probe", "--port", "100"}, "vorix-cli probe: --port wants a number from 1 to 99: 100"},
        {{"read", "out.rdat", "--port", "3", "--trace", "/nonexistent-folder/trace.txt"},
         "/nonexistent-folder/trace.txt: The file was not saved: No such file or directory"},
        {{"read", "folder.rdat", "--port", "3"}, "folder.rdat: The file was not saved: it is a directory"},
        {{"write", "in.rdat", "--port", "3", "--trace", "in.rdat"},
         "in.rdat: The file was not saved: it is the input in.rdat"},
        {{"read", "out.rdat", "--port", "3", "--trace", "out.rdat"},
         "out.rdat: The file was not saved: it is also the output out.rdat"},
        {{"read", "-", "--port", "3", "--trace", "-"}, "-: The file was not saved: it is also the output -"},
    };
    files.refusedOutputs["/nonexistent-folder/trace.txt"] = "No such file or directory";
    files.refusedOutputs["folder.rdat"] = "it is a directory";
    for (const auto& [args, start] : table) {
        const Outcome r = run(args);
        EXPECT_EQ(r.code, kExitBadInput) << args[0] << " " << r.err;
        EXPECT_EQ(r.err.rfind(start, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_TRUE(service.jobs.empty());
    EXPECT_FALSE(service.probed);
    EXPECT_EQ(files.writes, 0);
}

TEST_F(LinkCommandsTest, ReadWritesTheRadiosImageAfterTheWholeRead) {
    service.radio().memory() = Pattern(3);
    const Outcome r = run({"read", "--port", "7", "out.rdat"});
    ASSERT_EQ(r.code, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, "Read Data OK\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(file("out.rdat").bytes(), Pattern(3));
    EXPECT_EQ(files.files.at("out.rdat").size(), static_cast<std::size_t>(kImageSize));
    EXPECT_EQ(files.writes, 1);
    ASSERT_EQ(service.jobs.size(), 1u);
    EXPECT_EQ(service.jobs[0].portNumber, 7);
    EXPECT_EQ(service.jobs[0].retries, 0);
    EXPECT_EQ(service.jobs[0].trace, nullptr);
    EXPECT_EQ(service.jobs[0].progress, nullptr) << "stderr is no terminal";
    EXPECT_TRUE(service.readModes[0]);
    EXPECT_TRUE(service.radio().endReceived());
    EXPECT_EQ(service.radio().frames().size(), static_cast<std::size_t>(kFramesOfRead));

    const Outcome zh = run({"read", "--port", "7", "--chinese", "zh.rdat"});
    EXPECT_EQ(zh.code, kExitSuccess);
    EXPECT_EQ(zh.out, std::string(Text(TextId::ReadDataOk, Language::Chinese)) + "\n");
}

// Each row ends in the prompt's text on stderr, exit 3 and no file.
TEST_F(LinkCommandsTest, FailedReadsWriteNothingAndNameThePortAndThePrompt) {
    struct Row {
        const char* name;
        std::function<void(vorix::test::ScriptedRadio&)> script;
        std::vector<std::string> extra;
        std::string err;
        std::size_t frames;
    };
    const std::vector<Row> table{
        {"port does not open",
         [](auto& radio) { radio.openFails = true; },
         {},
         "COM7 (/dev/pts/7): Please reselect COM port! (No such file or directory)\n",
         0},
        {"wrong answer to the handshake",
         [](auto& radio) { radio.faults[1] = RadioFault::answerByte(0x15); },
         {},
         std::string("COM7 (/dev/pts/7): ") + kCheck + "\n",
         1},
        {"wrong answer to a request, one retry spent",
         [](auto& radio) {
             radio.faults[3] = RadioFault::answerByte(0x15);
             radio.faults[5] = RadioFault::answerByte(0x15);
         },
         {"--retries", "1"},
         std::string("COM7 (/dev/pts/7): ") + kCheck + " (after 1 retry)\n",
         5},
        {"requests acknowledged without data, with the data or alone, one retry spent",
         [](auto& radio) {
             radio.faults[2] = RadioFault::answerByte(0x06);
             radio.faults[4] = RadioFault::replace({0x06});
         },
         {"--retries", "1"},
         std::string("COM7 (/dev/pts/7): ") + kCheck + " (after 1 retry)\n",
         4},
        {"radio off: ten silent restarts, then the prompt",
         [](auto& radio) { radio.radioOff = true; },
         {},
         std::string("COM7 (/dev/pts/7): ") + kCheck + "\n",
         11},
        {"silent after the third frame, two retries",
         [](auto& radio) { radio.silentFrom = 4; },
         {"--retries", "2"},
         // The time-out after a request asks at once; each Retry then restarts silently ten times.
         std::string("COM7 (/dev/pts/7): ") + kCheck + " (after 2 retries)\n",
         4 + 11 + 11},
    };
    for (const Row& row : table) {
        service.replaceRadio();
        row.script(service.radio());
        std::vector<std::string> args{"read", "--port", "7", "out.rdat"};
        args.insert(args.end(), row.extra.begin(), row.extra.end());
        const Outcome r = run(args);
        EXPECT_EQ(r.code, kExitLinkFailure) << row.name;
        EXPECT_EQ(r.err, row.err) << row.name;
        EXPECT_EQ(r.out, "") << row.name;
        EXPECT_EQ(files.writes, 0) << row.name;
        EXPECT_EQ(service.radio().frames().size(), row.frames) << row.name;
    }
}

TEST_F(LinkCommandsTest, RetriesRecoverFromAWrongAnswer) {
    service.radio().memory() = Pattern(9);
    service.radio().faults[1] = RadioFault::answerByte(0x15);
    EXPECT_EQ(run({"read", "--port", "7", "out.rdat"}).code, kExitLinkFailure);
    EXPECT_EQ(files.writes, 0);
    const Outcome r = run({"read", "--port", "7", "--retries", "1", "out.rdat"});
    ASSERT_EQ(r.code, kExitSuccess) << r.err;
    EXPECT_EQ(file("out.rdat").bytes(), Pattern(9));
}

TEST_F(LinkCommandsTest, WriteSetsTheWriteMarkAndLeavesTheFileAlone) {
    const RadioImage image = vorix::test::SampleImage();
    files.put("in.rdat", image);
    service.radio().memory() = Pattern(1);
    const Outcome r = run({"write", "in.rdat", "--port", "12"});
    ASSERT_EQ(r.code, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, "Write Data OK\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(service.radio().memory(), Marked(image).bytes());
    EXPECT_EQ(service.radio().memory()[layout::WriteMark], 0x51);
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(file("in.rdat"), image);
    ASSERT_EQ(service.readModes, std::vector<bool>{false});
    EXPECT_EQ(service.radio().frames().size(), static_cast<std::size_t>(kFramesOfWrite));
}

TEST_F(LinkCommandsTest, VerifyReadsBackAndMatches) {
    files.put("in.rdat", vorix::test::SampleImage());
    const Outcome r = run({"write", "in.rdat", "--port", "12", "--verify", "--retries", "2"});
    ASSERT_EQ(r.code, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, "Write Data OK\nVerified: the radio holds in.rdat with byte 127 = 0x51\n");
    EXPECT_EQ(service.readModes, (std::vector<bool>{false, true}));
    ASSERT_EQ(service.jobs.size(), 2u);
    EXPECT_EQ(service.jobs[1].retries, 2) << "the read-back has the same budget";
    EXPECT_EQ(service.radio().frames().size(), static_cast<std::size_t>(kFramesOfWrite + kFramesOfRead));
}

TEST_F(LinkCommandsTest, VerifyShowsTheDifferencesAndExitsOne) {
    const RadioImage image = vorix::test::SampleImage();
    files.put("in.rdat", image);
    // The radio keeps its own value in byte 120 and in channel 2's tone, whatever was written.
    service.beforeRun = [this](std::size_t run) {
        if (run == 2) {
            service.radio().memory()[120] = 0xAB;
            service.radio().memory()[layout::channelBase(2) + layout::Tone] = 0x11;
        }
    };
    const Outcome r = run({"write", "in.rdat", "--port", "12", "--verify"});
    EXPECT_EQ(r.code, kExitDifferences);
    RadioImage radio = Marked(image);
    radio.write(120, 0xAB);
    radio.write(layout::channelBase(2) + layout::Tone, 0x11);
    AppState settings;
    const std::string diff = FormatImageDiff(DiffImages(settings, Marked(image), radio), Language::English);
    ASSERT_FALSE(diff.empty());
    EXPECT_EQ(r.out, "Write Data OK\n" + diff);
    EXPECT_NE(diff.find("120"), std::string::npos) << diff;
    EXPECT_EQ(r.err,
              "COM12 (/dev/pts/7): the radio does not hold what was written from in.rdat (differences on "
              "stdout: written, then read back)\n");
}

TEST_F(LinkCommandsTest, AFailedWriteOrReadBackIsALinkFailure) {
    files.put("in.rdat", vorix::test::SampleImage());
    service.radio().faults[5] = RadioFault::answerByte(0x15);
    const Outcome write = run({"write", "in.rdat", "--port", "12", "--verify"});
    EXPECT_EQ(write.code, kExitLinkFailure);
    EXPECT_EQ(write.out, "");
    EXPECT_EQ(write.err, std::string("COM12 (/dev/pts/7): ") + kCheck + "\n");
    EXPECT_EQ(service.jobs.size(), 1u) << "no read-back after a failed write";

    service.replaceRadio();
    service.radio().faults[kFramesOfWrite + 2] = RadioFault::answerByte(0x15);
    const Outcome readBack = run({"write", "in.rdat", "--port", "12", "--verify"});
    EXPECT_EQ(readBack.code, kExitLinkFailure);
    EXPECT_EQ(readBack.out, "Write Data OK\n");
    EXPECT_EQ(readBack.err, std::string("COM12 (/dev/pts/7): ") + kCheck + " [reading back to verify]\n");
}

TEST_F(LinkCommandsTest, TraceHasEveryFrameSentAndEveryChunkReceived) {
    service.radio().memory() = Pattern(5);
    files.put("in.rdat", RadioImage(Pattern(5)));
    const Outcome r = run({"write", "in.rdat", "--port", "4", "--verify", "--trace", "trace.txt"});
    ASSERT_EQ(r.code, kExitSuccess) << r.err;
    EXPECT_EQ(files.writes, 1) << "the trace is written once, when the command ends";
    const FileContent& written = files.files.at("trace.txt");
    std::istringstream trace(std::string(written.begin(), written.end()));
    std::vector<std::string> sent, received;
    for (std::string line; std::getline(trace, line);) {
        const std::size_t space = line.find(' ');
        ASSERT_NE(space, std::string::npos) << line;
        const std::string direction = line.substr(space + 1, 2);
        (direction == "TX" ? sent : received).push_back(line.substr(space + 4));
        EXPECT_TRUE(direction == "TX" || direction == "RX") << line;
    }
    ASSERT_EQ(sent.size(), service.radio().frames().size());
    for (std::size_t i = 0; i < sent.size(); ++i)
        EXPECT_EQ(sent[i], vorix::test::HexBytes(service.radio().frames()[i])) << i;
    EXPECT_EQ(sent.front(), "50 52 4F 47 52 41 4D");
    EXPECT_EQ(sent.back(), "45");
    // Every answer arrives with the cable's echo of its frame in front.
    ASSERT_EQ(received.size(), sent.size() - 2) << "the end bytes have no answer";
    EXPECT_EQ(received.front(), "50 52 4F 47 52 41 4D 06");
}

// An output that cannot be written fails a run that would otherwise succeed, with the reason; the
// radio's own result is still reported, and a link failure keeps its exit code.
TEST_F(LinkCommandsTest, AnOutputThatCannotBeWrittenIsNeverASuccess) {
    files.put("in.rdat", RadioImage(Pattern(6)));
    files.failingWrites["trace.txt"] = "No space left on device";
    files.failingWrites["full.rdat"] = "No space left on device";
    const struct {
        std::vector<std::string> args;
        bool radioAnswers;
        int code;
        std::string out, err;
    } table[] = {
        {{"write", "in.rdat", "--port", "4", "--trace", "trace.txt"},
         true,
         kExitBadInput,
         "Write Data OK\n",
         "trace.txt: The file was not saved: No space left on device\n"},
        {{"read", "out.rdat", "--port", "4", "--trace", "trace.txt"},
         true,
         kExitBadInput,
         "Read Data OK\n",
         "trace.txt: The file was not saved: No space left on device\n"},
        {{"read", "full.rdat", "--port", "4", "--trace", "ok.txt"},
         true,
         kExitBadInput,
         "",
         "full.rdat: The file was not saved: No space left on device\n"},
        {{"read", "out.rdat", "--port", "4", "--trace", "trace.txt"},
         false,
         kExitLinkFailure,
         "",
         std::string("COM4 (/dev/pts/7): ") + kCheck +
             "\ntrace.txt: The file was not saved: No space left on device\n"},
    };
    for (const auto& row : table) {
        service.replaceRadio();
        service.radio().memory() = Pattern(6);
        if (!row.radioAnswers)
            service.radio().faults[1] = RadioFault::answerByte(0x15);
        const Outcome r = run(row.args);
        EXPECT_EQ(r.code, row.code) << row.args[0] << " " << r.err;
        EXPECT_EQ(r.out, row.out);
        EXPECT_EQ(r.err, row.err);
    }
    EXPECT_EQ(files.files.count("full.rdat"), 0u);
    EXPECT_EQ(files.files.count("ok.txt"), 1u) << "the trace of a run whose output failed is kept";
}

// "-" sends an output to stdout; the result lines then go to stderr, so that stdout holds the output alone.
TEST_F(LinkCommandsTest, AnOutputOnStdoutMovesTheResultLinesToStderr) {
    service.radio().memory() = Pattern(7);
    const Outcome read = run({"read", "-", "--port", "4"});
    ASSERT_EQ(read.code, kExitSuccess) << read.err;
    EXPECT_EQ(read.out, "");
    EXPECT_EQ(read.err, "Read Data OK\n");
    EXPECT_EQ(file("-").bytes(), Pattern(7));

    files.put("in.rdat", RadioImage(Pattern(7)));
    const Outcome write = run({"write", "in.rdat", "--port", "4", "--trace", "-"});
    ASSERT_EQ(write.code, kExitSuccess) << write.err;
    EXPECT_EQ(write.out, "");
    EXPECT_EQ(write.err, "Write Data OK\n");
    const FileContent& trace = files.files.at("-");
    EXPECT_NE(std::string(trace.begin(), trace.end()).find(" TX 50 52 4F 47 52 41 4D\n"), std::string::npos);
}

TEST_F(LinkCommandsTest, ProgressBarOnlyOnATerminal) {
    service.radio().memory() = Pattern(2);
    const Outcome quiet = run({"read", "--port", "7", "a.rdat"});
    EXPECT_EQ(quiet.err, "");
    const Outcome shown = run({"read", "--port", "7", "b.rdat"}, true);
    ASSERT_EQ(shown.code, kExitSuccess);
    ASSERT_EQ(service.jobs.size(), 2u);
    EXPECT_NE(service.jobs[1].progress, nullptr);
    const std::string full = "\r" + ProgressBarText("Read data from radio", 1.0, "Complete:100%") + "\n";
    ASSERT_GE(shown.err.size(), full.size());
    EXPECT_EQ(shown.err.substr(shown.err.size() - full.size()), full);
    EXPECT_EQ(shown.err.rfind("\r" + ProgressBarText("Read data from radio", 0.0, ""), 0), 0u) << shown.err;
    EXPECT_EQ(std::count(shown.err.begin(), shown.err.end(), '\n'), 1);
    EXPECT_EQ(shown.out, "Read Data OK\n");
}

TEST_F(LinkCommandsTest, PortsListsWhatOpensAndThePermissionHint) {
    const link::PortHardware adapter{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI", true};
    service.listing = {{{3, {"/dev/ttyS2", false, std::nullopt}},
                        {33, {"/dev/ttyUSB0", false, adapter}},
                        {40, {"/dev/pts/4", true, std::nullopt}},
                        {65, {"/dev/ttyACM0", false, std::nullopt}}},
                       false};
    const Outcome listed = run({"ports"});
    EXPECT_EQ(listed.code, kExitSuccess);
    EXPECT_EQ(listed.out, "COM3 \u2014 serial port on the board           /dev/ttyS2\n"
                          "COM33 \u2014 FT232R USB UART (FTDI, A50285BI)  /dev/ttyUSB0\n"
                          "COM40 \u2014 /dev/pts/4                        /dev/pts/4\n"
                          "COM65                                     /dev/ttyACM0\n");
    EXPECT_EQ(listed.err, "");

    service.listing = {{}, true};
    for (bool english : {true, false}) {
        const Outcome none =
            run(english ? std::vector<std::string>{"ports"} : std::vector<std::string>{"ports", "--chinese"});
        EXPECT_EQ(none.code, kExitSuccess);
        EXPECT_EQ(none.out, "");
        EXPECT_EQ(none.err, "No port opens now.\n" +
                                std::string(Text(TextId::PortDialogNoPermission, LanguageFor(english))) +
                                "\n");
    }
    EXPECT_TRUE(service.jobs.empty());
}

TEST_F(LinkCommandsTest, ProbeSaysWhetherTheRadioAnswers) {
    struct Row {
        const char* name;
        std::function<void(vorix::test::ScriptedRadio&)> script;
        std::vector<std::string> args;
        int code;
        std::string out, err;
        std::vector<std::string> frames;
    };
    const std::string handshake = "50 52 4F 47 52 41 4D";
    const Row rows[] = {
        {"answers",
         [](auto&) {},
         {"probe", "--port", "33"},
         kExitSuccess,
         "The radio answers on COM33\n",
         "",
         {handshake, "45"}},
        {"silent",
         [](auto& r) { r.radioOff = true; },
         {"probe", "--port", "33"},
         kExitLinkFailure,
         "",
         "No answer from the radio on COM33\n",
         {handshake, handshake, handshake}},
        {"wrong answer",
         [](auto& r) { r.handshakeAnswer = 0x15; },
         {"probe", "--port", "2", "--chinese"},
         kExitLinkFailure,
         "",
         "对讲机应答错误，端口 COM2\n",
         {handshake, "45"}},
        {"port missing",
         [](auto& r) { r.openFails = true; },
         {"probe", "--port", "7"},
         kExitLinkFailure,
         "",
         "The port does not open: COM7 (No such file or directory)\n",
         {}},
    };
    for (const Row& row : rows) {
        service.replaceRadio();
        row.script(service.radio());
        const Outcome r = run(row.args);
        EXPECT_EQ(r.code, row.code) << row.name;
        EXPECT_EQ(r.out, row.out) << row.name;
        EXPECT_EQ(r.err, row.err) << row.name;
        EXPECT_EQ(service.radio().frameTexts(), row.frames) << row.name;
    }
    EXPECT_TRUE(service.jobs.empty()); // no transfer: the radio's memory is not touched
}

TEST(LinkFailureLine, PortPromptAndNotes) {
    struct Row {
        int port;
        LinkFailure failure;
        const char* expected;
    };
    const std::vector<Row> table{
        {99,
         {"", "Please reselect COM port!", "No such port", 0},
         "COM99 (no device): Please reselect COM port! (No such port)"},
        {1, {"/dev/ttyS0", kCheck, "", 0}, "COM1 (/dev/ttyS0): Check connection!Retry or cancel?"},
        {2,
         {"/dev/pts/3", kCheck, "Input/output error", 3},
         "COM2 (/dev/pts/3): Check connection!Retry or cancel? (Input/output error; after 3 retries)"},
        {2, {"/dev/pts/3", "", "", 0}, "COM2 (/dev/pts/3): the link ended without a result"},
    };
    for (const Row& row : table)
        EXPECT_EQ(DescribeLinkFailure(row.port, row.failure), row.expected);
}

} // namespace
} // namespace vorix::cli
