#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace platform {

// GetPrivateProfileString: reads one key of an INI file. Section and key names are
// case-insensitive; the value is trimmed of blanks and of one pair of enclosing quotes.
// At most maxChars characters are returned (the rest is cut, as with a buffer of
// maxChars + 1 characters). A missing file, section or key gives defaultValue. Lines
// starting with ';' are comments; a UTF-8 byte order mark at the start is skipped.
class PrivateProfile {
public:
    static std::string getString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, const std::filesystem::path& file,
                                 std::size_t maxChars = 255);
};

} // namespace platform
