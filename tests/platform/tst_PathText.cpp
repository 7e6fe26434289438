#include "TempTree.h"
#include "TestBackend.h"
#include "platform/AnsiCodePage.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>

using platform::PathText;

namespace {

TEST(PathTextTest, UnicodeNamesRoundTrip) {
    const std::string text = "D:/文档/微信 Files/ü.txt";
    EXPECT_EQ(PathText::toDisplayUtf8(PathText::fromUtf8(text)), text);
    EXPECT_EQ(PathText::fileNameUtf8(PathText::fromUtf8(text)), "ü.txt");
}

TEST(PathTextTest, UndecodableNamesAreShownWithReplacementCharacters) {
    if (const auto reason = TestBackend::noInvalidUnicodeFiles())
        GTEST_SKIP() << *reason;
    TempTree folder;
    folder.write(folder / TestBackend::invalidUnicodeName(), "x");
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++seen;
        const std::string name = PathText::fileNameUtf8(entry.path());
        const std::string full = PathText::toDisplayUtf8(entry.path());
        EXPECT_EQ(name.rfind("bad", 0), 0u) << name;
        EXPECT_NE(name.find("\xEF\xBF\xBD"), std::string::npos) << name;
        EXPECT_EQ(full.substr(full.size() - name.size()), name);
        // The display text is valid UTF-8 through and through.
        EXPECT_TRUE(platform::AnsiCodePage::fromUtf8(full).has_value()) << full;
    }
    EXPECT_EQ(seen, 1);
}

} // namespace
