#include "NativePath.h"

namespace {
// Where the name begins: after the last separator (either one on Windows).
std::size_t NameStart(const NativePath::String& text) {
    const auto separator = [](auto c) {
        return c == std::filesystem::path::preferred_separator || c == '/';
    };
    for (std::size_t i = text.size(); i > 0; --i)
        if (separator(text[i - 1]))
            return i;
    return 0;
}
} // namespace

std::filesystem::path NativePath::filename() const {
    return std::filesystem::path(text_.substr(NameStart(text_)));
}

std::filesystem::path NativePath::parent_path() const {
    return path().parent_path();
}
