#pragma once

#include "RegistryNode.h"

#include <string>

namespace platform {

// Writes the registry store as ".reg" text that RegFileParser reads back unchanged.
class RegFileWriter {
public:
    static std::string write(const RegistryNode& root);

private:
    static void writeKey(const RegistryNode& node, const std::string& path, bool isRoot,
                         std::string& out);
    static std::string quoted(const std::string& text);
};

} // namespace platform
