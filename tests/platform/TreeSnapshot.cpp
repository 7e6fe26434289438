#include "TreeSnapshot.h"

#include "TempFolder.h"
#include "platform/PathText.h"

std::map<std::string, std::string> TreeSnapshot::of(const std::filesystem::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const auto name = platform::PathText::toDisplayUtf8(entry.path().lexically_relative(root));
        // Reading a FIFO would block; other special files have no content to compare.
        entries[name] = entry.is_directory()      ? "<folder>"
                        : entry.is_regular_file() ? TempFolder::readFile(entry.path())
                                                  : "<special>";
    }
    return entries;
}
