#include "EnvironmentOverride.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/RegistryKey.h"

#include <gtest/gtest.h>

using platform::RegistryAccess;
using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryView;

namespace {

const std::string runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A Run value must really start the program with the session: the registry and the
// platform's autostart entries change together.
class AutostartTest : public testing::Test {
protected:
    void SetUp() override {
        TestBackend::isolateRegistry(folder.path());
        if (!TestBackend::autostartEntryFile("Merivane"))
            GTEST_SKIP() << "the Run key itself is the autostart mechanism here";
    }
    void TearDown() override { RegistryKey::deleteKey(RegistryRoot::CurrentUser, runKey); }

    // Opened with another spelling: the Run key is recognised case-insensitively.
    static RegistryKey run() {
        return RegistryKey::open(RegistryRoot::CurrentUser,
                                 "SOFTWARE\\microsoft\\windows\\currentVersion\\RUN",
                                 RegistryAccess::ReadWrite, RegistryView::Default, true);
    }
    static std::string entry(const std::string& name) {
        return TempTree::read(*TestBackend::autostartEntryFile(name));
    }

    TempTree folder;
    EnvironmentOverride registry{"MERIVANE_REGISTRY", TestBackend::env("MERIVANE_REGISTRY")};
    EnvironmentOverride config{"XDG_CONFIG_HOME", TestBackend::env("XDG_CONFIG_HOME")};
    EnvironmentOverride drives{"MERIVANE_DRIVES", TestBackend::env("MERIVANE_DRIVES")};
};

struct ExecRow {
    const char* label;
    std::string runValue;
    std::string execLine;
};

// Rows print as their label in test output.
void PrintTo(const ExecRow& row, std::ostream* out) {
    *out << row.label;
}

class AutostartExecTest : public AutostartTest, public testing::WithParamInterface<ExecRow> {};

TEST_P(AutostartExecTest, EntryStartsTheRegisteredProgram) {
    const auto& row = GetParam();
    auto key = run();
    ASSERT_EQ(key.writeString("Merivane", row.runValue), 0u);
    const std::string text = entry("Merivane");
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nName=Merivane\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n" + row.execLine + "\n"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AutostartExecTest,
    testing::Values(
        ExecRow{"Plain", "\\work\\main\\build\\app\\Merivane",
                "Exec=/work/main/build/app/Merivane"},
        ExecRow{"Blank", "\\opt\\Merivane app\\Merivane", "Exec=\"/opt/Merivane app/Merivane\""},
        ExecRow{"Reserved", "\\opt\\a$b;c\\M%1", "Exec=\"/opt/a\\\\$b;c/M%%1\""},
        ExecRow{"QuotedWithArguments", "\"\\opt\\Merivane\\Merivane\" --tray \"two words\"",
                "Exec=/opt/Merivane/Merivane --tray \"two words\""},
        ExecRow{"Chinese", "\\opt\\清理\\Merivane", "Exec=/opt/清理/Merivane"}),
    [](const testing::TestParamInfo<ExecRow>& info) { return info.param.label; });

TEST_F(AutostartTest, DriveLettersAreTranslated) {
    TestBackend::mapDrives({{'C', folder / "c"}});
    ASSERT_EQ(run().writeString("Merivane", "C:\\Apps\\Merivane"), 0u);
    EXPECT_NE(entry("Merivane").find("\nExec=" + (folder / "c/Apps/Merivane").string() + "\n"),
              std::string::npos)
        << entry("Merivane");
}

TEST_F(AutostartTest, DeletingTheValueOrTheKeyRemovesTheEntry) {
    auto key = run();
    ASSERT_EQ(key.writeString("Merivane", "\\opt\\Merivane"), 0u);
    ASSERT_EQ(key.writeString("Other", "\\opt\\Other"), 0u);
    const auto merivane = *TestBackend::autostartEntryFile("Merivane");
    const auto other = *TestBackend::autostartEntryFile("Other");
    ASSERT_TRUE(std::filesystem::exists(merivane));

    ASSERT_EQ(key.deleteValue("MERIVANE"), 0u);
    EXPECT_FALSE(std::filesystem::exists(merivane));
    EXPECT_TRUE(std::filesystem::exists(other));

    ASSERT_EQ(RegistryKey::deleteKey(RegistryRoot::CurrentUser, "Software\\Microsoft"), 0u);
    EXPECT_FALSE(std::filesystem::exists(other));
}

TEST_F(AutostartTest, RewritingTheValueRestoresAMissingEntry) {
    auto key = run();
    ASSERT_EQ(key.writeString("Merivane", "\\opt\\Merivane"), 0u);
    const auto file = *TestBackend::autostartEntryFile("Merivane");
    std::filesystem::remove(file);
    ASSERT_EQ(key.writeString("Merivane", "\\opt\\Merivane"), 0u);
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(AutostartTest, OtherKeysAndForeignEntriesAreLeftAlone) {
    const auto file = *TestBackend::autostartEntryFile("Merivane");
    folder.write(file, "[Desktop Entry]\nType=Application\nExec=/usr/bin/mine\n");
    const auto before = TempTree::snapshotOf(file.parent_path());

    auto key = run();
    ASSERT_EQ(key.writeString("Merivane", "\\opt\\Merivane"), 0u);
    ASSERT_EQ(key.deleteValue("Merivane"), 0u);
    auto elsewhere = RegistryKey::open(RegistryRoot::CurrentUser, "Software\\Run",
                                       RegistryAccess::ReadWrite, RegistryView::Default, true);
    ASSERT_EQ(elsewhere.writeString("Another", "\\opt\\Another"), 0u);

    EXPECT_EQ(TempTree::diff(before, TempTree::snapshotOf(file.parent_path())),
              std::vector<std::string>{});
    RegistryKey::deleteKey(RegistryRoot::CurrentUser, "Software\\Run");
}

} // namespace
