// Linux only: which mounts become drive letters when MERIVANE_DRIVES is not set.
#include "EnvironmentOverride.h"
#include "SmallVolume.h"
#include "TempTree.h"
#include "platform/Drives.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/mount.h>

using platform::Drives;

namespace {

// An ext4 file system in an image file, mounted through a loop device: a local block
// device like a second disk.
class LoopDisk {
public:
    explicit LoopDisk(const std::filesystem::path& folder) : folder_(folder) {
        image_ = folder.native() + ".img";
        std::filesystem::create_directories(folder);
        const std::string make = "truncate -s 8M '" + image_.native() + "' && mkfs.ext4 -q '" +
                                 image_.native() + "' && mount -o loop '" + image_.native() +
                                 "' '" + folder.native() + "' 2>/dev/null";
        mounted_ = std::system(make.c_str()) == 0;
    }
    ~LoopDisk() {
        if (mounted_)
            ::umount2(folder_.c_str(), 0);
        std::filesystem::remove(image_);
    }
    bool mounted() const { return mounted_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path image_;
    bool mounted_ = false;
};

std::optional<std::string> rootOf(const std::filesystem::path& folder) {
    for (const auto& root : Drives::logicalDriveRoots())
        if (Drives::toNativePath(root) == folder)
            return root;
    return std::nullopt;
}

TEST(MountedDrivesTest, ALocalDiskBecomesADriveAndATmpfsDoesNot) {
    EnvironmentOverride unmapped("MERIVANE_DRIVES", std::nullopt);
    TempTree folder;
    const auto before = Drives::logicalDriveRoots();
    {
        LoopDisk disk(folder / "disk");
        if (!disk.mounted())
            GTEST_SKIP() << "mounting a loop device is not permitted here; run as root";
        SmallVolume memory(folder / "memory");

        const auto roots = Drives::logicalDriveRoots();
        EXPECT_EQ(roots.size(), before.size() + 1);
        EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
        const auto root = rootOf(folder / "disk");
        ASSERT_TRUE(root.has_value());
        EXPECT_NE(*root, "C:\\");
        EXPECT_EQ(Drives::driveType(*root), platform::DriveType::Fixed);
        EXPECT_EQ(Drives::toWindowsPath(folder / "disk/Data/x.zip"), *root + "Data\\x.zip");
        const auto space = Drives::diskSpace(*root);
        ASSERT_TRUE(space.has_value());
        EXPECT_GT(space->total, 0u);
        EXPECT_LE(space->total, 8u << 20);
        EXPECT_FALSE(rootOf(folder / "memory").has_value());
    }
    EXPECT_EQ(Drives::logicalDriveRoots(), before);
}

} // namespace
