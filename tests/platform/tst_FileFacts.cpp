#include "TempTree.h"
#include "TestBackend.h"
#include "platform/FileFacts.h"
#include "platform/FolderReader.h"
#include "platform/PathText.h"

#include <functional>
#include <gtest/gtest.h>

using platform::FileFacts;
using platform::FileIdentity;
using platform::FolderReader;
namespace fs = std::filesystem;

// What a scan learns of a file without reading it, asked by path or from a listing, and
// which file a path reaches.
namespace {

struct TimeRow {
    std::string label;
    std::int64_t ticks; // FILETIME: 100 ns since 1601-01-01 UTC
};

void PrintTo(const TimeRow& row, std::ostream* out) {
    *out << row.label;
}

class FileFactsTest : public testing::TestWithParam<TimeRow> {};

TEST_P(FileFactsTest, AreTheSizeAndLastWriteByPathAndFromTheListing) {
    TempTree folder;
    const fs::path file = folder.write(platform::PathText::fromUtf8("报告.tmp"), 4321);
    TestBackend::setModified(file, GetParam().ticks);
    const auto facts = FileFacts::read(file);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->size, 4321u);
    EXPECT_EQ(facts->modified, GetParam().ticks);

    FolderReader reader(folder.path());
    fs::path child;
    FolderReader::Kind kind;
    ASSERT_TRUE(reader.next(child, kind));
    const auto listed = reader.facts();
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->size, 4321u);
    EXPECT_EQ(listed->modified, GetParam().ticks);
}

INSTANTIATE_TEST_SUITE_P(
    Times, FileFactsTest,
    testing::Values(TimeRow{"In2021WithAFraction",
                            132593079671234567},                // 2021-03-04 05:06:07.1234567
                    TimeRow{"Before1970", 114740064005000000}), // 1964-08-07 00:00:00.5
    [](const testing::TestParamInfo<TimeRow>& info) { return info.param.label; });

TEST(FileIdentityTest, TellsTheSameFileFromACopy) {
    TempTree folder;
    const fs::path file = folder.write("a/file.tmp", "same content");
    const fs::path copy = folder.write("a/copy.tmp", "same content");
    fs::create_directory(folder / "b");
    fs::create_hard_link(file, folder / "b/hard.tmp");
    const auto identity = FileIdentity::read(file);
    ASSERT_TRUE(identity);
    EXPECT_EQ(FileIdentity::read(folder / "b/hard.tmp"), identity);
    EXPECT_NE(FileIdentity::read(copy), identity);
    EXPECT_EQ(FileIdentity::read(copy)->volume, identity->volume);
}

// What stands where a regular file is asked for; neither facts nor identity may come from
// it, nor from what a link points to.
struct NotAFileRow {
    std::string label;
    std::function<std::optional<std::string>(const fs::path& at, const fs::path& target)> make;
};

void PrintTo(const NotAFileRow& row, std::ostream* out) {
    *out << row.label;
}

class NotAFileTest : public testing::TestWithParam<NotAFileRow> {};

TEST_P(NotAFileTest, HasNoFactsAndNoIdentity) {
    TempTree folder;
    const fs::path target = folder.write("target/file.tmp", "the target");
    const fs::path at = folder / "at";
    if (const auto cannot = GetParam().make(at, target))
        GTEST_SKIP() << *cannot;
    EXPECT_FALSE(FileFacts::read(at));
    EXPECT_FALSE(FileIdentity::read(at));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NotAFileTest,
    testing::Values(
        NotAFileRow{"Missing",
                    [](const fs::path&, const fs::path&) { return std::optional<std::string>(); }},
        NotAFileRow{"Folder",
                    [](const fs::path& at, const fs::path&) {
                        fs::create_directory(at);
                        return std::optional<std::string>();
                    }},
        NotAFileRow{"LinkToAFile",
                    [](const fs::path& at, const fs::path& target) {
                        return TestBackend::createFileLink(at, target);
                    }},
        NotAFileRow{"LinkToAFolder",
                    [](const fs::path& at, const fs::path& target) {
                        return TestBackend::createFolderLink(at, target.parent_path());
                    }},
        NotAFileRow{"Fifo", [](const fs::path& at,
                               const fs::path&) { return TestBackend::createFifo(at); }}),
    [](const testing::TestParamInfo<NotAFileRow>& info) { return info.param.label; });

} // namespace
