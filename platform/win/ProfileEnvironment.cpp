#include "platform/ProfileEnvironment.h"

#include "WideText.h"

#include <cstdlib>
#include <windows.h>

namespace platform {

std::optional<std::string> ProfileEnvironment::get(const std::string& name) {
    const std::wstring wideName = WideText::fromUtf8(name);
    std::wstring value(256, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                     static_cast<DWORD>(value.size()));
        if (length == 0) {
            // Zero is also the length of a variable that is set but empty.
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::string();
        }
        if (length < value.size()) {
            value.resize(length);
            return WideText::toUtf8(value);
        }
        value.resize(length); // too small: length is the size needed
    }
}

void ProfileEnvironment::set(const std::string& name, const std::string& value) {
    const std::wstring wideName = WideText::fromUtf8(name);
    const std::wstring wideValue = WideText::fromUtf8(value);
    SetEnvironmentVariableW(wideName.c_str(), wideValue.c_str());
    // The C runtime keeps its own copy, which getenv (and Qt's qgetenv) read. It cannot
    // hold an empty value: "NAME=" would remove the variable there.
    if (!wideValue.empty()) {
        _wputenv((wideName + L"=" + wideValue).c_str());
    }
}

void ProfileEnvironment::ensureWindowsVariables() {
    // Windows sets TEMP, USERPROFILE, APPDATA and PUBLIC itself.
}

} // namespace platform
