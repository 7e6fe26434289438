#include "platform/Interrupt.h"

#include <csignal>
#include <gtest/gtest.h>

namespace {

// Ctrl+C (SIGINT) and a closed remote shell (SIGHUP) raise the flag instead of ending the
// process; the program sees it between two files.
TEST(InterruptTest, ARequestRaisesTheFlagAndTheProcessGoesOn) {
    platform::Interrupt::catchRequests();
    EXPECT_FALSE(platform::Interrupt::requested());
    std::raise(SIGINT);
    EXPECT_TRUE(platform::Interrupt::requested());
    // A second request would end the process: the handler was used once.
    struct sigaction now {};
    sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
    // The other requests are still caught.
    sigaction(SIGHUP, nullptr, &now);
    EXPECT_NE(now.sa_handler, SIG_DFL);
}

} // namespace
