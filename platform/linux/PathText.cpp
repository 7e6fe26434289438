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

std::u16string PathText::toEscapedUtf16(const std::filesystem::path& path) {
    const std::string& bytes = path.native();
    std::u16string units;
    units.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8::sequenceLength(bytes, i);
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
        if (length == 0) {
            units.push_back(static_cast<char16_t>(0xDC00 + byte(0)));
            ++i;
            continue;
        }
        char32_t code = 0;
        switch (length) {
        case 1:
            code = byte(0);
            break;
        case 2:
            code = ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
            break;
        case 3:
            code = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
            break;
        default:
            code = ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) |
                   ((byte(2) & 0x3Fu) << 6) | (byte(3) & 0x3Fu);
            break;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return units;
}

} // namespace platform
