#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "image/Result.h"

namespace vorix {
namespace {

struct Refusal {
    std::string reason;
    bool retry = false;
};

// What a caller observes of a success and of a failure, and that mixing them up is caught at once
// rather than read as an empty value or an empty reason.
TEST(Result, HoldsAValueOrTheReasonForItsFailure) {
    const Result<std::string> found = std::string("COM3");
    ASSERT_TRUE(found.ok());
    EXPECT_EQ(found.value(), "COM3");
    EXPECT_THROW((void)found.error(), std::logic_error);

    const Result<std::string> missing = Failure{"no such port"};
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error(), "no such port");
    EXPECT_THROW((void)missing.value(), std::logic_error);

    const Result<void> done;
    EXPECT_TRUE(done.ok());
    EXPECT_THROW((void)done.error(), std::logic_error);
    const Result<void> refused = Failure{std::string("it is a directory")};
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error(), "it is a directory");

    const Result<int, Refusal> busy = Failure{Refusal{"busy", true}};
    ASSERT_FALSE(busy.ok());
    EXPECT_EQ(busy.error().reason, "busy");
    EXPECT_TRUE(busy.error().retry);
    EXPECT_EQ((Result<int, Refusal>(7).value()), 7);
}

} // namespace
} // namespace vorix
