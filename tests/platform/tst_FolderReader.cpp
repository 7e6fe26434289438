#include "TempFolder.h"
#include "TestBackend.h"
#include "platform/FolderReader.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>
#include <map>

using platform::FolderReader;
namespace fs = std::filesystem;

// What a scan sees of one folder: only real sub-folders and regular files, each file with
// the size it has when it can be opened.
namespace {

using Kind = FolderReader::Kind;
using Seen = std::map<fs::path, std::pair<Kind, long long>>; // size -1: not readable

fs::path utf8(const std::string& name) {
    return platform::PathText::fromUtf8(name);
}

TEST(FolderReaderTest, ListsFoldersAndRegularFilesOnly) {
    TempFolder folder;
    const fs::path dir = folder / "d";
    TempFolder::writeFile(dir / "a.tmp", std::string(10, 'a'));
    TempFolder::writeFile(dir / utf8("缓存.dat"), std::string(20, 'b'));
    fs::create_directories(dir / utf8("子目录"));
    TempFolder::writeFile(folder / "outside/x", "x");
    Seen expected{{"a.tmp", {Kind::RegularFile, 10}},
                  {utf8("缓存.dat"), {Kind::RegularFile, 20}},
                  {utf8("子目录"), {Kind::Folder, -1}}};
    // Whatever of these the platform can make must be left out.
    if (!TestBackend::noInvalidUnicodeFiles()) {
        TempFolder::writeFile(dir / TestBackend::invalidUnicodeName(), std::string(30, 'c'));
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
    }
    EXPECT_EQ(seen, expected);
}

// What the file listed last has become by the time its size is asked for.
enum class Change { None, Grown, Gone, LinkOutside, Fifo };

struct SizeRow {
    std::string label;
    Change change;
    long long expected; // -1: not counted
};

// Failures name the row rather than dump its bytes.
void PrintTo(const SizeRow& row, std::ostream* out) {
    *out << row.label;
}

class ReadableSizeTest : public testing::TestWithParam<SizeRow> {};

TEST_P(ReadableSizeTest, IsTheSizeOfTheFileListedLastWhenStillReadable) {
    const SizeRow& row = GetParam();
    TempFolder folder;
    const fs::path dir = folder / "d";
    const fs::path file = dir / utf8("文件.tmp");
    TempFolder::writeFile(file, std::string(1234, 'f'));
    TempFolder::writeFile(folder / "secret", std::string(99, 's'));
    FolderReader reader(dir);
    fs::path child;
    Kind kind;
    ASSERT_TRUE(reader.next(child, kind));
    EXPECT_EQ(child, file);
    EXPECT_EQ(kind, Kind::RegularFile);
    if (row.change == Change::Grown)
        TempFolder::writeFile(file, std::string(5000, 'g'));
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
    const std::optional<std::uint64_t> size = reader.readableSize();
    EXPECT_EQ(size ? static_cast<long long>(*size) : -1LL, row.expected);
}

INSTANTIATE_TEST_SUITE_P(Changes, ReadableSizeTest,
                         testing::Values(SizeRow{"Unchanged", Change::None, 1234},
                                         SizeRow{"Grown", Change::Grown, 5000},
                                         SizeRow{"Gone", Change::Gone, -1},
                                         SizeRow{"LinkToAFileOutside", Change::LinkOutside, -1},
                                         SizeRow{"Fifo", Change::Fifo, -1}),
                         [](const testing::TestParamInfo<SizeRow>& info) {
                             return info.param.label;
                         });

TEST(FolderReaderTest, FolderSwappedForLinkIsNotOpened) {
    TempFolder folder;
    TempFolder::writeFile(folder / "outside/x", "x");
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
    TempFolder folder;
    FolderReader reader(folder / "missing");
    EXPECT_FALSE(reader.isOpen());
    fs::path child;
    Kind kind;
    EXPECT_FALSE(reader.next(child, kind));
    EXPECT_FALSE(reader.readableSize());
}

} // namespace
