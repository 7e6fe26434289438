#include "EnvironmentOverride.h"
#include "SmallVolume.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/RegistryKey.h"
#include "platform/WinError.h"

#include <gtest/gtest.h>

using platform::RegistryAccess;
using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryView;

namespace {

// The registry as a file: its format, atomic rewrites and damaged files.
class RegistryStoreTest : public testing::Test {
protected:
    void SetUp() override {
        TestBackend::isolateRegistry(folder.path());
        const auto file = TestBackend::registryStoreFile();
        if (!file)
            GTEST_SKIP() << "the registry is the system's here, not a file";
        store = *file;
    }

    static RegistryKey create(const std::string& path) {
        return RegistryKey::open(RegistryRoot::CurrentUser, path, RegistryAccess::ReadWrite,
                                 RegistryView::Default, true);
    }

    TempTree folder;
    EnvironmentOverride registry{"MERIVANE_REGISTRY", TestBackend::env("MERIVANE_REGISTRY")};
    EnvironmentOverride config{"XDG_CONFIG_HOME", TestBackend::env("XDG_CONFIG_HOME")};
    std::filesystem::path store;
};

TEST_F(RegistryStoreTest, WritesTheRegExportFormat) {
    auto key = create("Software\\Tencent\\WeChat");
    ASSERT_EQ(key.writeString("FileSavePath", "D:\\Data \"WeChat\"\\微信"), 0u);
    ASSERT_EQ(key.writeDword("Count", 10), 0u);
    ASSERT_EQ(key.writeString("", "default"), 0u);
    ASSERT_TRUE(create("Software\\Empty").isOpen());

    EXPECT_EQ(TempTree::read(store), "Windows Registry Editor Version 5.00\n"
                                     "\n"
                                     "[HKEY_CURRENT_USER\\Software]\n"
                                     "\n"
                                     "[HKEY_CURRENT_USER\\Software\\Empty]\n"
                                     "\n"
                                     "[HKEY_CURRENT_USER\\Software\\Tencent]\n"
                                     "\n"
                                     "[HKEY_CURRENT_USER\\Software\\Tencent\\WeChat]\n"
                                     "\"FileSavePath\"=\"D:\\\\Data \\\"WeChat\\\"\\\\微信\"\n"
                                     "\"Count\"=dword:0000000a\n"
                                     "@=\"default\"\n"
                                     "\n");
}

TEST_F(RegistryStoreTest, ReadsHandEditedFilesAndKeepsWhatItDoesNotKnow) {
    const std::string hexLine = "\"Binary\"=hex:01,02,\\\n  03,04";
    folder.write(store, "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
                        "\r\n"
                        "; written by hand\r\n"
                        "[HKCU\\Software\\Hand]\r\n"
                        "\"Name\" = \"multi\nline\"\r\n"
                        "\"Number\"=dword:FF\r\n" +
                            hexLine + "\r\n");
    auto key =
        RegistryKey::open(RegistryRoot::CurrentUser, "Software\\Hand", RegistryAccess::ReadWrite);
    ASSERT_TRUE(key.isOpen()) << RegistryKey::storeError();
    EXPECT_EQ(key.readString("Name"), "multi\nline");
    EXPECT_EQ(key.readDword("Number"), 255u);
    ASSERT_EQ(key.values().size(), 3u);
    EXPECT_EQ(key.values()[2].type, RegistryKey::Value::Type::Other);

    ASSERT_EQ(key.writeDword("Number", 1), 0u);
    const std::string rewritten = TempTree::read(store);
    EXPECT_NE(rewritten.find("\"Binary\"=hex:01,02,03,04\n"), std::string::npos) << rewritten;
    EXPECT_NE(rewritten.find("\"Name\"=\"multi\nline\"\n"), std::string::npos) << rewritten;
    EXPECT_EQ(RegistryKey::open(RegistryRoot::CurrentUser, "Software\\Hand").readString("Name"),
              "multi\nline");
}

TEST_F(RegistryStoreTest, SeesChangesMadeOnDisk) {
    ASSERT_EQ(create("Software\\Edited").writeString("Value", "before"), 0u);
    auto key = RegistryKey::open(RegistryRoot::CurrentUser, "Software\\Edited");
    EXPECT_EQ(key.readString("Value"), "before");
    folder.write(store, "Windows Registry Editor Version 5.00\n\n"
                        "[HKEY_CURRENT_USER\\Software\\Edited]\n"
                        "\"Value\"=\"after, and longer\"\n");
    EXPECT_EQ(key.readString("Value"), "after, and longer");
}

TEST_F(RegistryStoreTest, RewritesLeaveOnlyTheStore) {
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(create("Software\\Many").writeDword("N" + std::to_string(i), 1), 0u);
    ASSERT_EQ(RegistryKey::deleteKey(RegistryRoot::CurrentUser, "Software\\Many"), 0u);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(store.parent_path()))
        if (entry.path() != store && entry.path().filename() != "config")
            names.push_back(entry.path().filename().string());
    EXPECT_TRUE(names.empty()) << names.front();
}

struct DamagedStore {
    const char* label;
    std::string text;
    std::string reason; // part of storeError()
};

// Rows print as their label in test output.
void PrintTo(const DamagedStore& row, std::ostream* out) {
    *out << row.label;
}

class DamagedStoreTest : public RegistryStoreTest,
                         public testing::WithParamInterface<DamagedStore> {};

TEST_P(DamagedStoreTest, IsReportedAndNeverOverwritten) {
    const auto& row = GetParam();
    folder.write(store, row.text);
    const auto before = folder.snapshot();

    auto key = RegistryKey::open(RegistryRoot::CurrentUser, "Software\\Damaged");
    EXPECT_FALSE(key.isOpen());
    EXPECT_EQ(key.error(), platform::ErrorRegistryCorrupt);
    EXPECT_NE(RegistryKey::storeError().find(row.reason), std::string::npos)
        << RegistryKey::storeError();
    auto created = create("Software\\Damaged");
    EXPECT_FALSE(created.isOpen());
    EXPECT_EQ(created.error(), platform::ErrorRegistryCorrupt);
    EXPECT_NE(RegistryKey::deleteKey(RegistryRoot::CurrentUser, "Software\\Hand"), 0u);

    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), std::vector<std::string>{});
}

const std::string header = "Windows Registry Editor Version 5.00\n\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, DamagedStoreTest,
    testing::Values(
        DamagedStore{"NoHeader", "[HKEY_CURRENT_USER\\Software\\Hand]\n", "line 1: expected"},
        DamagedStore{"OpenQuote", header + "[HKEY_CURRENT_USER\\Software\\Hand]\n\"A\"=\"open\n",
                     "not closed"},
        DamagedStore{"LongDword", header + "[HKCU\\Software\\Hand]\n\"A\"=dword:123456789\n",
                     "line 4: a dword"},
        DamagedStore{"ValueFirst", header + "\"A\"=\"x\"\n", "line 3: a value before"},
        DamagedStore{"UnknownRoot", header + "[HKEY_USERS\\x]\n", "line 3: unknown root"},
        DamagedStore{"NotUtf8", header + "[HKCU\\Software\\Hand]\n\"A\"=\"\xff\"\n",
                     "line 4: the file is not valid UTF-8"},
        DamagedStore{"Truncated", header + "[HKCU\\Software\\Hand", "must end with"}),
    [](const testing::TestParamInfo<DamagedStore>& info) { return info.param.label; });

class FullVolumeStoreTest : public RegistryStoreTest {
protected:
    void SetUp() override {
        RegistryStoreTest::SetUp();
        if (IsSkipped())
            return;
        if (small.skipReason())
            GTEST_SKIP() << *small.skipReason();
        store = volume / "registry.reg";
        TestBackend::setEnv("MERIVANE_REGISTRY", store.string());
    }

    SmallVolume small{folder / "volume"};
    const std::filesystem::path& volume = small.path();
};

TEST_F(FullVolumeStoreTest, FailedWriteKeepsTheOldStore) {
    auto key = create("Software\\Full");
    ASSERT_EQ(key.writeString("Small", "kept"), 0u);
    const auto before = TempTree::snapshotOf(volume);

    EXPECT_EQ(key.writeString("Huge", std::string(2 << 20, 'x')), platform::ErrorDiskFull);

    EXPECT_EQ(TempTree::diff(before, TempTree::snapshotOf(volume)), std::vector<std::string>{});
    EXPECT_EQ(key.readString("Small"), "kept");
    EXPECT_FALSE(key.hasValue("Huge"));
}

TEST_F(FullVolumeStoreTest, FailedRunValueWriteLeavesNoAutostartEntry) {
    auto run = create("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    ASSERT_TRUE(run.isOpen());
    ASSERT_EQ(run.writeString("Filler", std::string(700 << 10, 'x')), 0u);
    EXPECT_EQ(run.writeString("Merivane", "\\opt\\" + std::string(400 << 10, 'y')),
              platform::ErrorDiskFull);
    EXPECT_FALSE(run.hasValue("Merivane"));
    if (const auto entry = TestBackend::autostartEntryFile("Merivane")) {
        EXPECT_FALSE(std::filesystem::exists(*entry));
    }
}

TEST_F(RegistryStoreTest, KeyNamesTheStoreCannotHoldAreRefused) {
    auto key = create("Software\\Line\nBreak");
    EXPECT_FALSE(key.isOpen());
    EXPECT_EQ(key.error(), platform::ErrorInvalidParameter);
    ASSERT_EQ(create("Software\\Fine").writeString("Value\nwith break", "data\r\n"), 0u);
    EXPECT_EQ(RegistryKey::open(RegistryRoot::CurrentUser, "Software\\Fine")
                  .readString("Value\nwith break"),
              "data\r\n");
}

} // namespace
