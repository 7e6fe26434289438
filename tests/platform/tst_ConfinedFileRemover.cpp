#include "TempFolder.h"
#include "TestBackend.h"
#include "TreeSnapshot.h"
#include "platform/ConfinedFileRemover.h"
#include "platform/PathText.h"

#include <functional>
#include <gtest/gtest.h>

using platform::ConfinedFileRemover;
namespace fs = std::filesystem;

// The clean-time delete: a file goes only when it is reached from the rule folder without
// passing a link. Every test compares the whole tree, the outside folder included.
namespace {

// root/top.tmp, root/a/b/f.tmp and, next to root, outside/f.tmp and outside/secret.
class ConfinedFileRemoverTest : public testing::Test {
protected:
    void SetUp() override {
        TempFolder::writeFile(root / "top.tmp", "top");
        TempFolder::writeFile(root / "a/b/f.tmp", "12345");
        TempFolder::writeFile(root / "a" / platform::PathText::fromUtf8("缓存.dat"), "缓存");
        TempFolder::writeFile(outside / "f.tmp", "outside file");
        TempFolder::writeFile(outside / "secret", "secret");
    }

    TempFolder folder;
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
    auto expected = TreeSnapshot::of(folder.path());
    const std::string content = TempFolder::readFile(file);
    ASSERT_EQ(
        expected.erase(platform::PathText::toDisplayUtf8(file.lexically_relative(folder.path()))),
        1u);
    EXPECT_EQ(ConfinedFileRemover::remove(root, file), content.size());
    EXPECT_FALSE(fs::exists(fs::symlink_status(file)));
    EXPECT_EQ(TreeSnapshot::of(folder.path()), expected);
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
    const fs::path file = TempFolder::writeFile(root / TestBackend::invalidUnicodeName(), "odd");
    const auto before = TreeSnapshot::of(folder.path());
    EXPECT_EQ(ConfinedFileRemover::remove(root, file), 3u);
    auto expected = before;
    expected.erase(platform::PathText::toDisplayUtf8(file.lexically_relative(folder.path())));
    EXPECT_EQ(TreeSnapshot::of(folder.path()), expected);
}

// A change made after the scan (nothing when none), the root and the file the clean then
// asks for; every one must be refused with the tree left as it is.
struct RefusedRow {
    std::string label;
    std::function<std::optional<std::string>(const fs::path& root, const fs::path& outside)> change;
    std::function<fs::path(const fs::path& root, const fs::path& outside)> rootOf;
    std::function<fs::path(const fs::path& root, const fs::path& outside)> fileOf;
};

std::optional<std::string> unchanged(const fs::path&, const fs::path&) {
    return std::nullopt;
}

fs::path theRoot(const fs::path& root, const fs::path&) {
    return root;
}

void PrintTo(const RefusedRow& row, std::ostream* out) {
    *out << row.label;
}

class RefusedTest : public ConfinedFileRemoverTest,
                    public testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedTest, LeavesTheTreeAsItIs) {
    const RefusedRow& row = GetParam();
    if (const auto cannot = row.change(root, outside))
        GTEST_SKIP() << *cannot;
    const auto before = TreeSnapshot::of(folder.path());
    EXPECT_EQ(ConfinedFileRemover::remove(row.rootOf(root, outside), row.fileOf(root, outside)),
              std::nullopt);
    EXPECT_EQ(TreeSnapshot::of(folder.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedTest,
    testing::Values(
        RefusedRow{"FileOutsideTheRoot", unchanged, theRoot,
                   [](const fs::path&, const fs::path& outside) { return outside / "secret"; }},
        RefusedRow{"FileOutsideThroughDotDot", unchanged, theRoot,
                   [](const fs::path& root, const fs::path&) {
                       return root / "a" / ".." / ".." / "outside" / "secret";
                   }},
        RefusedRow{"MissingFile", unchanged, theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "a/missing.tmp"; }},
        RefusedRow{"MissingFolder", unchanged, theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "gone/f.tmp"; }},
        RefusedRow{"AFolder", unchanged, theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "a/b"; }},
        RefusedRow{"NoRoot", unchanged, [](const fs::path&, const fs::path&) { return fs::path(); },
                   [](const fs::path& root, const fs::path&) { return root / "top.tmp"; }},
        RefusedRow{"FolderOnTheWaySwappedForALink",
                   [](const fs::path& root, const fs::path& outside) {
                       fs::remove_all(root / "a/b");
                       return TestBackend::createFolderLink(root / "a/b", outside);
                   },
                   theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "a/b/f.tmp"; }},
        RefusedRow{"RootSwappedForALink",
                   [](const fs::path& root, const fs::path& outside) {
                       fs::remove_all(root);
                       fs::create_directories(outside / "a/b");
                       fs::copy_file(outside / "f.tmp", outside / "a/b/f.tmp");
                       return TestBackend::createFolderLink(root, outside);
                   },
                   theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "a/b/f.tmp"; }},
        RefusedRow{"FileSwappedForALink",
                   [](const fs::path& root, const fs::path& outside) {
                       fs::remove(root / "a/b/f.tmp");
                       return TestBackend::createFileLink(root / "a/b/f.tmp", outside / "secret");
                   },
                   theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "a/b/f.tmp"; }},
        RefusedRow{"FileSwappedForALinkToAFolder",
                   [](const fs::path& root, const fs::path& outside) {
                       fs::remove(root / "top.tmp");
                       return TestBackend::createFolderLink(root / "top.tmp", outside);
                   },
                   theRoot, [](const fs::path& root, const fs::path&) { return root / "top.tmp"; }},
        RefusedRow{"FileSwappedForAFifo",
                   [](const fs::path& root, const fs::path&) {
                       fs::remove(root / "top.tmp");
                       return TestBackend::createFifo(root / "top.tmp");
                   },
                   theRoot,
                   [](const fs::path& root, const fs::path&) { return root / "top.tmp"; }}),
    [](const testing::TestParamInfo<RefusedRow>& info) { return info.param.label; });

} // namespace
