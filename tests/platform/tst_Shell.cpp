#include "ChildProgram.h"
#include "EnvironmentOverride.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/Shell.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

using platform::Shell;

namespace {

struct ShellRow {
    const char* label;
    std::string parameters;
    std::vector<std::string> arguments;
};

// Rows print as their label in test output.
void PrintTo(const ShellRow& row, std::ostream* out) {
    *out << row.label;
}

class ShellTest : public testing::TestWithParam<ShellRow> {
protected:
    // The child writes its arguments once, under their final name; wait until it can be
    // opened (Windows keeps a renamed file locked until the rename's own handle closes).
    static std::optional<std::vector<std::string>>
    recordedArguments(const std::filesystem::path& file) {
        for (int i = 0; i < 3000 && !std::ifstream(file); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!std::ifstream(file))
            return std::nullopt;
        std::vector<std::string> args;
        const std::string text = TempTree::read(file);
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find('\0', start);
            args.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return args;
    }

    TempTree folder;
};

TEST_P(ShellTest, StartsTheProgramWithoutInterpretingAnything) {
    const auto& row = GetParam();
    const auto file = folder / "argv.bin";
    EnvironmentOverride target(ChildProgram::argvFileVariable, file.string());
    ASSERT_TRUE(
        Shell::open(TestBackend::selfExecutable().string(), "--record-argv " + row.parameters));
    const auto args = recordedArguments(file);
    ASSERT_TRUE(args.has_value()) << "the started program recorded nothing";
    EXPECT_EQ(*args, row.arguments);
    // Once it ends the program is reaped, not left behind as a zombie.
    for (int i = 0; i < 3000 && TestBackend::unreapedChildren() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(TestBackend::unreapedChildren(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShellTest,
    testing::Values(ShellRow{"Blanks", "  one   two\tthree ", {"one", "two", "three"}},
                    ShellRow{"Quotes",
                             "\"two words\" \"say \\\"hi\\\"\" \"\" x\"y z\"",
                             {"two words", "say \"hi\"", "", "xy z"}},
                    ShellRow{"Backslashes",
                             "C:\\Program\\ \"D:\\Data\\\\\" a\\\\\\\"b",
                             {"C:\\Program\\", "D:\\Data\\", "a\\\"b"}},
                    ShellRow{
                        "ShellCharacters",
                        "$HOME ; | && `id` $(id) * > out.txt %PATH%",
                        {"$HOME", ";", "|", "&&", "`id`", "$(id)", "*", ">", "out.txt", "%PATH%"}},
                    ShellRow{"Chinese", "/X{卸载} \"中文 参数\"", {"/X{卸载}", "中文 参数"}}),
    [](const testing::TestParamInfo<ShellRow>& info) { return info.param.label; });

TEST(ShellStartTest, AMissingProgramIsReported) {
    TempTree folder;
    EXPECT_FALSE(Shell::open((folder / "no-such-program").string(), "x"));
}

} // namespace
