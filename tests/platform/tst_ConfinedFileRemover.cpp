#include "TempTree.h"
#include "TestBackend.h"
#include "platform/ConfinedFileRemover.h"
#include "platform/PathText.h"
#include "platform/WinError.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>

using platform::ConfinedFileRemover;
namespace fs = std::filesystem;

// The clean-time delete: a file goes only when it is reached from the rule folder without
// passing a link, and a refusal says why. Every test compares the whole tree, the outside
// folder included.
namespace {

using Lines = std::vector<std::string>;

// root/top.tmp, root/a/b/f.tmp and, next to root, outside/f.tmp and outside/secret.
class ConfinedFileRemoverTest : public testing::Test {
protected:
    void SetUp() override {
        folder.write("root/top.tmp", "top");
        folder.write("root/a/b/f.tmp", "12345");
        folder.write(fs::path("root/a") / platform::PathText::fromUtf8("缓存.dat"), "缓存");
        folder.write("outside/f.tmp", "outside file");
        folder.write("outside/secret", "secret");
    }

    TempTree folder;
    const fs::path root = folder / "root";
    const fs::path outside = folder / "outside";
};

struct DeleteRow {
    std::string label;
    std::string file; // below root, UTF-8
};

// Failures name the row rather than dump its bytes.
void PrintTo(const DeleteRow& row, std::ostream* out) {
    *out << row.label;
}

class DeletesTest : public ConfinedFileRemoverTest,
                    public testing::WithParamInterface<DeleteRow> {};

TEST_P(DeletesTest, AFileInsideTheRootAndNothingElse) {
    const fs::path file = root / platform::PathText::fromUtf8(GetParam().file);
    const auto before = folder.snapshot();
    const std::string content = TempTree::read(file);
    const auto result = ConfinedFileRemover::remove(root, file);
    EXPECT_TRUE(result.removed());
    EXPECT_EQ(result.error, platform::ErrorSuccess);
    EXPECT_EQ(result.freed, content.size());
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), Lines{"removed: root/" + GetParam().file});
}

INSTANTIATE_TEST_SUITE_P(Files, DeletesTest,
                         testing::Values(DeleteRow{"InTheRoot", "top.tmp"},
                                         DeleteRow{"TwoFoldersDown", "a/b/f.tmp"},
                                         DeleteRow{"ChineseName", "a/缓存.dat"}),
                         [](const testing::TestParamInfo<DeleteRow>& info) {
                             return info.param.label;
                         });

TEST_F(ConfinedFileRemoverTest, DeletesAFileWhoseNameIsNotUnicode) {
    if (const auto reason = TestBackend::noInvalidUnicodeFiles())
        GTEST_SKIP() << *reason;
    const fs::path file = folder.write(root / TestBackend::invalidUnicodeName(), "odd");
    const auto before = folder.snapshot();
    const auto result = ConfinedFileRemover::remove(root, file);
    EXPECT_TRUE(result.removed());
    EXPECT_EQ(result.freed, 3u);
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()),
              Lines{"removed: root/" +
                    platform::PathText::toDisplayUtf8(TestBackend::invalidUnicodeName())});
}

// A change made after the scan (nothing when none), the root and the file the clean then
// asks for, and the reason the refusal must give; every one leaves the tree as it is.
struct RefusedRow {
    std::string label;
    std::function<std::optional<std::string>(const fs::path& root, const fs::path& outside)> change;
    std::function<fs::path(const fs::path& root, const fs::path& outside)> rootOf;
    std::function<fs::path(const fs::path& root, const fs::path& outside)> fileOf;
    std::uint32_t error;
};

std::optional<std::string> unchanged(const fs::path&, const fs::path&) {
    return std::nullopt;
}

fs::path theRoot(const fs::path& root, const fs::path&) {
    return root;
}

// Most rows ask for the same file.
fs::path deepFile(const fs::path& root, const fs::path&) {
    return root / "a/b/f.tmp";
}

void PrintTo(const RefusedRow& row, std::ostream* out) {
    *out << row.label;
}

class RefusedTest : public ConfinedFileRemoverTest,
                    public testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedTest, SaysWhyAndLeavesTheTreeAsItIs) {
    const RefusedRow& row = GetParam();
    if (const auto cannot = row.change(root, outside))
        GTEST_SKIP() << *cannot;
    const auto before = folder.snapshot();
    ConfinedFileRemover::RemoveResult result;
    // As an ordinary user, whose rights do not override permissions.
    const auto cannot = TestBackend::asOrdinaryUser([&] {
        result = ConfinedFileRemover::remove(row.rootOf(root, outside), row.fileOf(root, outside));
    });
    TestBackend::releaseHeldFiles();
    if (cannot)
        GTEST_SKIP() << *cannot;
    EXPECT_FALSE(result.removed());
    EXPECT_EQ(result.error, row.error);
    EXPECT_EQ(result.freed, 0u);
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), Lines{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedTest,
    testing::Values(
        RefusedRow{"FileOutsideTheRoot", unchanged, theRoot,
                   [](const fs::path&, const fs::path& outside) { return outside / "secret"; },
                   platform::ErrorInvalidParameter},
        RefusedRow{"FileOutsideThroughDotDot", unchanged, theRoot,
                   [](const fs::path& root, const fs::path&) {
                       return root / "a" / ".." / ".." / "outside" / "secret";
                   },
                   platform::ErrorInvalidParameter},
        RefusedRow{"NoRoot", unchanged, [](const fs::path&, const fs::path&) { return fs::path(); },
                   [](const fs::path& root, const fs::path&) { return root / "top.tmp"; },
                   platform::ErrorInvalidParameter},
        RefusedRow{"MissingFile", unchanged, theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "a/missing.tmp"; },
                   platform::ErrorFileNotFound},
        RefusedRow{"MissingFolder", unchanged, theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "gone/f.tmp"; },
                   platform::ErrorPathNotFound},
        RefusedRow{"MissingRoot", unchanged,
                   [](const fs::path& root, const fs::path&) { return root / "gone"; },
                   [](const fs::path& root, const fs::path&) { return root / "gone/a/f.tmp"; },
                   platform::ErrorPathNotFound},
        RefusedRow{"AFolder", unchanged, theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "a/b"; },
                   platform::ErrorFileNotFound},
        RefusedRow{"FolderOnTheWaySwappedForAFile",
                   [](const fs::path& root, const fs::path&) {
                       fs::remove_all(root / "a/b");
                       std::ofstream(root / "a/b") << "now a file";
                       return std::optional<std::string>();
                   },
                   theRoot, deepFile, platform::ErrorPathNotFound},
        RefusedRow{"FolderOnTheWaySwappedForALink",
                   [](const fs::path& root, const fs::path& outside) {
                       fs::remove_all(root / "a/b");
                       return TestBackend::createFolderLink(root / "a/b", outside);
                   },
                   theRoot, deepFile, platform::ErrorPathNotFound},
        RefusedRow{"RootSwappedForALink",
                   [](const fs::path& root, const fs::path& outside) {
                       fs::remove_all(root);
                       fs::create_directories(outside / "a/b");
                       fs::copy_file(outside / "f.tmp", outside / "a/b/f.tmp");
                       return TestBackend::createFolderLink(root, outside);
                   },
                   theRoot, deepFile, platform::ErrorPathNotFound},
        RefusedRow{"FileSwappedForALink",
                   [](const fs::path& root, const fs::path& outside) {
                       fs::remove(root / "a/b/f.tmp");
                       return TestBackend::createFileLink(root / "a/b/f.tmp", outside / "secret");
                   },
                   theRoot, deepFile, platform::ErrorFileNotFound},
        RefusedRow{"FileSwappedForALinkToAFolder",
                   [](const fs::path& root, const fs::path& outside) {
                       fs::remove(root / "top.tmp");
                       return TestBackend::createFolderLink(root / "top.tmp", outside);
                   },
                   theRoot, [](const fs::path& root, const fs::path&) { return root / "top.tmp"; },
                   platform::ErrorFileNotFound},
        RefusedRow{"FileSwappedForAFifo",
                   [](const fs::path& root, const fs::path&) {
                       fs::remove(root / "top.tmp");
                       return TestBackend::createFifo(root / "top.tmp");
                   },
                   theRoot, [](const fs::path& root, const fs::path&) { return root / "top.tmp"; },
                   platform::ErrorFileNotFound},
        RefusedRow{"DeletingDenied",
                   [](const fs::path& root, const fs::path&) {
                       return TestBackend::denyDeleting(root / "a/b/f.tmp");
                   },
                   theRoot, deepFile, platform::ErrorAccessDenied},
        RefusedRow{"FileInUse",
                   [](const fs::path& root, const fs::path&) {
                       return TestBackend::holdOpen(root / "a/b/f.tmp");
                   },
                   theRoot, deepFile, platform::ErrorSharingViolation}),
    [](const testing::TestParamInfo<RefusedRow>& info) { return info.param.label; });

// One remover deleting many files in turn, as a clean's worker does.
TEST_F(ConfinedFileRemoverTest, OneRemoverDeletesFileAfterFileAcrossFolders) {
    folder.write("root/a/b/g.tmp", "1234567");
    folder.write("root/a/c/f.tmp", "12");
    const auto before = folder.snapshot();
    ConfinedFileRemover remover;
    for (const char* file : {"a/b/f.tmp", "a/b/g.tmp", "a/c/f.tmp", "top.tmp"})
        EXPECT_TRUE(remover.removeNext(root, (root / file).native()).removed()) << file;
    // Asked again: gone, whichever folder the remover holds.
    EXPECT_EQ(remover.removeNext(root, (root / "a/b/f.tmp").native()).error,
              platform::ErrorFileNotFound);
    EXPECT_EQ(remover.removeNext(root, (outside / "secret").native()).error,
              platform::ErrorInvalidParameter);
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()),
              (Lines{"removed: root/a/b/f.tmp", "removed: root/a/b/g.tmp", "removed: root/a/c/f.tmp",
                     "removed: root/top.tmp"}));
}

// The folder of the last file swapped for a link to the outside before the next file of
// that folder: nothing outside is touched, whatever the remover held.
TEST_F(ConfinedFileRemoverTest, OneRemoverNeverFollowsAFolderSwappedBetweenTwoFiles) {
    folder.write("root/a/b/g.tmp", "1234567");
    folder.write("outside/g.tmp", "outside g");
    ConfinedFileRemover remover;
    ASSERT_TRUE(remover.removeNext(root, (root / "a/b/f.tmp").native()).removed());
    fs::rename(root / "a/b", root / "a/moved");
    if (const auto cannot = TestBackend::createFolderLink(root / "a/b", outside))
        GTEST_SKIP() << *cannot;
    const auto before = folder.snapshot();
    const auto result = remover.removeNext(root, (root / "a/b/g.tmp").native());
    const Lines changes = TempTree::diff(before, folder.snapshot());
    // The file of the folder it held may go with that folder (it is the file the scan
    // found), or the way is refused; the outside stays either way.
    if (result.removed())
        EXPECT_EQ(changes, Lines{"removed: root/a/moved/g.tmp"});
    else
        EXPECT_EQ(changes, Lines{});
    EXPECT_EQ(TempTree::read(outside / "g.tmp"), "outside g");
}

} // namespace
