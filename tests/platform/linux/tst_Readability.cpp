#include "ChildProgram.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/FolderReader.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The scan decides from the owner bits whether the user's own file may be read and asks
// the kernel otherwise: its answer must be the kernel's for every mode. Here the files are
// the test user's own (root reads everything; an owner is judged by the owner's bits alone).
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

// Another user's file, where the bits are not the whole story: the kernel judges a member
// of the file's group by the group bits alone, and with an ACL the group bits are its mask
// and a named-user entry overrides the group and other bits. Root makes the file and a
// child running as nobody asks the scan and opens it.
struct OtherUserRow {
    std::string label;
    mode_t mode;
    bool nobodysGroup;                  // the file's group is nobody's group (else root's)
    std::optional<mode_t> nobodysEntry; // an ACL entry "user:nobody:" with these rwx bits
    bool readable;                      // what the kernel answers nobody
};

void PrintTo(const OtherUserRow& row, std::ostream* out) {
    *out << row.label;
}

// The bytes of "system.posix_acl_access" for the mode plus one named-user entry, whose
// mask lets the entry and the group bits through (Linux's ACL layout: little-endian
// version 2, then tag, permissions and id for each entry, sorted by tag).
std::string AclBytes(mode_t mode, uid_t user, mode_t userBits) {
    constexpr std::uint32_t noId = 0xffffffff;
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    };
    const auto entry = [&](std::uint16_t tag, mode_t bits, std::uint32_t id) {
        put(tag, 2);
        put(static_cast<std::uint32_t>(bits & 07), 2);
        put(id, 4);
    };
    put(2, 4);
    entry(0x01, mode >> 6, noId);              // owner
    entry(0x02, userBits, user);               // the named user
    entry(0x04, mode >> 3, noId);              // owning group
    entry(0x10, (mode >> 3) | userBits, noId); // mask
    entry(0x20, mode, noId);                   // other
    return bytes;
}

class OtherUserReadabilityTest : public ::testing::TestWithParam<OtherUserRow> {};

TEST_P(OtherUserReadabilityTest, AnswersAsTheKernel) {
    const OtherUserRow& row = GetParam();
    if (::geteuid() != 0)
        GTEST_SKIP() << "making another user's file and reading it as nobody needs root";
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = nobody ? nobody->pw_uid : 65534;
    const gid_t gid = nobody ? nobody->pw_gid : 65534;
    TempTree tree;
    const fs::path file = tree.write("d/f.tmp", std::string(7, 'x'));
    // The child starts in the tree and goes on from there as nobody.
    ASSERT_EQ(::chmod(tree.path().c_str(), 0711), 0);
    ASSERT_EQ(::chmod((tree / "d").c_str(), 0755), 0);
    ASSERT_EQ(::chown(file.c_str(), 0, row.nobodysGroup ? gid : 0), 0);
    ASSERT_EQ(::chmod(file.c_str(), row.mode), 0);
    if (row.nobodysEntry) {
        const std::string acl = AclBytes(row.mode, uid, *row.nobodysEntry);
        if (::setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
            if (errno == ENOTSUP)
                GTEST_SKIP() << "the temporary folder's file system has no POSIX ACLs";
            FAIL() << "setting the ACL failed: " << std::strerror(errno);
        }
    }
    const auto result = TestBackend::runChild(
        {"--read-as", std::to_string(uid), std::to_string(gid), "d"}, tree.path());
    ASSERT_TRUE(result.started);
    ASSERT_EQ(result.exitCode & ChildProgram::readAsFailed, 0) << result.errorOutput;
    EXPECT_EQ((result.exitCode & ChildProgram::readAsKernelBit) != 0, row.readable)
        << "the row does not test what it claims";
    EXPECT_EQ((result.exitCode & ChildProgram::readAsScanBit) != 0, row.readable);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, OtherUserReadabilityTest,
    ::testing::Values(OtherUserRow{"OtherMayRead", 0644, false, std::nullopt, true},
                      OtherUserRow{"OtherMayNot", 0640, false, std::nullopt, false},
                      OtherUserRow{"OnlyOtherMay", 0004, false, std::nullopt, true},
                      OtherUserRow{"GroupMayRead", 0040, true, std::nullopt, true},
                      OtherUserRow{"GroupMayNotThoughOtherMay", 0604, true, std::nullopt, false},
                      OtherUserRow{"NamedUserRefusedThoughOtherMay", 0644, false, 0, false},
                      OtherUserRow{"NamedUserRefusedThoughGroupMay", 0644, true, 0, false},
                      OtherUserRow{"NamedUserGranted", 0600, false, 04, true}),
    [](const ::testing::TestParamInfo<OtherUserRow>& info) { return info.param.label; });

} // namespace
