#include "platform/AnsiCodePage.h"

#include "WideText.h"

#include <windows.h>

namespace platform {

namespace {

// Per thread, like GetLastError, so concurrent conversions do not race.
thread_local std::uint32_t lastConversionError = 0;

// Strict decode: MB_ERR_INVALID_CHARS makes a byte sequence that is not valid in the
// code page fail instead of turning into U+FFFD.
std::optional<std::wstring> decode(UINT codePage, const std::string& bytes) {
    const int length = static_cast<int>(bytes.size());
    const int needed =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        lastConversionError = GetLastError();
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(),
                            needed) != needed) {
        lastConversionError = GetLastError();
        return std::nullopt;
    }
    return wide;
}

} // namespace

std::optional<std::string> AnsiCodePage::toUtf8(const std::string& ansi) {
    lastConversionError = ERROR_SUCCESS;
    if (ansi.empty()) {
        return std::string();
    }
    const auto wide = decode(CP_ACP, ansi);
    if (!wide) {
        return std::nullopt;
    }
    return WideText::toUtf8(*wide);
}

std::optional<std::string> AnsiCodePage::fromUtf8(const std::string& utf8) {
    lastConversionError = ERROR_SUCCESS;
    if (utf8.empty()) {
        return std::string();
    }
    const auto wide = decode(CP_UTF8, utf8);
    if (!wide) {
        return std::nullopt;
    }
    // A character the code page lacks would silently become "?"; report it instead.
    // A UTF-8 ANSI code page (a Windows 10 option) takes neither the flag nor the pointer.
    const bool utf8CodePage = GetACP() == CP_UTF8;
    const DWORD flags = utf8CodePage ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8CodePage ? nullptr : &usedDefault;
    const int length = static_cast<int>(wide->size());
    const int needed = WideCharToMultiByte(CP_ACP, flags, wide->data(), length, nullptr, 0, nullptr,
                                           usedDefaultOut);
    if (needed <= 0) {
        lastConversionError = GetLastError();
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide->data(), length, ansi.data(), needed, nullptr,
                            usedDefaultOut) != needed ||
        usedDefault) {
        lastConversionError = usedDefault ? ERROR_NO_UNICODE_TRANSLATION : GetLastError();
        return std::nullopt;
    }
    return ansi;
}

std::uint32_t AnsiCodePage::lastError() {
    return lastConversionError;
}

} // namespace platform
