#include "platform/SystemInfo.h"

#include <iostream>
#include <string>
#include <windows.h>

namespace platform {

namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
// DPI_AWARENESS_CONTEXT is a handle; declared here so older SDK headers suffice.
using SetDpiContextFn = void*(WINAPI*)(void*);

// Looked up at run time: Windows 7 has neither export, and calling through the import
// table would keep the program from starting there.
void setDpiUnaware(const char* exportName) {
    HMODULE user32 = LoadLibraryA("user32.dll");
    if (!user32) {
        std::cerr << "Failed to load user32.dll!" << std::endl;
        return;
    }
    auto setContext = reinterpret_cast<SetDpiContextFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, exportName)));
    if (setContext) {
        setContext(reinterpret_cast<void*>(static_cast<INT_PTR>(-1))); // UNAWARE
    }
    FreeLibrary(user32);
}

} // namespace

bool SystemInfo::isWindows7OrLower() {
    // GetVersionEx lies to programs without a manifest; RtlGetVersion does not.
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) {
        return false;
    }
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (!rtlGetVersion) {
        return false;
    }
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version; // 276
    if (rtlGetVersion(&version) != 0) {
        return false;
    }
    return version.dwMajorVersion < 6 ||
           (version.dwMajorVersion == 6 && version.dwMinorVersion < 2);
}

void SystemInfo::setDpiUnawareProcess() {
    setDpiUnaware("SetProcessDpiAwarenessContext");
}

void SystemInfo::setDpiUnawareThread() {
    setDpiUnaware("SetThreadDpiAwarenessContext");
}

void SystemInfo::setProcessDpiAware() {
    SetProcessDPIAware();
}

bool SystemInfo::setCurrentDirectory(const std::filesystem::path& dir) {
    return SetCurrentDirectoryW(dir.c_str()) != FALSE;
}

std::filesystem::path SystemInfo::currentDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length); // too small: length is the size needed
    }
}

} // namespace platform
