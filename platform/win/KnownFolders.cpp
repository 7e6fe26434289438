#include "platform/KnownFolders.h"

#include "WideText.h"

#include <shlobj.h>
#include <windows.h>

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
