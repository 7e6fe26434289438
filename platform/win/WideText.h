#pragma once

#include <string>

namespace platform {

// UTF-8 at the interface, UTF-16 at the W calls. Invalid sequences in either direction
// become U+FFFD, so a conversion never fails and never throws.
class WideText {
public:
    static std::wstring fromUtf8(const std::string& utf8);
    static std::string toUtf8(const std::wstring& wide);
    static std::string toUtf8(const wchar_t* wide, std::size_t length);
};

} // namespace platform
