#pragma once

#include <string>
#include <vector>

namespace platform {

// Splits a command line into arguments as Windows programs do: blanks separate, double
// quotes group, \" is a literal quote, 2n backslashes before a quote give n backslashes,
// and "" inside quotes is a literal quote. Nothing else is interpreted.
class CommandLineSplitter {
public:
    static std::vector<std::string> split(const std::string& commandLine);
    // A Run value or uninstall string: a quoted program path followed by arguments, or,
    // unquoted, the whole text as the program path (paths with blanks are often unquoted).
    static std::vector<std::string> splitProgramLine(const std::string& commandLine);
};

} // namespace platform
