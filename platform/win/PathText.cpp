#include "platform/PathText.h"

#include "WideText.h"

namespace platform {

// Windows paths are UTF-16; an unpaired surrogate in a name becomes U+FFFD.
std::string PathText::toDisplayUtf8(const std::filesystem::path& path) {
    return WideText::toUtf8(path.native());
}

std::filesystem::path PathText::fromUtf8(const std::string& utf8) {
    return std::filesystem::path(WideText::fromUtf8(utf8));
}

std::string PathText::fileNameUtf8(const std::filesystem::path& path) {
    return WideText::toUtf8(path.filename().native());
}

std::u16string PathText::toEscapedUtf16(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    return std::u16string(wide.begin(), wide.end());
}

} // namespace platform
