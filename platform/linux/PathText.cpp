#include "platform/PathText.h"

#include "Utf8.h"

namespace platform {

std::string PathText::toDisplayUtf8(const std::filesystem::path& path) {
    return Utf8::sanitized(path.native());
}

std::filesystem::path PathText::fromUtf8(const std::string& utf8) {
    return std::filesystem::path(utf8);
}

std::string PathText::fileNameUtf8(const std::filesystem::path& path) {
    return Utf8::sanitized(path.filename().native());
}

} // namespace platform
