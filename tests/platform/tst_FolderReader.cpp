#include "TempTree.h"
#include "TestBackend.h"
#include "platform/FileFacts.h"
#include "platform/FolderReader.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>
#include <map>

using platform::FileFacts;
using platform::FileIdentity;
using platform::FolderReader;
namespace fs = std::filesystem;

// What a scan sees of one folder: only real sub-folders and regular files, each file with
// the size it has when it can be opened, its facts and which file it is.
namespace {

using Kind = FolderReader::Kind;
using Seen = std::map<fs::path, std::pair<Kind, long long>>; // size -1: not readable

fs::path utf8(const std::string& name) {
    return platform::PathText::fromUtf8(name);
}

TEST(FolderReaderTest, ListsFoldersAndRegularFilesOnly) {
    TempTree folder;
    const fs::path dir = folder / "d";
    folder.write(dir / "a.tmp", std::string(10, 'a'));
    folder.write(dir / utf8("缓存.dat"), std::string(20, 'b'));
    fs::create_directories(dir / utf8("子目录"));
    folder.write("outside/x", "x");
    Seen expected{{"a.tmp", {Kind::RegularFile, 10}},
                  {utf8("缓存.dat"), {Kind::RegularFile, 20}},
                  {utf8("子目录"), {Kind::Folder, -1}}};
    // Whatever of these the platform can make must be left out.
    if (!TestBackend::noInvalidUnicodeFiles()) {
        folder.write(dir / TestBackend::invalidUnicodeName(), std::string(30, 'c'));
        expected[TestBackend::invalidUnicodeName()] = {Kind::RegularFile, 30};
    }
    (void)TestBackend::createFolderLink(dir / "dirlink", folder / "outside");
    (void)TestBackend::createFileLink(dir / "filelink", folder / "outside/x");
    (void)TestBackend::createFifo(dir / "fifo");

    FolderReader reader(dir);
    ASSERT_TRUE(reader.isOpen());
    Seen seen;
    fs::path child;
    Kind kind;
    while (reader.next(child, kind)) {
        EXPECT_EQ(child.parent_path(), dir);
        const std::optional<std::uint64_t> size = reader.readableSize();
        seen[child.filename()] = {kind, size ? static_cast<long long>(*size) : -1};
        // The facts of a file are those asked by its path; a folder has none.
        const auto facts = reader.facts();
        const auto byPath = FileFacts::read(child);
        EXPECT_EQ(facts.has_value(), kind == Kind::RegularFile) << child;
        EXPECT_EQ(byPath.has_value(), kind == Kind::RegularFile) << child;
        if (facts && byPath) {
            EXPECT_EQ(facts->size, byPath->size) << child;
            EXPECT_EQ(facts->modified, byPath->modified) << child;
        }
        EXPECT_EQ(reader.identity(), FileIdentity::read(child)) << child;
        EXPECT_EQ(reader.folderIdentity().has_value(), kind == Kind::Folder) << child;
    }
    EXPECT_EQ(seen, expected);
}

// Which sub-folders the listing of d saw, by name.
std::map<fs::path, FileIdentity> ListedFolders(const fs::path& dir) {
    std::map<fs::path, FileIdentity> folders;
    FolderReader reader(dir);
    fs::path child;
    Kind kind;
    while (reader.next(child, kind)) {
        if (const auto identity = reader.folderIdentity())
            folders[child.filename()] = *identity;
    }
    return folders;
}

TEST(FolderReaderTest, OpensASubFolderOnlyAsTheFolderItsParentListed) {
    TempTree folder;
    folder.write("d/one/a.tmp", "a");
    folder.write("d/two/b.tmp", "b");
    folder.write("d/file.tmp", "f");
    const auto listed = ListedFolders(folder / "d");
    ASSERT_EQ(listed.size(), 2u);
    ASSERT_NE(listed.at("one"), listed.at("two"));
    FolderReader one(folder / "d/one", listed.at("one"));
    EXPECT_TRUE(one.isOpen());
    fs::path child;
    Kind kind;
    ASSERT_TRUE(one.next(child, kind));
    EXPECT_EQ(child, folder / "d/one/a.tmp");
    FolderReader other(folder / "d/one", listed.at("two"));
    EXPECT_FALSE(other.isOpen());
    EXPECT_FALSE(other.next(child, kind));
}

TEST(FolderReaderTest, AFolderBehindALinkSwappedInOnItsPathIsNotOpened) {
    TempTree folder;
    folder.write("root/a/b/inside.tmp", "i");
    folder.write("outside/b/secret.tmp", "s");
    const auto listed = ListedFolders(folder / "root/a");
    ASSERT_EQ(listed.count("b"), 1u);
    // a is swapped for a link after its listing: the path of b now leads outside.
    fs::rename(folder / "root/a", folder / "root/moved");
    if (const auto cannot = TestBackend::createFolderLink(folder / "root/a", folder / "outside"))
        GTEST_SKIP() << *cannot;
    fs::path child;
    Kind kind;
    {
        FolderReader unchecked(folder / "root/a/b");
        ASSERT_TRUE(unchecked.next(child, kind)) << "the link does not lead to outside/b";
        ASSERT_EQ(child.filename(), "secret.tmp");
    }
    FolderReader reader(folder / "root/a/b", listed.at("b"));
    EXPECT_FALSE(reader.isOpen());
    EXPECT_FALSE(reader.next(child, kind));
}

// What the file listed last has become by the time its size is asked for.
enum class Change { None, Grown, Gone, LinkOutside, Fifo };

struct SizeRow {
    std::string label;
    Change change;
    long long expected; // -1: not counted
    bool sameFile;      // whether the identity is still that of the file listed
};

// Failures name the row rather than dump its bytes.
void PrintTo(const SizeRow& row, std::ostream* out) {
    *out << row.label;
}

class ReadableSizeTest : public testing::TestWithParam<SizeRow> {};

TEST_P(ReadableSizeTest, IsTheSizeOfTheFileListedLastWhenStillReadable) {
    const SizeRow& row = GetParam();
    TempTree folder;
    const fs::path dir = folder / "d";
    const fs::path file = dir / utf8("文件.tmp");
    folder.write(file, std::string(1234, 'f'));
    folder.write("secret", std::string(99, 's'));
    const auto listed = FileIdentity::read(file);
    ASSERT_TRUE(listed);
    FolderReader reader(dir);
    fs::path child;
    Kind kind;
    ASSERT_TRUE(reader.next(child, kind));
    EXPECT_EQ(child, file);
    EXPECT_EQ(kind, Kind::RegularFile);
    if (row.change == Change::Grown)
        folder.write(file, std::string(5000, 'g'));
    if (row.change == Change::Gone || row.change == Change::LinkOutside ||
        row.change == Change::Fifo)
        fs::remove(file);
    std::optional<std::string> cannot;
    if (row.change == Change::LinkOutside)
        cannot = TestBackend::createFileLink(file, folder / "secret");
    if (row.change == Change::Fifo) // must not hang
        cannot = TestBackend::createFifo(file);
    if (cannot)
        GTEST_SKIP() << *cannot;
    // Asked first, so the size comes from the same look at the file (Linux).
    const auto identity = reader.identity();
    EXPECT_EQ(identity, row.sameFile ? listed : std::nullopt);
    const std::optional<std::uint64_t> size = reader.readableSize();
    EXPECT_EQ(size ? static_cast<long long>(*size) : -1LL, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ReadableSizeTest,
    testing::Values(SizeRow{"Unchanged", Change::None, 1234, true},
                    SizeRow{"Grown", Change::Grown, 5000, true},
                    SizeRow{"Gone", Change::Gone, -1, false},
                    SizeRow{"LinkToAFileOutside", Change::LinkOutside, -1, false},
                    SizeRow{"Fifo", Change::Fifo, -1, false}),
    [](const testing::TestParamInfo<SizeRow>& info) { return info.param.label; });

TEST(FolderReaderTest, FolderSwappedForLinkIsNotOpened) {
    TempTree folder;
    folder.write("outside/x", "x");
    if (const auto cannot = TestBackend::createFolderLink(folder / "d", folder / "outside"))
        GTEST_SKIP() << *cannot;
    FolderReader reader(folder / "d");
    EXPECT_FALSE(reader.isOpen());
    fs::path child;
    Kind kind;
    EXPECT_FALSE(reader.next(child, kind));
    EXPECT_FALSE(FolderReader(folder / "missing").isOpen());
}

TEST(FolderReaderTest, MissingFolderIsNotOpened) {
    TempTree folder;
    FolderReader reader(folder / "missing");
    EXPECT_FALSE(reader.isOpen());
    fs::path child;
    Kind kind;
    EXPECT_FALSE(reader.next(child, kind));
    EXPECT_FALSE(reader.readableSize());
}

} // namespace
