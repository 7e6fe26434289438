#include "RegFileWriter.h"

#include <cstdio>

namespace platform {

std::string RegFileWriter::quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

void RegFileWriter::writeKey(const RegistryNode& node, const std::string& path, bool isRoot,
                             std::string& out) {
    // Every key gets its line so that empty keys survive; the roots always exist.
    if (!isRoot || !node.values().empty()) {
        out += "[" + path + "]\n";
        for (const auto& value : node.values()) {
            out += value.name.empty() ? std::string("@") : quoted(value.name);
            out += "=";
            switch (value.type) {
            case RegistryNode::Value::Type::String:
                out += quoted(value.text);
                break;
            case RegistryNode::Value::Type::Dword: {
                char digits[16];
                std::snprintf(digits, sizeof digits, "dword:%08x", value.dword);
                out += digits;
                break;
            }
            case RegistryNode::Value::Type::Other:
                out += value.text;
                break;
            }
            out += "\n";
        }
        out += "\n";
    }
    for (const auto& child : node.children())
        writeKey(*child, path + "\\" + child->name(), false, out);
}

std::string RegFileWriter::write(const RegistryNode& root) {
    std::string out = "Windows Registry Editor Version 5.00\n\n";
    for (const auto& hive : root.children())
        writeKey(*hive, hive->name(), true, out);
    return out;
}

} // namespace platform
