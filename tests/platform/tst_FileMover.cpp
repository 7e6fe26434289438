#include "SmallVolume.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/FileMover.h"
#include "platform/PathText.h"
#include "platform/WinError.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

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
    // Puts a file next to the source and one outside its folder, which a move must leave
    // alone, and returns the whole tree as it is before the move.
    TempTree::Snapshot beforeMove() {
        folder.write("from/stays.bin", "next to the source");
        folder.write("outside.bin", "outside");
        return folder.snapshot();
    }
    // What TempTree::diff gives for a move of `from` to `to`, both relative to the tree.
    static std::vector<std::string> moved(const std::string& from, const std::string& to) {
        std::vector<std::string> lines{"added: " + to, "removed: " + from};
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    TempTree folder;
};

TEST_F(FileMoverTest, NeverReplacesAnExistingFile) {
    const auto source = folder.write("from/a.bin", "source");
    const auto destination = folder.write("to/a.bin", "existing");
    const auto before = folder.snapshot();
    EXPECT_EQ(FileMover::move(source, destination), platform::ErrorAlreadyExists);
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), std::vector<std::string>{});
}

TEST_F(FileMoverTest, MovesWithinAFileSystem) {
    const auto source = folder.write("from/a.bin", pattern(5000));
    std::filesystem::create_directories(folder / "to");
    const auto time = std::filesystem::last_write_time(source);
    const auto before = beforeMove();
    ASSERT_EQ(FileMover::move(source, folder / "to/b.bin"), 0u);
    EXPECT_FALSE(std::filesystem::exists(source));
    EXPECT_EQ(TempTree::read(folder / "to/b.bin"), pattern(5000));
    EXPECT_EQ(std::filesystem::last_write_time(folder / "to/b.bin"), time);
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), moved("from/a.bin", "to/b.bin"));
}

TEST_F(FileMoverTest, FailuresReportWindowsCodesAndChangeNothing) {
    folder.write("from/a.bin", "source");
    const auto before = folder.snapshot();
    EXPECT_EQ(FileMover::move(folder / "from/missing.bin", folder / "x.bin"),
              platform::ErrorFileNotFound);
    EXPECT_EQ(FileMover::move(folder / "nofolder/a.bin", folder / "x.bin"),
              platform::ErrorPathNotFound);
    EXPECT_EQ(FileMover::move(folder / "from/a.bin", folder / "nofolder/a.bin"),
              platform::ErrorPathNotFound);
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), std::vector<std::string>{});
}

TEST_F(FileMoverTest, MovesAFileWhoseNameIsNotUnicode) {
    if (const auto reason = TestBackend::noInvalidUnicodeFiles())
        GTEST_SKIP() << *reason;
    const auto name = TestBackend::invalidUnicodeName();
    const auto source = folder.write(folder / "from" / name, "odd");
    std::filesystem::create_directories(folder / "to");
    const auto before = beforeMove();
    ASSERT_EQ(FileMover::move(source, folder / "to" / name), 0u);
    EXPECT_FALSE(std::filesystem::exists(source));
    EXPECT_EQ(TempTree::read(folder / "to" / name), "odd");
    const std::string shown = platform::PathText::toDisplayUtf8(name);
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), moved("from/" + shown, "to/" + shown));
}

class CrossVolumeMoveTest : public FileMoverTest {
protected:
    void SetUp() override {
        if (small.skipReason())
            GTEST_SKIP() << *small.skipReason();
    }

    // The tree but the volume, which is compared on its own: Windows lists the folder a
    // volume is mounted in as a reparse point, with nothing below it.
    TempTree::Snapshot besideVolume() const {
        TempTree::Snapshot tree = folder.snapshot();
        for (auto entry = tree.begin(); entry != tree.end();)
            entry = *entry->first.begin() == "volume" ? tree.erase(entry) : std::next(entry);
        return tree;
    }

    SmallVolume small{folder / "volume"};
    const std::filesystem::path& volume = small.path();
};

TEST_F(CrossVolumeMoveTest, CopiesCompletelyThenRemovesTheSource) {
    const auto source = folder.write("from/big.bin", pattern(300 * 1024));
    const auto time = std::filesystem::last_write_time(source);
    beforeMove();
    const auto beside = besideVolume();
    const auto onVolume = TempTree::snapshotOf(volume);
    ASSERT_EQ(FileMover::move(source, volume / "big.bin"), 0u);
    EXPECT_FALSE(std::filesystem::exists(source));
    EXPECT_EQ(TempTree::read(volume / "big.bin"), pattern(300 * 1024));
    EXPECT_EQ(std::filesystem::last_write_time(volume / "big.bin"), time);
    EXPECT_EQ(TempTree::snapshotOf(volume).size(), 1u);
    EXPECT_EQ(TempTree::diff(beside, besideVolume()),
              std::vector<std::string>{"removed: from/big.bin"});
    EXPECT_EQ(TempTree::diff(onVolume, TempTree::snapshotOf(volume)),
              std::vector<std::string>{"added: big.bin"});
}

TEST_F(CrossVolumeMoveTest, AFullDiskKeepsTheSourceAndLeavesNothing) {
    folder.write("from/huge.bin", pattern(2 << 20));
    const auto before = TempTree::snapshotOf(folder / "from");
    EXPECT_EQ(FileMover::move(folder / "from/huge.bin", volume / "huge.bin"),
              platform::ErrorDiskFull);
    EXPECT_EQ(TempTree::diff(before, TempTree::snapshotOf(folder / "from")),
              std::vector<std::string>{});
    EXPECT_TRUE(TempTree::snapshotOf(volume).empty());
}

TEST_F(CrossVolumeMoveTest, NeverReplacesOnTheOtherVolume) {
    folder.write("from/a.bin", "source");
    folder.write(volume / "a.bin", "existing");
    const auto from = TempTree::snapshotOf(folder / "from");
    const auto onVolume = TempTree::snapshotOf(volume);
    EXPECT_EQ(FileMover::move(folder / "from/a.bin", volume / "a.bin"),
              platform::ErrorAlreadyExists);
    EXPECT_EQ(TempTree::diff(from, TempTree::snapshotOf(folder / "from")),
              std::vector<std::string>{});
    EXPECT_EQ(TempTree::diff(onVolume, TempTree::snapshotOf(volume)), std::vector<std::string>{});
}

// A copy that is told to stop leaves the source, never a part of the copy under any name.
TEST_F(CrossVolumeMoveTest, CancelledBeforeCopyingKeepsTheSourceAndLeavesNothing) {
    folder.write("from/a.bin", pattern(200 * 1024));
    const auto before = TempTree::snapshotOf(folder / "from");
    const std::atomic<bool> cancel{true};
    EXPECT_EQ(FileMover::move(folder / "from/a.bin", volume / "a.bin", &cancel),
              platform::ErrorOperationAborted);
    EXPECT_EQ(TempTree::diff(before, TempTree::snapshotOf(folder / "from")),
              std::vector<std::string>{});
    EXPECT_TRUE(TempTree::snapshotOf(volume).empty());
}

// Stopped as soon as its temporary file shows: whichever way the race ends, one complete
// file remains, either the untouched source or the finished copy.
TEST_F(FileMoverTest, CancelledDuringACopyLeavesTheSourceOrTheFinishedCopy) {
    SmallVolume large{folder / "large", 96 << 20};
    if (large.skipReason())
        GTEST_SKIP() << *large.skipReason();
    const std::string content = pattern(48 << 20);
    const auto source = folder.write("from/big.bin", content);
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done.load() && !cancel.load()) {
            if (!TempTree::snapshotOf(large.path()).empty())
                cancel.store(true);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const std::uint32_t result = FileMover::move(source, large.path() / "big.bin", &cancel);
    done.store(true);
    watcher.join();
    const auto left = TempTree::snapshotOf(large.path());
    if (result == platform::ErrorSuccess) {
        EXPECT_FALSE(std::filesystem::exists(source));
        EXPECT_EQ(left.size(), 1u);
        EXPECT_TRUE(TempTree::read(large.path() / "big.bin") == content);
    } else {
        EXPECT_EQ(result, platform::ErrorOperationAborted);
        EXPECT_TRUE(left.empty());
        EXPECT_TRUE(TempTree::read(source) == content);
    }
}

TEST_F(FileMoverTest, ARenameWithinAFileSystemIsNotCancelled) {
    const auto source = folder.write("from/a.bin", "quick");
    std::filesystem::create_directories(folder / "to");
    const auto before = beforeMove();
    const std::atomic<bool> cancel{true};
    ASSERT_EQ(FileMover::move(source, folder / "to/a.bin", &cancel), 0u);
    EXPECT_EQ(TempTree::read(folder / "to/a.bin"), "quick");
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), moved("from/a.bin", "to/a.bin"));
}

} // namespace
