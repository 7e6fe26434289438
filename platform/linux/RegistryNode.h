#pragma once

#include "platform/RegistryKey.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

// One key of the registry store with its values and subkeys. Names compare without case
// and keep the case they were created with. Subkeys are kept in name order, values in the
// order they were first written.
class RegistryNode {
public:
    using Value = RegistryKey::Value;

    // "Software\Microsoft\" -> {"Software", "Microsoft"}; empty parts are dropped.
    static std::vector<std::string> splitPath(const std::string& path);

    explicit RegistryNode(std::string name = {}) : name_(std::move(name)) {}
    std::unique_ptr<RegistryNode> clone() const;

    const std::string& name() const { return name_; }
    const std::vector<Value>& values() const { return values_; }
    const std::vector<std::unique_ptr<RegistryNode>>& children() const { return children_; }

    RegistryNode* child(const std::string& name) const;
    RegistryNode* childOrNew(const std::string& name);
    bool removeChild(const std::string& name);
    // Follows the path; nullptr when a key on the way is missing.
    RegistryNode* find(const std::vector<std::string>& path);
    const RegistryNode* find(const std::vector<std::string>& path) const;

    const Value* value(const std::string& name) const;
    void setValue(Value value);
    bool removeValue(const std::string& name);

private:
    std::string name_;
    std::vector<Value> values_;
    std::vector<std::unique_ptr<RegistryNode>> children_;
};

} // namespace platform
