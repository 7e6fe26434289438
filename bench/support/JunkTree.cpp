#include "JunkTree.h"

#include <fstream>
#include <string>

namespace fs = std::filesystem;

void JunkTree::build(const fs::path& root) {
    int n = 0;
    for (int p = 0; p < parents; ++p) {
        for (int f = 0; f < foldersPerParent; ++f) {
            const fs::path folder = root / ("p" + std::to_string(p)) / ("临时" + std::to_string(f));
            fs::create_directories(folder);
            for (int i = 0; i < filesPerFolder; ++i, ++n) {
                std::ofstream out(folder / ("f" + std::to_string(i) + ".tmp"), std::ios::binary);
                out << std::string(static_cast<std::size_t>(n % 512), 'x');
            }
        }
    }
}
