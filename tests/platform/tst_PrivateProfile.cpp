#include "TempTree.h"
#include "TestBackend.h"
#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>

using platform::PrivateProfile;

namespace {

struct IniRow {
    const char* label;
    std::string content;
    std::string section;
    std::string key;
    std::string expected; // the default is "default"
};

// Rows print as their label in test output.
void PrintTo(const IniRow& row, std::ostream* out) {
    *out << row.label;
}

class PrivateProfileTest : public testing::TestWithParam<IniRow> {};

TEST_P(PrivateProfileTest, ReadsTheKey) {
    const auto& row = GetParam();
    TempTree folder;
    const auto file = folder.write("UserDataInfo.ini", TestBackend::iniFileBytes(row.content));
    EXPECT_EQ(PrivateProfile::getString(row.section, row.key, "default", file), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PrivateProfileTest,
    testing::Values(IniRow{"Plain", "[UserDataSet]\r\nUserDataSavePath=D:\\QQ\r\n", "UserDataSet",
                           "UserDataSavePath", "D:\\QQ"},
                    IniRow{"CaseInsensitive", "[userdataset]\nUSERDATASAVEPATH=MyDocument:\n",
                           "UserDataSet", "UserDataSavePath", "MyDocument:"},
                    IniRow{"Trimmed", "[S]\n  key  =   value with blanks \t \n", "S", "key",
                           "value with blanks"},
                    IniRow{"Quoted", "[S]\nkey=\" padded \"\n", "S", "key", " padded "},
                    IniRow{"Comment", "[S]\n;key=commented\nkey=real\n", "S", "key", "real"},
                    IniRow{"ByteOrderMark", "\xEF\xBB\xBF[S]\nkey=bom\n", "S", "key", "bom"},
                    IniRow{"OtherSection", "[A]\nkey=a\n[B]\nkey=b\n", "B", "key", "b"},
                    IniRow{"Chinese", "[S]\npath=C:\\用户\\文档\n", "S", "path", "C:\\用户\\文档"},
                    IniRow{"EmptyValue", "[S]\nkey=\n", "S", "key", ""},
                    IniRow{"EqualsInValue", "[S]\nkey=a=b\n", "S", "key", "a=b"},
                    IniRow{"Long", "[S]\nkey=" + std::string(300, 'x') + "\n", "S", "key",
                           std::string(255, 'x')},
                    IniRow{"MissingKey", "[S]\nother=1\n", "S", "key", "default"},
                    IniRow{"MissingSection", "[T]\nkey=1\n", "S", "key", "default"},
                    IniRow{"KeyBeforeAnySection", "key=1\n[S]\n", "S", "key", "default"}),
    [](const testing::TestParamInfo<IniRow>& info) { return info.param.label; });

TEST(PrivateProfileFileTest, AMissingFileGivesTheDefault) {
    TempTree folder;
    EXPECT_EQ(PrivateProfile::getString("S", "key", "fallback", folder / "none.ini"), "fallback");
}

} // namespace
