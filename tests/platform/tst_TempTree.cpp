#include "TempTree.h"
#include "TestBackend.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// The helper every destructive test trusts to see what changed and to clean up after it.
namespace {

using Lines = std::vector<std::string>;

TEST(TempTreeTest, DiffNamesEveryEntryAddedChangedOrRemoved) {
    TempTree folder;
    folder.write("keep.txt", "kept");
    folder.write("edit.txt", "abcdef");
    folder.write("gone.txt", "gone");
    folder.write("sub/inner.txt", 10);
    folder.write("grow.txt", 10);
    const auto before = folder.snapshot();
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()), Lines{});

    folder.write("edit.txt", "abcXef"); // one byte, same size
    folder.write("grow.txt", 11);
    fs::remove(folder / "gone.txt");
    fs::remove_all(folder / "sub");
    folder.write("sub", "a file now");
    folder.write("new/added.txt", "");
    EXPECT_EQ(TempTree::diff(before, folder.snapshot()),
              (Lines{"added: new", "added: new/added.txt", "changed: edit.txt", "changed: grow.txt",
                     "changed: sub", "removed: gone.txt", "removed: sub/inner.txt"}));
}

TEST(TempTreeTest, ALinkIsOneEntryNotWhatItLeadsTo) {
    TempTree folder;
    folder.write("target/inside.txt", "x");
    if (const auto cannot = TestBackend::createFolderLink(folder / "link", folder / "target"))
        GTEST_SKIP() << *cannot;
    const auto snapshot = folder.snapshot();
    ASSERT_EQ(snapshot.count("link"), 1u);
    EXPECT_EQ(snapshot.at("link").kind, TempTree::Entry::Kind::Link);
    EXPECT_EQ(snapshot.count(fs::path("link") / "inside.txt"), 0u);
}

TEST(TempTreeTest, WritesOnlyBelowItsRoot) {
    TempTree outer;
    TempTree folder;
    EXPECT_THROW(folder.write("../escape.txt", "x"), std::invalid_argument);
    EXPECT_THROW(folder.write(outer / "escape.txt", "x"), std::invalid_argument);
    EXPECT_EQ(folder.write(folder / "in.txt", 3), folder / "in.txt");
    EXPECT_EQ(TempTree::read(folder / "in.txt").size(), 3u);
    EXPECT_TRUE(outer.snapshot().empty());
}

TEST(TempTreeTest, RemovesEverythingButWhatALinkLeadsTo) {
    TempTree outer;
    outer.write("kept/file.txt", "kept");
    const auto kept = outer.snapshot();
    fs::path removed;
    {
        TempTree folder;
        removed = folder.path();
        folder.write("deep/er/file.txt", "x");
        const fs::path locked = folder.write("locked/file.txt", "x");
        ASSERT_EQ(TestBackend::denyDeleting(locked), std::nullopt);
        if (!TestBackend::noInvalidUnicodeFiles())
            folder.write(TestBackend::invalidUnicodeName(), "odd");
        (void)TestBackend::createFolderLink(folder / "link", outer / "kept");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(removed)));
    EXPECT_EQ(TempTree::diff(kept, outer.snapshot()), Lines{});
}

} // namespace
