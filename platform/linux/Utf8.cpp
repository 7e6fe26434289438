#include "Utf8.h"

#include <algorithm>

namespace platform {

namespace {

unsigned char byteAt(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::size_t Utf8::sequenceLength(std::string_view s, std::size_t i) {
    const unsigned char c = byteAt(s, i);
    if (c < 0x80)
        return 1;
    std::size_t len = 0;
    unsigned char min2 = 0x80, max2 = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0)
            min2 = 0xA0; // overlong
        if (c == 0xED)
            max2 = 0x9F; // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0)
            min2 = 0x90; // overlong
        if (c == 0xF4)
            max2 = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    const unsigned char second = byteAt(s, i + 1);
    if (second < min2 || second > max2)
        return 0;
    for (std::size_t k = 2; k < len; ++k)
        if (!isContinuation(byteAt(s, i + k)))
            return 0;
    return len;
}

std::size_t Utf8::firstInvalid(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = sequenceLength(bytes, i);
        if (len == 0)
            return i;
        i += len;
    }
    return std::string_view::npos;
}

bool Utf8::isValid(std::string_view bytes) {
    return firstInvalid(bytes) == std::string_view::npos;
}

std::string Utf8::sanitized(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = sequenceLength(bytes, i);
        if (len == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
    }
    return out;
}

std::size_t Utf8::prefixBytes(std::string_view text, std::size_t maxChars) {
    std::size_t i = 0;
    for (std::size_t chars = 0; i < text.size() && chars < maxChars; ++chars) {
        const std::size_t len = sequenceLength(text, i);
        i += len == 0 ? 1 : len;
    }
    return std::min(i, text.size());
}

bool Utf8::equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldAscii(x) == foldAscii(y);
           });
}

bool Utf8::lessIgnoreCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(foldAscii(x)) < static_cast<unsigned char>(foldAscii(y));
    });
}

} // namespace platform
