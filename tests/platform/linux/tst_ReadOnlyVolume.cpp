// Linux only: a file system mounted read-only, where a delete fails as it does on Windows
// for write-protected media.
#include "SmallVolume.h"
#include "TempTree.h"
#include "platform/ConfinedFileRemover.h"
#include "platform/WinError.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>

using platform::ConfinedFileRemover;

namespace {

TEST(ReadOnlyVolumeTest, ADeleteThereIsRefusedAsWriteProtected) {
    TempTree folder;
    SmallVolume small{folder / "volume"};
    if (small.skipReason())
        GTEST_SKIP() << *small.skipReason();
    const auto file = folder.write("volume/a/f.tmp", "kept");
    ASSERT_EQ(::mount(nullptr, small.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);
    const auto before = folder.snapshot();
    const auto result = ConfinedFileRemover::remove(small.path(), file);
    EXPECT_EQ(result.error, platform::ErrorWriteProtect);
    EXPECT_EQ(result.freed, 0u);
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), std::vector<std::string>{});
}

} // namespace
