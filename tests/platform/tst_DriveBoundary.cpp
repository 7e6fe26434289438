#include "SmallVolume.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/Drives.h"
#include "platform/FolderReader.h"

#include <gtest/gtest.h>

using platform::DriveBoundary;
using platform::FileIdentity;
using platform::FolderReader;
namespace fs = std::filesystem;

namespace {

// The identity the listing of parent gives its sub-folder name, as a walk has it.
std::optional<FileIdentity> ListedIdentity(const fs::path& parent, const fs::path& name) {
    FolderReader reader(parent);
    fs::path child;
    FolderReader::Kind kind;
    while (reader.next(child, kind)) {
        if (child.filename() == name)
            return reader.folderIdentity();
    }
    return std::nullopt;
}

TEST(DriveBoundaryTest, StaysOnTheFileSystemOfTheWalk) {
    TempTree folder;
    std::filesystem::create_directories(folder / "a/b");
    const DriveBoundary boundary(folder.path());
    ASSERT_TRUE(boundary.isValid());
    EXPECT_TRUE(boundary.contains(folder.path()));
    EXPECT_TRUE(boundary.contains(folder / "a/b"));
    EXPECT_FALSE(boundary.contains(TestBackend::otherFileSystemFolder()));
    EXPECT_FALSE(boundary.contains(folder / "missing"));
    const auto listed = ListedIdentity(folder / "a", "b");
    ASSERT_TRUE(listed);
    EXPECT_TRUE(boundary.contains(*listed));

    const DriveBoundary nowhere(folder / "missing");
    EXPECT_FALSE(nowhere.isValid());
    EXPECT_FALSE(nowhere.contains(folder.path()));
    EXPECT_FALSE(nowhere.contains(*listed));
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
    std::filesystem::create_directories(volume / "inner/deeper");
    const auto deeper = ListedIdentity(volume / "inner", "deeper");
    ASSERT_TRUE(deeper);
    EXPECT_FALSE(boundary.contains(*deeper));
    EXPECT_TRUE(fromVolume.contains(*deeper));
    // The mount point, as its parent lists it, is the volume's own root. Windows (Wine too)
    // lists it as a reparse point, which no walk enters, so it has no identity there.
    if (const auto mountPoint = ListedIdentity(folder.path(), volume.filename())) {
        EXPECT_FALSE(boundary.contains(*mountPoint));
        EXPECT_TRUE(fromVolume.contains(*mountPoint));
    }
}

} // namespace
