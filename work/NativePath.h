#pragma once

#include <filesystem>

// A file's path as the system spells it, kept as one string. A std::filesystem::path also
// keeps each of its parts apart, several allocations per path: a list of a million files
// kept that way costs more than the paths themselves, and more again to build and free.
// Converts to and from std::filesystem::path where one is needed (a delete, a move).
class NativePath {
public:
    using String = std::filesystem::path::string_type;

    NativePath() = default;
    NativePath(const std::filesystem::path& path) : text_(path.native()) {}
    explicit NativePath(String text) : text_(std::move(text)) {}

    const String& native() const { return text_; }
    std::filesystem::path path() const { return std::filesystem::path(text_); }
    operator std::filesystem::path() const { return path(); }
    bool empty() const { return text_.empty(); }
    // The last part (the file's name) and the rest, without building a whole path.
    std::filesystem::path filename() const;
    std::filesystem::path parent_path() const;

    friend bool operator==(const NativePath& a, const NativePath& b) { return a.text_ == b.text_; }
    friend bool operator!=(const NativePath& a, const NativePath& b) { return a.text_ != b.text_; }
    friend bool operator<(const NativePath& a, const NativePath& b) { return a.text_ < b.text_; }

private:
    String text_;
};
