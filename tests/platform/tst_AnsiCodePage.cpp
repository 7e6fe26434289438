#include "platform/AnsiCodePage.h"
#include "platform/WinError.h"

#include <gtest/gtest.h>

using platform::AnsiCodePage;

namespace {

TEST(AnsiCodePageTest, TextRoundTripsThroughTheCodePage) {
    for (const std::string text :
         {"", "MsiExec.exe /X{1234}", "C:\\Program Files\\应用\\unins000.exe"}) {
        const auto ansi = AnsiCodePage::fromUtf8(text);
        ASSERT_TRUE(ansi.has_value()) << text;
        EXPECT_EQ(AnsiCodePage::toUtf8(*ansi), text);
        EXPECT_EQ(AnsiCodePage::lastError(), platform::ErrorSuccess);
    }
}

TEST(AnsiCodePageTest, InvalidUtf8IsRefused) {
    for (const std::string text : {"\xff", "abc\xc3", "\xed\xa0\x80", "\xc0\xaf"}) {
        EXPECT_FALSE(AnsiCodePage::fromUtf8(text).has_value());
        EXPECT_EQ(AnsiCodePage::lastError(), platform::ErrorNoUnicodeTranslation);
    }
}

} // namespace
