#pragma once

#include <string>

namespace platform {

class Shell {
public:
    // ShellExecuteW(nullptr, "open", file, parameters, nullptr, SW_SHOWNORMAL): the wide
    // form, so that paths outside the ANSI code page survive.
    // Linux: the program is started directly, without a shell, so nothing in either
    // string is interpreted; parameters are split into arguments at blanks, with
    // double quotes grouping and \" standing for a literal quote, as the Windows command
    // line does. A file with a drive letter is translated by Drives::toNativePath.
    // Returns true when the program was started; it is never waited for.
    static bool open(const std::string& file, const std::string& parameters);
};

} // namespace platform
