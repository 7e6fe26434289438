#include "EnvironmentOverride.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/RegistryKey.h"
#include "platform/WinError.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

using platform::RegistryAccess;
using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryView;

namespace {

const std::string base = "Software\\MerivaneTest";

class RegistryKeyTest : public testing::Test {
protected:
    void SetUp() override { TestBackend::isolateRegistry(folder.path()); }
    void TearDown() override {
        RegistryKey::deleteKey(RegistryRoot::CurrentUser, base);
        RegistryKey::deleteKey(RegistryRoot::LocalMachine, base);
    }

    static RegistryKey create(const std::string& path,
                              RegistryRoot root = RegistryRoot::CurrentUser,
                              RegistryView view = RegistryView::Default) {
        return RegistryKey::open(root, path, RegistryAccess::ReadWrite, view, true);
    }

    TempTree folder;
    EnvironmentOverride registry{"MERIVANE_REGISTRY", TestBackend::env("MERIVANE_REGISTRY")};
    EnvironmentOverride config{"XDG_CONFIG_HOME", TestBackend::env("XDG_CONFIG_HOME")};
};

TEST_F(RegistryKeyTest, ValuesOfBothTypesSurviveReopening) {
    const std::string awkward = "C:\\Program Files\\\"Quoted\" 应用 \\\\server\\share\\";
    {
        auto key = create(base + "\\Values");
        ASSERT_TRUE(key.isOpen()) << key.error();
        EXPECT_EQ(key.writeString("Path", awkward), 0u);
        EXPECT_EQ(key.writeString("", "default value"), 0u);
        EXPECT_EQ(key.writeString("Empty", ""), 0u);
        EXPECT_EQ(key.writeDword("Ten", 10), 0u);
        EXPECT_EQ(key.writeDword("Max", 0xFFFFFFFFu), 0u);
        EXPECT_EQ(key.writeDword("Zero", 0), 0u);
    }
    auto key = RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Values");
    ASSERT_TRUE(key.isOpen());
    EXPECT_EQ(key.readString("Path"), awkward);
    EXPECT_EQ(key.readString(""), "default value");
    EXPECT_EQ(key.readString("Empty"), "");
    EXPECT_EQ(key.readDword("Ten"), 10u);
    EXPECT_EQ(key.readDword("Max"), 0xFFFFFFFFu);
    EXPECT_EQ(key.readDword("Zero"), 0u);
    // A value of the other type reads as missing.
    EXPECT_EQ(key.readDword("Path"), std::nullopt);
    EXPECT_EQ(key.readString("Ten"), std::nullopt);
    EXPECT_EQ(key.readString("Missing"), std::nullopt);
    EXPECT_TRUE(key.hasValue("Ten"));
    EXPECT_FALSE(key.hasValue("Missing"));
}

TEST_F(RegistryKeyTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    auto key = create(base + "\\MixedCase");
    ASSERT_TRUE(key.isOpen());
    ASSERT_EQ(key.writeString("DisplayName", "first"), 0u);
    ASSERT_EQ(key.writeString("DISPLAYNAME", "second"), 0u);

    auto again = RegistryKey::open(RegistryRoot::CurrentUser, "SOFTWARE\\merivanetest\\MIXEDCASE",
                                   RegistryAccess::ReadWrite);
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(again.readString("displayname"), "second");
    const auto values = again.values();
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "DisplayName");

    auto parent = RegistryKey::open(RegistryRoot::CurrentUser, base);
    EXPECT_EQ(parent.subKeyNames(), std::vector<std::string>{"MixedCase"});
    EXPECT_EQ(again.deleteValue("DISPLAYNAME"), 0u);
    EXPECT_FALSE(again.hasValue("DisplayName"));
}

TEST_F(RegistryKeyTest, EnumerationOrderIsStable) {
    auto key = create(base + "\\Order");
    ASSERT_TRUE(key.isOpen());
    for (const char* name : {"b", "C", "a", "Ä"})
        ASSERT_TRUE(key.openSubKey(name, true).isOpen());
    for (const char* name : {"z", "Y", "x"})
        ASSERT_EQ(key.writeString(name, name), 0u);

    const std::vector<std::string> keys{"a", "b", "C", "Ä"};
    EXPECT_EQ(key.subKeyNames(), keys);
    auto reopened = RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Order");
    EXPECT_EQ(reopened.subKeyNames(), keys);
    // Values keep one order between handles; which one is the system's (Windows keeps the
    // order of creation, Wine sorts by name).
    std::vector<std::string> names;
    std::vector<std::string> again;
    for (const auto& value : key.values())
        names.push_back(value.name);
    for (const auto& value : reopened.values())
        again.push_back(value.name);
    EXPECT_EQ(names, again);
    std::sort(again.begin(), again.end());
    EXPECT_EQ(again, (std::vector<std::string>{"Y", "x", "z"}));
}

TEST_F(RegistryKeyTest, KeysAreCreatedAndDeletedWithTheirSubtree) {
    auto missing = RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Tree\\Leaf");
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.error(), platform::ErrorFileNotFound);

    auto leaf = create(base + "\\Tree\\Middle\\Leaf");
    ASSERT_TRUE(leaf.isOpen());
    ASSERT_EQ(leaf.writeDword("Count", 3), 0u);
    auto middle = RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Tree\\Middle");
    ASSERT_TRUE(middle.isOpen());
    EXPECT_EQ(middle.subKeyNames(), std::vector<std::string>{"Leaf"});

    EXPECT_EQ(RegistryKey::deleteKey(RegistryRoot::CurrentUser, base + "\\tree"), 0u);
    EXPECT_FALSE(RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Tree").isOpen());
    EXPECT_FALSE(
        RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Tree\\Middle\\Leaf").isOpen());
    EXPECT_EQ(RegistryKey::deleteKey(RegistryRoot::CurrentUser, base + "\\Tree"),
              platform::ErrorFileNotFound);
    // A handle to a deleted key neither reads nor resurrects it.
    EXPECT_NE(leaf.writeDword("Count", 4), 0u);
    EXPECT_EQ(leaf.readDword("Count"), std::nullopt);
    EXPECT_FALSE(RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Tree").isOpen());
}

TEST_F(RegistryKeyTest, ReadOnlyKeysRefuseChanges) {
    ASSERT_EQ(create(base + "\\Locked").writeString("Kept", "yes"), 0u);
    auto key = RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Locked");
    ASSERT_TRUE(key.isOpen());
    EXPECT_EQ(key.writeString("New", "no"), platform::ErrorAccessDenied);
    EXPECT_EQ(key.deleteValue("Kept"), platform::ErrorAccessDenied);
    EXPECT_FALSE(key.hasValue("New"));
    EXPECT_EQ(key.readString("Kept"), "yes");
    EXPECT_NE(key.deleteValue("Missing"), 0u);
}

TEST_F(RegistryKeyTest, LocalMachineKeysOpenInBothViews) {
    if (!TestBackend::canWriteLocalMachine())
        GTEST_SKIP() << "HKEY_LOCAL_MACHINE is not writable for tests here";
    auto key =
        create(base + "\\Uninstall\\App", RegistryRoot::LocalMachine, RegistryView::Wow64_64);
    ASSERT_TRUE(key.isOpen());
    ASSERT_EQ(key.writeString("DisplayName", "应用"), 0u);
    auto uninstall = RegistryKey::open(RegistryRoot::LocalMachine, base + "\\Uninstall",
                                       RegistryAccess::Read, RegistryView::Wow64_64);
    ASSERT_TRUE(uninstall.isOpen());
    auto app = uninstall.openSubKey("App");
    EXPECT_EQ(app.readString("DisplayName"), "应用");
    EXPECT_FALSE(RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Uninstall").isOpen());
}

TEST_F(RegistryKeyTest, ConcurrentWritersLoseNothing) {
    ASSERT_TRUE(create(base + "\\Threads").isOpen());
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([t] {
            auto key = RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Threads",
                                         RegistryAccess::ReadWrite);
            for (int i = 0; i < 20; ++i)
                key.writeDword("v" + std::to_string(t) + "_" + std::to_string(i),
                               static_cast<std::uint32_t>(i));
        });
    for (auto& writer : writers)
        writer.join();
    auto key = RegistryKey::open(RegistryRoot::CurrentUser, base + "\\Threads");
    EXPECT_EQ(key.values().size(), 80u);
    EXPECT_EQ(key.readDword("v3_19"), 19u);
}

} // namespace
