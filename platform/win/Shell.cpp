#include "platform/Shell.h"

#include "WideText.h"

// shellapi.h needs the types of windows.h, so the order matters.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace platform {

bool Shell::open(const std::string& file, const std::string& parameters) {
    // The W form: uninstall commands come from the registry as UTF-8 and may name folders
    // outside the ANSI code page.
    const std::wstring wideFile = WideText::fromUtf8(file);
    const std::wstring wideParameters = WideText::fromUtf8(parameters);
    const HINSTANCE result = ShellExecuteW(
        nullptr, L"open", wideFile.c_str(),
        wideParameters.empty() ? nullptr : wideParameters.c_str(), nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success; the rest are SE_ERR_* codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace platform
