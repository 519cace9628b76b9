// The simulator's log lines.

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "FrameLog.h"
#include "support/CommaLocale.h"

using namespace vorix::sim;

TEST(FrameLog, DescribesFramesAnswersAndFaults) {
    struct Row {
        FrameRecord record;
        const char* text;
    };
    const Row rows[] = {
        {{FrameKind::ReadRequest, 2, {0x52, 0x00, 0x10, 0x10}, {0x57, 0x00}, {}}, "<- #2 read 52 00 10 10\n-> 57 00"},
        {{FrameKind::Handshake, 1, {0x50}, {}, "answer dropped"}, "<- #1 handshake 50\n-> no answer (answer dropped)"},
        {{FrameKind::End, 9, {0x45}, {}, {}}, "<- #9 end 45"},
        {{FrameKind::End, 9, {0x45}, {}, "silent"}, "<- #9 end 45\n-> no answer (silent)"},
        {{FrameKind::Garbage, 0, {0x00, 0x01}, {}, {}}, "<- ignored 00 01"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DescribeFrame(row.record), row.text);
}

TEST(FrameLog, EveryLineCarriesATime) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    FrameLog log(out);
    log.frame({FrameKind::WriteBlock, 3, {0x57}, {0x06}, {}});
    std::rewind(out);
    char line[128];
    ASSERT_NE(std::fgets(line, sizeof line, out), nullptr);
    EXPECT_NE(std::string(line).find(" ms  <- #3 write 57"), std::string::npos) << line;
    ASSERT_NE(std::fgets(line, sizeof line, out), nullptr);
    EXPECT_NE(std::string(line).find(" ms  -> 06"), std::string::npos) << line;
    std::fclose(out);
}

// The time column keeps its point whatever number format the process runs in.
TEST(FrameLog, TimeColumnIgnoresTheNumberFormat) {
    if (!vorix::test::SwitchToCommaLocale()) {
        if (vorix::test::CommaLocaleRequired())
            FAIL() << "no comma locale " VORIX_COMMA_LOCALE " in " VORIX_TEST_LOCPATH;
        GTEST_SKIP() << "no comma locale on this machine";
    }
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    FrameLog(out).note("x");
    vorix::test::RestoreClassicLocale();
    std::rewind(out);
    char line[128];
    ASSERT_NE(std::fgets(line, sizeof line, out), nullptr);
    EXPECT_TRUE(std::regex_match(line, std::regex(" *[0-9]+\\.[0-9]{3} ms  x\n"))) << line;
    EXPECT_EQ(std::string(line).find(" ms"), 10u) << line;
    std::fclose(out);
}
