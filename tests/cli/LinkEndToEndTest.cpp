// vorix-cli read, write and ports as processes against the simulated radio on a pseudo-terminal.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "LinkProcesses.h"
#include "image/ImageLayout.h"
#include "support/SampleImages.h"
#include "support/TempFolder.h"

namespace vorix::cli {
namespace {

constexpr const char* kCheck = "Check connection!Retry or cancel?";

std::string Bytes(const RadioImage& image) {
    return std::string(image.bytes().begin(), image.bytes().end());
}

// The sample with its write mark cleared, so that a write visibly sets it.
RadioImage Unmarked() {
    RadioImage image = vorix::test::SampleImage();
    image.write(layout::WriteMark, 0x00);
    return image;
}

class LinkEndToEnd : public ::testing::Test {
protected:
    /// Starts the simulated radio; its image is `image` when given.
    void startRadio(QStringList options, const RadioImage* image = nullptr) {
        if (image != nullptr)
            options << "--image" << QString::fromStdString(folder.put("radio.rdat", *image));
        ASSERT_TRUE(radio.start(options)) << radio.output();
    }
    test::CliResult cli(const QStringList& args) { return test::RunCliProcess(folder.file(""), args); }
    QString at(const std::string& name) const { return QString::fromStdString(folder.file(name)); }
    QString port() const { return QString::number(radio.number()); }
    std::string label() const { return "COM" + std::to_string(radio.number()) + " (" + radio.device() + ")"; }

    vorix::test::TempFolder folder; // the configuration folder of both programs, and the files
    test::RadioSimProcess radio{folder.file("")};
};

TEST_F(LinkEndToEnd, ReadGivesTheRadiosImage) {
    const RadioImage image = vorix::test::SampleImage();
    startRadio({}, &image);
    const auto r = cli({"read", "--port", port(), at("out.rdat")});
    ASSERT_EQ(r.exitCode, 0) << r.err << radio.output();
    EXPECT_EQ(r.out, "Read Data OK\n");
    EXPECT_EQ(r.err, "") << "no progress bar when stderr is no terminal";
    EXPECT_EQ(folder.content("out.rdat"), Bytes(image));

    // A second read right after the first finds the line clean.
    const auto again = cli({"read", "--port", port(), at("again.rdat")});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(folder.content("again.rdat"), Bytes(image));
}

TEST_F(LinkEndToEnd, WriteLeavesTheFileWithTheWriteMarkInTheRadio) {
    startRadio({"--save", at("saved.rdat")});
    const RadioImage image = Unmarked();
    folder.put("in.rdat", image);
    const auto r = cli({"write", at("in.rdat"), "--port", port()});
    ASSERT_EQ(r.exitCode, 0) << r.err << radio.output();
    EXPECT_EQ(r.out, "Write Data OK\n");
    EXPECT_EQ(r.err, "");
    RadioImage marked = image;
    marked.write(layout::WriteMark, layout::WriteMarkValue);
    EXPECT_EQ(folder.content("saved.rdat"), Bytes(marked));
    EXPECT_EQ(folder.content("in.rdat"), Bytes(image)) << "the input file is not changed";
}

TEST_F(LinkEndToEnd, WriteVerifyReadsBackTheSameImage) {
    startRadio({"--save", at("saved.rdat")});
    folder.put("in.rdat", Unmarked());
    const auto r = cli({"write", at("in.rdat"), "--port", port(), "--verify"});
    ASSERT_EQ(r.exitCode, 0) << r.err << radio.output();
    EXPECT_EQ(r.out, "Write Data OK\nVerified: the radio holds " + folder.file("in.rdat") +
                         " with byte 127 = 0x51\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(LinkEndToEnd, WriteVerifyFindsABlockTheRadioAcknowledgedButLost) {
    const RadioImage cleared = vorix::test::ClearedImage();
    startRadio({"--drop-write", "3"}, &cleared); // frame 1 is the handshake, 2 the first block
    folder.put("in.rdat", Unmarked());
    const auto r = cli({"write", at("in.rdat"), "--port", port(), "--verify"});
    EXPECT_EQ(r.exitCode, 1) << r.err << radio.output();
    EXPECT_EQ(r.out.rfind("Write Data OK\n", 0), 0u) << r.out;
    EXPECT_NE(r.err.find(": the radio does not hold what was written from"), std::string::npos) << r.err;
}

TEST_F(LinkEndToEnd, APortWithNothingBehindItFailsAndWritesNothing) {
    // COM5 is linked to a device that does not exist; COM99 has no device at all.
    std::filesystem::create_directories(folder.file("Talvry/Vorix/ports"));
    std::filesystem::create_symlink(folder.file("gone"), folder.file("Talvry/Vorix/ports/com5"));
    const std::vector<std::pair<QString, std::string>> table{
        {"5", "COM5 (" + folder.file("gone") + "): Please reselect COM port! ("},
        {"99", "COM99 (no device): Please reselect COM port! ("},
    };
    for (const auto& [number, start] : table) {
        const auto begin = std::chrono::steady_clock::now();
        const auto r = cli({"read", "--port", number, at("out.rdat")});
        EXPECT_EQ(r.exitCode, 3) << r.err;
        EXPECT_EQ(r.err.rfind(start, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(folder.exists("out.rdat"));
        EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5)) << "fails at once";
    }
}

// Faults that end the first run at once or after one time-out of a read request (which asks
// at once): each fails with the prompt's text, exit 3 and no file.
TEST_F(LinkEndToEnd, AFaultyRadioFailsWithThePromptsText) {
    const std::vector<QStringList> table{
        {"--wrong-answer", "1"},  // the handshake answered wrong: the prompt at once
        {"--wrong-answer", "4"},  // a read request answered wrong
        {"--drop-answer", "3"},   // a read request unanswered: one time-out
        {"--wrong-address", "3"}, // a read request answered with the next block: the prompt at once
        {"--silent-after", "5"},  // the radio goes quiet in the middle
    };
    for (const QStringList& fault : table) {
        vorix::test::TempFolder configuration;
        test::RadioSimProcess faulty(configuration.file(""));
        ASSERT_TRUE(faulty.start(fault)) << faulty.output();
        const auto r = test::RunCliProcess(configuration.file(""),
                                           {"read", "--port", QString::number(faulty.number()), "--retries",
                                            "0", QString::fromStdString(configuration.file("out.rdat"))});
        const std::string name = fault.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 3) << name << ": " << r.err;
        EXPECT_EQ(r.err,
                  "COM" + std::to_string(faulty.number()) + " (" + faulty.device() + "): " + kCheck + "\n")
            << name;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_FALSE(configuration.exists("out.rdat")) << name;
    }
}

TEST_F(LinkEndToEnd, RetriesGetPastAWrongAnswer) {
    const RadioImage image = vorix::test::SampleImage();
    startRadio({"--wrong-answer", "1", "--wrong-answer", "2"}, &image);
    const auto once = cli({"read", "--port", port(), "--retries", "1", at("out.rdat")});
    EXPECT_EQ(once.exitCode, 3);
    EXPECT_EQ(once.err, label() + ": " + kCheck + " (after 1 retry)\n");
    EXPECT_FALSE(folder.exists("out.rdat"));
    // Frames count on in the radio: this run starts at frame 3, which is answered.
    const auto twice = cli({"read", "--port", port(), "--retries", "1", at("out.rdat")});
    ASSERT_EQ(twice.exitCode, 0) << twice.err;
    EXPECT_EQ(folder.content("out.rdat"), Bytes(image));
}

TEST_F(LinkEndToEnd, TraceHasTimedHexFrames) {
    startRadio({});
    folder.put("in.rdat", Unmarked());
    const auto r = cli({"write", at("in.rdat"), "--port", port(), "--verify", "--trace", at("trace.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream trace(folder.content("trace.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(trace, line);)
        lines.push_back(line);
    const std::string header = "# COM" + std::to_string(radio.number()) + " " + radio.device();
    ASSERT_GE(lines.size(), 2u + 18 + 17 + 10 + 9);
    EXPECT_EQ(lines.front(), header + " write");
    static const QRegularExpression frame(QStringLiteral(R"(^\d+\.\d{6} (TX|RX)( [0-9A-F]{2})+$)"));
    int sent = 0, headers = 0;
    double last = 0;
    for (const std::string& line : lines) {
        if (line.rfind("# ", 0) == 0) {
            ++headers;
            continue;
        }
        EXPECT_TRUE(frame.match(QString::fromStdString(line)).hasMatch()) << line;
        const double time = std::stod(line);
        EXPECT_GE(time, last) << line;
        last = time;
        sent += line.find(" TX ") != std::string::npos;
    }
    EXPECT_EQ(headers, 2);
    EXPECT_EQ(sent, 18 + 10) << "handshake, 16 blocks and end byte; handshake, 8 requests and end byte";
    EXPECT_NE(std::find(lines.begin(), lines.end(), header + " read"), lines.end());
    EXPECT_EQ(lines[1].substr(lines[1].find(' ')), " TX 50 52 4F 47 52 41 4D");
    EXPECT_EQ(lines[2].substr(lines[2].find(' ')), " RX 50 52 4F 47 52 41 4D 06");
    EXPECT_EQ(lines.back().substr(lines.back().find(' ')), " TX 45");
}

TEST_F(LinkEndToEnd, PortsListsTheSimulatorsPort) {
    startRadio({});
    const auto r = cli({"ports"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream out(r.out);
    bool found = false;
    for (std::string line; std::getline(out, line);) {
        // "COMn — target  device" for a link of the ports folder.
        std::istringstream words(line);
        std::string name, dash, target, device;
        words >> name >> dash >> target >> device;
        if (name == "COM" + std::to_string(radio.number())) {
            found = true;
            EXPECT_EQ(dash, "\u2014");
            EXPECT_EQ(target, radio.device());
            EXPECT_EQ(device, radio.device());
        }
    }
    EXPECT_TRUE(found) << r.out;
    // The probe held nothing open: the radio can be read at once.
    EXPECT_EQ(cli({"read", "--port", port(), at("out.rdat")}).exitCode, 0);
}

} // namespace
} // namespace vorix::cli
