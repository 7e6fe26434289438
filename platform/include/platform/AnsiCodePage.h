#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// MultiByteToWideChar / WideCharToMultiByte with the ANSI code page. Linux: the code
// page is UTF-8; invalid sequences fail the conversion.
class AnsiCodePage {
public:
    // Nothing on failure; lastError() then holds the Windows error code.
    static std::optional<std::string> toUtf8(const std::string& ansi);
    static std::optional<std::string> fromUtf8(const std::string& utf8);
    static std::uint32_t lastError();
};

} // namespace platform
