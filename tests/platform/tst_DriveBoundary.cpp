#include "SmallVolume.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/Drives.h"

#include <gtest/gtest.h>

using platform::DriveBoundary;

namespace {

TEST(DriveBoundaryTest, StaysOnTheFileSystemOfTheWalk) {
    TempTree folder;
    std::filesystem::create_directories(folder / "a/b");
    const DriveBoundary boundary(folder.path());
    ASSERT_TRUE(boundary.isValid());
    EXPECT_TRUE(boundary.contains(folder.path()));
    EXPECT_TRUE(boundary.contains(folder / "a/b"));
    EXPECT_FALSE(boundary.contains(TestBackend::otherFileSystemFolder()));
    EXPECT_FALSE(boundary.contains(folder / "missing"));

    const DriveBoundary nowhere(folder / "missing");
    EXPECT_FALSE(nowhere.isValid());
    EXPECT_FALSE(nowhere.contains(folder.path()));
}

TEST(DriveBoundaryTest, AVolumeMountedInsideIsOutside) {
    TempTree folder;
    SmallVolume small(folder / "volume");
    if (small.skipReason())
        GTEST_SKIP() << *small.skipReason();
    const auto& volume = small.path();
    std::filesystem::create_directories(volume / "inner");
    const DriveBoundary boundary(folder.path());
    EXPECT_FALSE(boundary.contains(volume));
    EXPECT_FALSE(boundary.contains(volume / "inner"));
    const DriveBoundary fromVolume(volume);
    EXPECT_TRUE(fromVolume.contains(volume / "inner"));
    EXPECT_FALSE(fromVolume.contains(folder.path()));
}

} // namespace
