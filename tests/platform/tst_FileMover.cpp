#include "SmallVolume.h"
#include "TempFolder.h"
#include "TestBackend.h"
#include "TreeSnapshot.h"
#include "platform/FileMover.h"
#include "platform/WinError.h"

#include <gtest/gtest.h>

using platform::FileMover;

namespace {

std::string pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + i / 4096) & 0xFF);
    return data;
}

class FileMoverTest : public testing::Test {
protected:
    TempFolder folder;
};

TEST_F(FileMoverTest, NeverReplacesAnExistingFile) {
    const auto source = TempFolder::writeFile(folder / "from/a.bin", "source");
    const auto destination = TempFolder::writeFile(folder / "to/a.bin", "existing");
    const auto before = TreeSnapshot::of(folder.path());
    EXPECT_EQ(FileMover::move(source, destination), platform::ErrorAlreadyExists);
    EXPECT_EQ(TreeSnapshot::of(folder.path()), before);
}

TEST_F(FileMoverTest, MovesWithinAFileSystem) {
    const auto source = TempFolder::writeFile(folder / "from/a.bin", pattern(5000));
    std::filesystem::create_directories(folder / "to");
    const auto time = std::filesystem::last_write_time(source);
    ASSERT_EQ(FileMover::move(source, folder / "to/b.bin"), 0u);
    EXPECT_FALSE(std::filesystem::exists(source));
    EXPECT_EQ(TempFolder::readFile(folder / "to/b.bin"), pattern(5000));
    EXPECT_EQ(std::filesystem::last_write_time(folder / "to/b.bin"), time);
}

TEST_F(FileMoverTest, FailuresReportWindowsCodesAndChangeNothing) {
    TempFolder::writeFile(folder / "from/a.bin", "source");
    const auto before = TreeSnapshot::of(folder.path());
    EXPECT_EQ(FileMover::move(folder / "from/missing.bin", folder / "x.bin"),
              platform::ErrorFileNotFound);
    EXPECT_EQ(FileMover::move(folder / "nofolder/a.bin", folder / "x.bin"),
              platform::ErrorPathNotFound);
    EXPECT_EQ(FileMover::move(folder / "from/a.bin", folder / "nofolder/a.bin"),
              platform::ErrorPathNotFound);
    EXPECT_EQ(TreeSnapshot::of(folder.path()), before);
}

TEST_F(FileMoverTest, MovesAFileWhoseNameIsNotUnicode) {
    if (const auto reason = TestBackend::noInvalidUnicodeFiles())
        GTEST_SKIP() << *reason;
    const auto name = TestBackend::invalidUnicodeName();
    const auto source = TempFolder::writeFile(folder / "from" / name, "odd");
    std::filesystem::create_directories(folder / "to");
    ASSERT_EQ(FileMover::move(source, folder / "to" / name), 0u);
    EXPECT_FALSE(std::filesystem::exists(source));
    EXPECT_EQ(TempFolder::readFile(folder / "to" / name), "odd");
}

class CrossVolumeMoveTest : public FileMoverTest {
protected:
    void SetUp() override {
        if (small.skipReason())
            GTEST_SKIP() << *small.skipReason();
    }

    SmallVolume small{folder / "volume"};
    const std::filesystem::path& volume = small.path();
};

TEST_F(CrossVolumeMoveTest, CopiesCompletelyThenRemovesTheSource) {
    const auto source = TempFolder::writeFile(folder / "from/big.bin", pattern(300 * 1024));
    const auto time = std::filesystem::last_write_time(source);
    ASSERT_EQ(FileMover::move(source, volume / "big.bin"), 0u);
    EXPECT_FALSE(std::filesystem::exists(source));
    EXPECT_EQ(TempFolder::readFile(volume / "big.bin"), pattern(300 * 1024));
    EXPECT_EQ(std::filesystem::last_write_time(volume / "big.bin"), time);
    EXPECT_EQ(TreeSnapshot::of(volume).size(), 1u);
}

TEST_F(CrossVolumeMoveTest, AFullDiskKeepsTheSourceAndLeavesNothing) {
    TempFolder::writeFile(folder / "from/huge.bin", pattern(2 << 20));
    const auto before = TreeSnapshot::of(folder / "from");
    EXPECT_EQ(FileMover::move(folder / "from/huge.bin", volume / "huge.bin"),
              platform::ErrorDiskFull);
    EXPECT_EQ(TreeSnapshot::of(folder / "from"), before);
    EXPECT_TRUE(TreeSnapshot::of(volume).empty());
}

TEST_F(CrossVolumeMoveTest, NeverReplacesOnTheOtherVolume) {
    TempFolder::writeFile(folder / "from/a.bin", "source");
    TempFolder::writeFile(volume / "a.bin", "existing");
    const auto from = TreeSnapshot::of(folder / "from");
    const auto onVolume = TreeSnapshot::of(volume);
    EXPECT_EQ(FileMover::move(folder / "from/a.bin", volume / "a.bin"),
              platform::ErrorAlreadyExists);
    EXPECT_EQ(TreeSnapshot::of(folder / "from"), from);
    EXPECT_EQ(TreeSnapshot::of(volume), onVolume);
}

} // namespace
