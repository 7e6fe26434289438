#include "TempTree.h"
#include "TestBackend.h"

#include <ctime>
#include <gtest/gtest.h>
#include <regex>

namespace {

std::string localTimeDigits() {
    const std::time_t now = std::time(nullptr);
    char digits[32] = {};
    std::strftime(digits, sizeof digits, "%Y%m%d%H%M%S", std::localtime(&now));
    return digits;
}

class CrashHandlerTest : public testing::TestWithParam<const char*> {};

TEST_P(CrashHandlerTest, ACrashLeavesATimestampedDumpAndItsCode) {
    const std::string kind = GetParam();
    const auto code = TestBackend::crashCode(kind);
    if (!code)
        GTEST_SKIP() << "no " << kind << " crash on this platform";
    TempTree folder;
    const std::string before = localTimeDigits();
    const auto result = TestBackend::runChild({"--crash", kind}, folder.path());
    const std::string after = localTimeDigits();
    ASSERT_TRUE(result.started);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.errorOutput.find("record->ExceptionCode:" + *code + "\n"), std::string::npos)
        << result.errorOutput;

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(std::regex_match(names[0], std::regex("[0-9]{14}\\.dmp"))) << names[0];
    const std::string stamp = names[0].substr(0, 14);
    EXPECT_LE(before, stamp);
    EXPECT_LE(stamp, after);
    EXPECT_TRUE(TestBackend::looksLikeDump(TempTree::read(folder.path() / names[0])));
}

INSTANTIATE_TEST_SUITE_P(Kinds, CrashHandlerTest, testing::Values("segv", "abort", "overflow"));

} // namespace
