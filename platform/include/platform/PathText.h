#pragma once

#include <filesystem>
#include <string>

namespace platform {

// File names are bytes on Linux and UTF-16 on Windows; neither is always valid UTF-8.
// These conversions never throw.
class PathText {
public:
    // UTF-8 text for display and logs; invalid sequences become U+FFFD.
    static std::string toDisplayUtf8(const std::filesystem::path& path);
    static std::filesystem::path fromUtf8(const std::string& utf8);
    // The file name part, as above.
    static std::string fileNameUtf8(const std::filesystem::path& path);
    // The path as UTF-16 without loss, for a program that must hand it on: on Linux each
    // byte that starts no valid UTF-8 sequence becomes the lone surrogate U+DC80 to U+DCFF
    // (the convention of Python's "surrogateescape"); on Windows the name's own UTF-16,
    // unpaired surrogates included.
    static std::u16string toEscapedUtf16(const std::filesystem::path& path);
};

} // namespace platform
