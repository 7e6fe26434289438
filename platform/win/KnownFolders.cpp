#include "platform/KnownFolders.h"

#include "WideText.h"

// shlobj.h needs the types of windows.h, so the order matters.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

namespace platform {

std::optional<std::string> KnownFolders::documents() {
    // The W form: a user name outside the ANSI code page would turn into "?" with the A form.
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) {
        return std::nullopt;
    }
    return WideText::toUtf8(path, wcslen(path));
}

} // namespace platform
