#include "DesktopEntry.h"

namespace platform {

namespace {

const char* const markerLine = "X-Merivane-RunValue=true";

} // namespace

// Exec rules: an argument with reserved characters goes in double quotes, inside which
// ", `, $ and \ take a backslash; "%" is doubled since it starts field codes.
std::string DesktopEntry::quotedArgument(const std::string& arg) {
    const bool needsQuotes =
        arg.empty() || arg.find_first_of(" \t\n\"'\\><~|&;$*?#()`=") != std::string::npos;
    std::string out = needsQuotes ? "\"" : "";
    for (char c : arg) {
        if (needsQuotes && (c == '"' || c == '`' || c == '$' || c == '\\'))
            out += '\\';
        out += c;
        if (c == '%')
            out += '%';
    }
    return needsQuotes ? out + "\"" : out;
}

// String values escape backslashes and control characters once more.
std::string DesktopEntry::escapedValue(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string DesktopEntry::forProgram(const std::string& name,
                                     const std::vector<std::string>& argv) {
    std::string exec;
    for (const auto& arg : argv)
        exec += (exec.empty() ? "" : " ") + quotedArgument(arg);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           escapedValue(name) + "\nExec=" + escapedValue(exec) +
           "\nX-GNOME-Autostart-enabled=true\n" + markerLine + "\n";
}

bool DesktopEntry::isOurs(const std::string& content) {
    return content.find(std::string("\n") + markerLine + "\n") != std::string::npos;
}

} // namespace platform
