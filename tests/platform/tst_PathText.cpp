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

// The bytes (or UTF-16 units) a lossless text stands for, taken back.
std::filesystem::path::string_type unescaped(const std::u16string& units) {
    std::filesystem::path::string_type native;
    if constexpr (sizeof(std::filesystem::path::value_type) == 1) {
        for (std::size_t i = 0; i < units.size(); ++i) {
            char32_t code = units[i];
            if (code >= 0xDC80 && code <= 0xDCFF) {
                native.push_back(static_cast<char>(code - 0xDC00));
                continue;
            }
            if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units.size())
                code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
            if (code < 0x80) {
                native.push_back(static_cast<char>(code));
            } else if (code < 0x800) {
                native.push_back(static_cast<char>(0xC0 | (code >> 6)));
                native.push_back(static_cast<char>(0x80 | (code & 0x3F)));
            } else if (code < 0x10000) {
                native.push_back(static_cast<char>(0xE0 | (code >> 12)));
                native.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
                native.push_back(static_cast<char>(0x80 | (code & 0x3F)));
            } else {
                native.push_back(static_cast<char>(0xF0 | (code >> 18)));
                native.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
                native.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
                native.push_back(static_cast<char>(0x80 | (code & 0x3F)));
            }
        }
    } else {
        native.assign(units.begin(), units.end());
    }
    return native;
}

TEST(PathTextTest, EscapedTextIsTheTextOfAValidName) {
    const std::filesystem::path path = PathText::fromUtf8("D:/文档/ü 😀.txt");
    EXPECT_EQ(PathText::toEscapedUtf16(path), u"D:/文档/ü 😀.txt");
}

TEST(PathTextTest, EscapedTextKeepsEveryByteOfAnUndecodableName) {
    const std::filesystem::path path = TestBackend::invalidUnicodeName();
    const std::u16string units = PathText::toEscapedUtf16(path);
    EXPECT_EQ(unescaped(units), path.native());
    // Each byte or unit that is not text stands alone as a low surrogate: never half of a
    // pair, so a JSON writer keeps it as an escape of its own.
    bool lone = false;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
        const bool low = units[i] >= 0xDC00 && units[i] <= 0xDFFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            ++i;
            continue;
        }
        lone = lone || high || low;
    }
    EXPECT_TRUE(lone);
}

} // namespace
