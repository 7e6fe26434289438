#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8 checks for byte strings that may come from file names or edited files.
class Utf8 {
public:
    static bool isValid(std::string_view bytes);
    // Offset of the first byte that starts no valid sequence, npos when all is valid.
    static std::size_t firstInvalid(std::string_view bytes);
    // Invalid sequences become U+FFFD; valid text is returned unchanged.
    static std::string sanitized(std::string_view bytes);
    // Byte length of the first maxChars code points of valid UTF-8 text.
    static std::size_t prefixBytes(std::string_view text, std::size_t maxChars);
    // ASCII-only case folding, enough for registry and INI names.
    static bool equalsIgnoreCase(std::string_view a, std::string_view b);
    static bool lessIgnoreCase(std::string_view a, std::string_view b);
    // Length of the valid sequence starting at i, 0 when it is invalid.
    static std::size_t sequenceLength(std::string_view bytes, std::size_t i);
};

} // namespace platform
