#include "WideText.h"

#include <windows.h>

namespace platform {

std::wstring WideText::fromUtf8(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::string WideText::toUtf8(const std::wstring& wide) {
    return toUtf8(wide.data(), wide.size());
}

std::string WideText::toUtf8(const wchar_t* wide, std::size_t length) {
    if (length == 0) {
        return {};
    }
    const int wideLength = static_cast<int>(length);
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

} // namespace platform
