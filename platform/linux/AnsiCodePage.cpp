#include "platform/AnsiCodePage.h"

#include "Utf8.h"
#include "platform/WinError.h"

namespace platform {

namespace {

thread_local std::uint32_t lastConversionError = ErrorSuccess;

// The ANSI code page is UTF-8 here, so both directions only validate.
std::optional<std::string> validated(const std::string& text) {
    if (!Utf8::isValid(text)) {
        lastConversionError = ErrorNoUnicodeTranslation;
        return std::nullopt;
    }
    lastConversionError = ErrorSuccess;
    return text;
}

} // namespace

std::optional<std::string> AnsiCodePage::toUtf8(const std::string& ansi) {
    return validated(ansi);
}

std::optional<std::string> AnsiCodePage::fromUtf8(const std::string& utf8) {
    return validated(utf8);
}

std::uint32_t AnsiCodePage::lastError() {
    return lastConversionError;
}

} // namespace platform
