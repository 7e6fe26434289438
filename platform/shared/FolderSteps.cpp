#include "FolderSteps.h"

namespace platform {

std::optional<std::vector<std::filesystem::path>>
FolderSteps::below(const std::filesystem::path& root, const std::filesystem::path& file) {
    if (root.empty() || !file.has_filename())
        return std::nullopt;
    const std::filesystem::path relative = file.parent_path().lexically_relative(root);
    if (relative.empty())
        return std::nullopt;
    std::vector<std::filesystem::path> steps;
    for (const std::filesystem::path& part : relative) {
        if (part == ".")
            continue;
        if (part == ".." || part.empty())
            return std::nullopt;
        steps.push_back(part);
    }
    return steps;
}

} // namespace platform
