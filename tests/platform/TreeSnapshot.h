#pragma once

#include <filesystem>
#include <map>
#include <string>

// Every entry below a folder with its content ("<folder>" for folders, "<special>" for FIFOs
// and the like), keyed by the relative path as display text, so destructive tests can
// compare a whole tree.
class TreeSnapshot {
public:
    static std::map<std::string, std::string> of(const std::filesystem::path& root);
};
