#include "platform/PrivateProfile.h"

#include "Utf8.h"

#include <fstream>
#include <sstream>
#include <string_view>

namespace platform {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string limited(std::string_view value, std::size_t maxChars) {
    return std::string(value.substr(0, Utf8::prefixBytes(value, maxChars)));
}

} // namespace

std::string PrivateProfile::getString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue,
                                      const std::filesystem::path& file, std::size_t maxChars) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return limited(defaultValue, maxChars);
    std::string line;
    bool inSection = false;
    bool firstLine = true;
    while (std::getline(in, line)) {
        std::string_view text = line;
        if (firstLine && text.substr(0, 3) == "\xEF\xBB\xBF")
            text.remove_prefix(3);
        firstLine = false;
        text = trimmed(text);
        if (text.empty() || text.front() == ';')
            continue;
        if (text.front() == '[') {
            const auto close = text.find(']');
            const auto name =
                close == std::string_view::npos ? text.substr(1) : text.substr(1, close - 1);
            inSection = Utf8::equalsIgnoreCase(trimmed(name), section);
            continue;
        }
        const auto equals = text.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        if (Utf8::equalsIgnoreCase(trimmed(text.substr(0, equals)), key))
            return limited(unquoted(trimmed(text.substr(equals + 1))), maxChars);
    }
    return limited(defaultValue, maxChars);
}

} // namespace platform
