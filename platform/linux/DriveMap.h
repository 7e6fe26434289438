#pragma once

#include "platform/Drives.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Which native folder stands for which drive letter.
class DriveMap {
public:
    struct Drive {
        char letter = 'C'; // upper case
        std::filesystem::path folder;
        DriveType type = DriveType::Fixed;
    };

    // In drive-letter order.
    static std::vector<Drive> current();
    static std::optional<Drive> find(char letter);
    // "C:", "c:\", "D:/" -> the upper-case letter; nothing for anything else.
    static std::optional<char> letterOfRoot(const std::string& root);

    // "C=/tmp/x/c;D=/tmp/x/d"; malformed entries are ignored.
    static std::vector<Drive> parseOverride(const std::string& text);

private:
    static std::vector<Drive> fromMounts();
};

} // namespace platform
