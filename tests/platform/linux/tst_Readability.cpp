#include "TempTree.h"
#include "platform/FolderReader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

// The scan decides from the permission bits whether a file may be read and asks the kernel
// only where the bits refuse: its answer must be the kernel's for every mode, whoever runs
// the tests (root reads everything; an owner is judged by the owner's bits alone).
class ReadabilityTest : public ::testing::TestWithParam<mode_t> {};

TEST_P(ReadabilityTest, AnswersAsTheKernel) {
    TempTree tree;
    const fs::path file = tree.write("d/f.tmp", std::string(7, 'x'));
    ASSERT_EQ(::chmod(file.c_str(), GetParam()), 0);
    platform::FolderReader reader(tree / "d");
    fs::path child;
    platform::FolderReader::Kind kind;
    ASSERT_TRUE(reader.next(child, kind));
    const bool kernel = ::access(file.c_str(), R_OK) == 0;
    EXPECT_EQ(reader.readableSize().has_value(), kernel) << std::oct << GetParam();
    if (kernel) {
        EXPECT_EQ(reader.readableSize(), std::uint64_t(7));
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, ReadabilityTest,
                         ::testing::Values(0644, 0600, 0400, 0200, 0040, 0004, 0044, 0440, 0000));
