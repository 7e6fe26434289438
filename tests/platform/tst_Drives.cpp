#include "EnvironmentOverride.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/Drives.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>

using platform::Drives;
using platform::DriveType;

namespace {

class DrivesTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder / "c");
        std::filesystem::create_directories(folder / "d");
        TestBackend::mapDrives({{'C', folder / "c"}, {'D', folder / "d"}});
    }

    TempTree folder;
    EnvironmentOverride drives{"MERIVANE_DRIVES", TestBackend::env("MERIVANE_DRIVES")};
};

enum class Where { Drive, NoDrive, UnknownDrive };

struct PathRow {
    const char* label;
    std::string windowsPath;
    Where where;
    char letter;
    std::vector<std::string> parts; // below the drive root
};

// Rows print as their label in test output.
void PrintTo(const PathRow& row, std::ostream* out) {
    *out << row.label;
}

class WindowsPathTest : public DrivesTest, public testing::WithParamInterface<PathRow> {};

TEST_P(WindowsPathTest, TranslatesToTheNativePath) {
    const auto& row = GetParam();
    std::filesystem::path expected;
    switch (row.where) {
    case Where::Drive:
        expected = TestBackend::nativeOnDrive(row.letter, row.parts);
        break;
    case Where::NoDrive:
        expected = TestBackend::nativeWithoutDrive(row.windowsPath);
        break;
    case Where::UnknownDrive:
        expected = TestBackend::nativeOnUnknownDrive(row.windowsPath);
        break;
    }
    EXPECT_EQ(Drives::toNativePath(row.windowsPath).lexically_normal().native(),
              expected.lexically_normal().native());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowsPathTest,
    testing::Values(
        PathRow{"SystemTemp", "C:\\Windows\\Temp", Where::Drive, 'C', {"Windows", "Temp"}},
        PathRow{"DataArchive", "D:\\Data\\x.zip", Where::Drive, 'D', {"Data", "x.zip"}},
        PathRow{"LowerCase", "c:\\windows\\temp", Where::Drive, 'c', {"windows", "temp"}},
        PathRow{"ForwardSlashes", "d:/Data/x.zip", Where::Drive, 'd', {"Data", "x.zip"}},
        PathRow{"DoubledSeparator", "D:\\Data\\\\x.zip", Where::Drive, 'D', {"Data", "x.zip"}},
        PathRow{"TrailingSeparator", "D:\\Data\\", Where::Drive, 'D', {"Data"}},
        PathRow{"Root", "C:\\", Where::Drive, 'C', {}},
        PathRow{"BareDrive", "C:", Where::Drive, 'C', {}},
        PathRow{"DotsStayOnTheDrive", "C:\\Windows\\..\\..\\..\\etc", Where::Drive, 'C', {"etc"}},
        PathRow{"Chinese", "D:\\文档\\微信 文件.txt", Where::Drive, 'D', {"文档", "微信 文件.txt"}},
        PathRow{"NoDrive", "\\work\\main\\app", Where::NoDrive, 0, {}},
        PathRow{"Relative", "fonts\\a.otf", Where::NoDrive, 0, {}},
        PathRow{"UnknownDrive", "Q:\\Data\\x.zip", Where::UnknownDrive, 0, {}}),
    [](const testing::TestParamInfo<PathRow>& info) { return info.param.label; });

TEST_F(DrivesTest, NativePathsReadBackAsWindowsPaths) {
    for (const std::string path :
         {"C:\\Windows\\Temp", "D:\\Data\\x.zip", "D:\\", "C:\\文档\\微信 文件.txt"})
        EXPECT_EQ(Drives::toWindowsPath(Drives::toNativePath(path)), path);
}

TEST_F(DrivesTest, WindowsPathOfAnUndecodableNameIsDisplayable) {
    const auto native = Drives::toNativePath("D:\\Data") / TestBackend::invalidUnicodeName();
    const std::string shown = Drives::toWindowsPath(native);
    EXPECT_EQ(shown.rfind("D:\\Data\\bad", 0), 0u) << shown;
    EXPECT_NE(shown.find("\xEF\xBF\xBD"), std::string::npos) << shown;
    EXPECT_EQ(platform::PathText::toDisplayUtf8(platform::PathText::fromUtf8(shown)), shown);
}

TEST_F(DrivesTest, DrivesAreListedWithTypeAndSpace) {
    const auto roots = Drives::logicalDriveRoots();
    ASSERT_GE(roots.size(), 2u);
    EXPECT_EQ(roots[0], "C:\\");
    EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
    EXPECT_NE(std::find(roots.begin(), roots.end(), "D:\\"), roots.end());
    EXPECT_EQ(Drives::driveType("C:\\"), DriveType::Fixed);
    EXPECT_EQ(Drives::driveType("d:"), DriveType::Fixed);
    EXPECT_EQ(Drives::driveType("Q:\\"), DriveType::NoRootDir);

    const auto c = Drives::storageOf("C:");
    ASSERT_TRUE(c.has_value());
    EXPECT_GT(c->total, 0u);
    EXPECT_LE(c->free, c->total);
    const auto same = Drives::diskSpace("C:\\");
    ASSERT_TRUE(same.has_value());
    EXPECT_EQ(same->total, c->total);
    EXPECT_FALSE(Drives::storageOf("Q:").has_value());
    EXPECT_FALSE(Drives::storageOf("not a drive").has_value());
}

// Compared with the file system's own figures, read just before and just after: when those
// two agree, nothing was written in between (other programs write on the same disk).
TEST_F(DrivesTest, FreeSpaceIsTheFileSystemsForTheCallerAndInAll) {
    const std::filesystem::path native = Drives::toNativePath("C:\\");
    for (int attempt = 0; attempt < 20; ++attempt) {
        const auto before = std::filesystem::space(native);
        const auto space = Drives::storageOf("C:");
        const auto after = std::filesystem::space(native);
        ASSERT_TRUE(space.has_value());
        if (before.free != after.free || before.available != after.available)
            continue;
        EXPECT_EQ(space->total, before.capacity);
        EXPECT_EQ(space->free, before.available);
        EXPECT_EQ(space->totalFree, before.free);
        EXPECT_GE(space->totalFree, space->free);
        EXPECT_LE(space->totalFree, space->total);
        return;
    }
    GTEST_SKIP() << "the file system's free space never held still";
}

TEST(SystemDrivesTest, DriveCIsTheSystemDrive) {
    EnvironmentOverride unmapped("MERIVANE_DRIVES", std::nullopt);
    const auto roots = Drives::logicalDriveRoots();
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots[0], "C:\\");
    for (const auto& root : roots)
        EXPECT_NE(Drives::driveType(root), DriveType::NoRootDir) << root;
    const auto system = TestBackend::systemDriveFolder();
    EXPECT_EQ(Drives::toNativePath("C:\\").native(), system.native());
    EXPECT_EQ(Drives::toWindowsPath(system / "Windows" / "Temp"), "C:\\Windows\\Temp");
    EXPECT_TRUE(Drives::storageOf("C:").has_value());
}

} // namespace
