#include "EnvironmentOverride.h"
#include "TempTree.h"
#include "TestBackend.h"
#include "platform/KnownFolders.h"
#include "platform/ProfileEnvironment.h"

#include <gtest/gtest.h>
#include <memory>

using platform::ProfileEnvironment;

namespace {

class ProfileEnvironmentTest : public testing::Test {
protected:
    // Every variable the tests touch comes back as it was.
    void keep(const std::string& name, const std::optional<std::string>& value) {
        overrides.push_back(std::make_unique<EnvironmentOverride>(name, value));
    }

    TempTree folder;
    std::vector<std::unique_ptr<EnvironmentOverride>> overrides;
};

TEST_F(ProfileEnvironmentTest, KeepsNonAsciiValuesIntact) {
    const std::string value = "C:\\用户\\数据 ü € \xF0\x9F\x98\x80";
    keep("MERIVANE_TEST_VALUE", std::nullopt);
    ProfileEnvironment::set("MERIVANE_TEST_VALUE", value);
    EXPECT_EQ(ProfileEnvironment::get("MERIVANE_TEST_VALUE"), value);
    EXPECT_EQ(ProfileEnvironment::get("MERIVANE_TEST_UNSET_VARIABLE"), std::nullopt);
}

TEST_F(ProfileEnvironmentTest, FillsUnsetProfileVariables) {
    const auto home = folder / "home";
    for (const char* name :
         {"TEMP", "USERPROFILE", "APPDATA", "PUBLIC", "TMPDIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        keep(name, std::nullopt);
    keep("HOME", home.string());
    ProfileEnvironment::ensureWindowsVariables();
    for (const auto& [name, expected] : TestBackend::profileVariablesFor(home))
        EXPECT_EQ(ProfileEnvironment::get(name), expected) << name;
}

TEST_F(ProfileEnvironmentTest, LeavesValuesTheUserSet) {
    keep("TEMP", "/custom/临时");
    keep("USERPROFILE", "/custom/profile");
    ProfileEnvironment::ensureWindowsVariables();
    EXPECT_EQ(ProfileEnvironment::get("TEMP"), "/custom/临时");
    EXPECT_EQ(ProfileEnvironment::get("USERPROFILE"), "/custom/profile");
    const auto documents = platform::KnownFolders::documents();
    ASSERT_TRUE(documents.has_value());
    if (const auto expected = TestBackend::documentsFor("/custom/profile")) {
        EXPECT_EQ(*documents, *expected);
    }
}

} // namespace
