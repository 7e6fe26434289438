#include "RegistryNode.h"

#include "Utf8.h"

#include <algorithm>

namespace platform {

std::vector<std::string> RegistryNode::splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::unique_ptr<RegistryNode> RegistryNode::clone() const {
    auto copy = std::make_unique<RegistryNode>(name_);
    copy->values_ = values_;
    for (const auto& c : children_)
        copy->children_.push_back(c->clone());
    return copy;
}

RegistryNode* RegistryNode::child(const std::string& name) const {
    for (const auto& c : children_)
        if (Utf8::equalsIgnoreCase(c->name_, name))
            return c.get();
    return nullptr;
}

RegistryNode* RegistryNode::childOrNew(const std::string& name) {
    if (RegistryNode* existing = child(name))
        return existing;
    const auto at = std::find_if(children_.begin(), children_.end(), [&](const auto& c) {
        return Utf8::lessIgnoreCase(name, c->name_);
    });
    return children_.insert(at, std::make_unique<RegistryNode>(name))->get();
}

bool RegistryNode::removeChild(const std::string& name) {
    const auto at = std::find_if(children_.begin(), children_.end(), [&](const auto& c) {
        return Utf8::equalsIgnoreCase(c->name_, name);
    });
    if (at == children_.end())
        return false;
    children_.erase(at);
    return true;
}

RegistryNode* RegistryNode::find(const std::vector<std::string>& path) {
    RegistryNode* node = this;
    for (const auto& part : path)
        if (node != nullptr)
            node = node->child(part);
    return node;
}

const RegistryNode* RegistryNode::find(const std::vector<std::string>& path) const {
    return const_cast<RegistryNode*>(this)->find(path);
}

const RegistryNode::Value* RegistryNode::value(const std::string& name) const {
    for (const auto& v : values_)
        if (Utf8::equalsIgnoreCase(v.name, name))
            return &v;
    return nullptr;
}

void RegistryNode::setValue(Value value) {
    for (auto& v : values_) {
        if (Utf8::equalsIgnoreCase(v.name, value.name)) {
            value.name = v.name; // the first spelling stays, as on Windows
            v = std::move(value);
            return;
        }
    }
    values_.push_back(std::move(value));
}

bool RegistryNode::removeValue(const std::string& name) {
    const auto at = std::find_if(values_.begin(), values_.end(), [&](const Value& v) {
        return Utf8::equalsIgnoreCase(v.name, name);
    });
    if (at == values_.end())
        return false;
    values_.erase(at);
    return true;
}

} // namespace platform
