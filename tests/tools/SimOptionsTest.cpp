// The simulator's command line and its default ports folder.

#include <gtest/gtest.h>

#include "SimOptions.h"

using namespace vorix::sim;
using vorix::Result;

TEST(SimOptions, NoArgumentsMeansPacedDemoOnTheFirstFreePort) {
    const Result<SimOptions> parsed = ParseSimOptions({});
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    EXPECT_TRUE(parsed.value().pacing);
    EXPECT_EQ(parsed.value().com, 0);
    EXPECT_EQ(parsed.value().portsDir, "");
    EXPECT_TRUE(parsed.value().faults.dropAnswer.empty());
    EXPECT_EQ(parsed.value().faults.silentAfter, 0);
    EXPECT_EQ(parsed.value().latencyTimerMs, 0);
}

TEST(SimOptions, EveryOptionLandsInItsField) {
    const Result<SimOptions> parsed = ParseSimOptions({"--ports-dir",
                                                       "/tmp/p",
                                                       "--com",
                                                       "7",
                                                       "--image",
                                                       "in.rdat",
                                                       "--save",
                                                       "out.rdat",
                                                       "--log",
                                                       "sim.log",
                                                       "--no-pacing",
                                                       "--drop-answer",
                                                       "3",
                                                       "--drop-answer",
                                                       "5",
                                                       "--wrong-answer",
                                                       "2",
                                                       "--wrong-address",
                                                       "4",
                                                       "--short-answer",
                                                       "6",
                                                       "--drop-write",
                                                       "8",
                                                       "--silent-after",
                                                       "9",
                                                       "--latency-timer",
                                                       "16"});
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    const SimOptions& o = parsed.value();
    EXPECT_EQ(o.portsDir, "/tmp/p");
    EXPECT_EQ(o.com, 7);
    EXPECT_EQ(o.imagePath, "in.rdat");
    EXPECT_EQ(o.savePath, "out.rdat");
    EXPECT_EQ(o.logPath, "sim.log");
    EXPECT_FALSE(o.pacing);
    EXPECT_EQ(o.faults.dropAnswer, (std::set<int>{3, 5}));
    EXPECT_EQ(o.faults.wrongAnswer, (std::set<int>{2}));
    EXPECT_EQ(o.faults.wrongAddress, (std::set<int>{4}));
    EXPECT_EQ(o.faults.shortAnswer, (std::set<int>{6}));
    EXPECT_EQ(o.faults.dropWrite, (std::set<int>{8}));
    EXPECT_EQ(o.faults.silentAfter, 9);
    EXPECT_EQ(o.latencyTimerMs, 16);
    EXPECT_FALSE(o.help);
}

TEST(SimOptions, HelpIsRecognised) {
    EXPECT_TRUE(ParseSimOptions({"--help"}).value().help);
    EXPECT_TRUE(ParseSimOptions({"-h"}).value().help);
    EXPECT_TRUE(ParseSimOptions({"--version"}).value().version);
    EXPECT_FALSE(ParseSimOptions({"--help"}).value().version);
    EXPECT_NE(SimUsage().find("--silent-after"), std::string::npos);
}

TEST(SimOptions, BadCommandLinesAreRefusedWithAReason) {
    struct Row {
        std::vector<std::string> arguments;
        const char* reason;
    };
    const Row rows[] = {
        {{"--com", "0"}, "--com wants"},
        {{"--com", "100"}, "--com wants"},
        {{"--com", "3x"}, "--com wants"},
        {{"--com"}, "missing value"},
        {{"--drop-answer", "0"}, "--drop-answer wants"},
        {{"--wrong-answer", "-1"}, "--wrong-answer wants"},
        {{"--drop-write", "0"}, "--drop-write wants"},
        {{"--silent-after", "many"}, "--silent-after wants"},
        {{"--latency-timer", "256"}, "--latency-timer wants milliseconds from 0 to 255: 256"},
        {{"--latency-timer", "-1"}, "--latency-timer wants"},
        {{"--frobnicate", "1"}, "unknown option: --frobnicate"},
        {{"--pacing"}, "unknown option or missing value"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        const Result<SimOptions> parsed = ParseSimOptions(row.arguments);
        ASSERT_FALSE(parsed.ok());
        EXPECT_NE(parsed.error().find(row.reason), std::string::npos) << parsed.error();
    }
}

TEST(SimOptions, DefaultPortsDirFollowsXdgThenHome) {
    EXPECT_EQ(DefaultPortsDir("/x/cfg", "/home/u"), "/x/cfg/Talvry/Vorix/ports");
    EXPECT_EQ(DefaultPortsDir(nullptr, "/home/u"), "/home/u/.config/Talvry/Vorix/ports");
    EXPECT_EQ(DefaultPortsDir("", "/home/u"), "/home/u/.config/Talvry/Vorix/ports");
    EXPECT_EQ(DefaultPortsDir("relative", "/home/u"),
              "/home/u/.config/Talvry/Vorix/ports"); // XDG wants absolute
    EXPECT_EQ(DefaultPortsDir(nullptr, nullptr), "");
}
