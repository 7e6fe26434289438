#pragma once

#include <filesystem>
#include <string>

namespace platform {

class SystemInfo {
public:
    // RtlGetVersion: true for Windows 7 and older. False on Linux and when unknown.
    static bool isWindows7OrLower();
    // SetProcessDpiAwarenessContext / SetThreadDpiAwarenessContext(UNAWARE), looked up
    // at run time; SetProcessDPIAware. No-ops on Linux.
    static void setDpiUnawareProcess();
    static void setDpiUnawareThread();
    static void setProcessDpiAware();
    // SetCurrentDirectoryW.
    static bool setCurrentDirectory(const std::filesystem::path& dir);
    static std::filesystem::path currentDirectory();
};

} // namespace platform
