#pragma once

#include <string>
#include <vector>

namespace platform {

// The text of an XDG autostart entry that starts one program.
class DesktopEntry {
public:
    // argv[0] is the native program path.
    static std::string forProgram(const std::string& name, const std::vector<std::string>& argv);
    // Entries carry a marker line, so that files we did not write are never touched.
    static bool isOurs(const std::string& content);

private:
    static std::string quotedArgument(const std::string& arg);
    static std::string escapedValue(const std::string& text);
};

} // namespace platform
