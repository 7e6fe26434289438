#include "TreeSnapshot.h"

#include "TempFolder.h"
#include "platform/PathText.h"

std::map<std::string, std::string> TreeSnapshot::of(const std::filesystem::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const auto name = platform::PathText::toDisplayUtf8(entry.path().lexically_relative(root));
        entries[name] = entry.is_directory() ? "<folder>" : TempFolder::readFile(entry.path());
    }
    return entries;
}
