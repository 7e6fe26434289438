#include "TempTree.h"
#include "TestBackend.h"
#include "platform/FileAttributes.h"

#include <gtest/gtest.h>

using platform::FileAttributes;

namespace {

TEST(FileAttributesTest, TellsHiddenFilesAndFolders) {
    TempTree folder;
    const auto hidden = TestBackend::createHiddenFile(folder.path(), "secret.txt");
    const auto visible = folder.write("plain.txt", "x");
    std::filesystem::create_directories(folder / "sub");

    const auto h = FileAttributes::read(hidden);
    ASSERT_TRUE(h.has_value());
    EXPECT_TRUE(h->hidden);
    EXPECT_FALSE(h->directory);

    const auto v = FileAttributes::read(visible);
    ASSERT_TRUE(v.has_value());
    EXPECT_FALSE(v->hidden);
    EXPECT_FALSE(v->system);

    const auto d = FileAttributes::read(folder / "sub");
    ASSERT_TRUE(d.has_value());
    EXPECT_TRUE(d->directory);
    EXPECT_FALSE(d->hidden);

    EXPECT_FALSE(FileAttributes::read(folder / "missing").has_value());
}

} // namespace
