#include "IsFileLocked.h"

#include <fstream>

bool IsFileLocked(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::in | std::ios::binary);
    if (!stream.is_open())
        return true;
    stream.seekg(0, std::ios::end);
    if (!stream || stream.tellg() < 0)
        return true;
    stream.seekg(0, std::ios::beg);
    return !stream;
}
