#include "platform/RegistryKey.h"

#include "AutostartSync.h"
#include "RegistryStore.h"
#include "platform/WinError.h"

namespace platform {

class RegistryKey::Impl {
public:
    RegistryRoot root = RegistryRoot::CurrentUser;
    RegistryView view = RegistryView::Default;
    RegistryAccess access = RegistryAccess::Read;
    std::vector<std::string> path; // from the hive name down
    std::uint32_t error = ErrorSuccess;
    bool open = false;

    // Runs a change on this key; a key deleted since it was opened gives ErrorKeyDeleted.
    std::uint32_t change(const std::function<std::uint32_t(RegistryNode&, bool&)>& f,
                         const std::optional<std::string>& value = std::nullopt) const {
        if (access != RegistryAccess::ReadWrite)
            return ErrorAccessDenied;
        const bool isRun = value && AutostartSync::isRunKey(path);
        return RegistryStore::instance().modify(
            [&](RegistryNode& root, bool& changed) {
                RegistryNode* node = root.find(path);
                return node != nullptr ? f(*node, changed) : ErrorKeyDeleted;
            },
            isRun ? value : std::nullopt);
    }

    std::uint32_t store(Value value) const {
        const std::string name = value.name;
        return change(
            [&](RegistryNode& node, bool& changed) {
                node.setValue(std::move(value));
                changed = true;
                return ErrorSuccess;
            },
            name);
    }

    // A copy of the named value when it exists with that type.
    std::optional<Value> find(const std::string& name, Value::Type type) const {
        std::optional<Value> found;
        inspect([&](const RegistryNode& node) {
            const Value* value = node.value(name);
            if (value != nullptr && value->type == type)
                found = *value;
        });
        return found;
    }

    // Calls f with this key's node when it still exists.
    void inspect(const std::function<void(const RegistryNode&)>& f) const {
        RegistryStore::instance().read([&](const RegistryNode& root) {
            if (const RegistryNode* node = root.find(path))
                f(*node);
            return ErrorSuccess;
        });
    }
};

namespace {

std::vector<std::string> keyPath(RegistryRoot root, const std::string& path) {
    std::vector<std::string> parts{root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER"
                                                                     : "HKEY_LOCAL_MACHINE"};
    for (auto& part : RegistryNode::splitPath(path))
        parts.push_back(part);
    return parts;
}

} // namespace

RegistryKey::RegistryKey() : d(std::make_unique<Impl>()) {}
RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey&&) noexcept = default;
RegistryKey& RegistryKey::operator=(RegistryKey&&) noexcept = default;

RegistryKey RegistryKey::open(RegistryRoot root, const std::string& path, RegistryAccess access,
                              RegistryView view, bool create) {
    RegistryKey key;
    key.d->root = root;
    key.d->view = view;
    key.d->access = access;
    key.d->path = keyPath(root, path);
    auto& store = RegistryStore::instance();
    if (path.find_first_of("\r\n") != std::string::npos) {
        key.d->error = ErrorInvalidParameter; // a key line of the store cannot hold it
    } else if (create && access != RegistryAccess::ReadWrite) {
        key.d->error = ErrorAccessDenied;
    } else if (create) {
        key.d->error = store.modify([&](RegistryNode& top, bool& changed) {
            RegistryNode* node = &top;
            for (const auto& part : key.d->path) {
                changed = changed || node->child(part) == nullptr;
                node = node->childOrNew(part);
            }
            return ErrorSuccess;
        });
    } else {
        key.d->error = store.read([&](const RegistryNode& top) {
            return top.find(key.d->path) != nullptr ? ErrorSuccess : ErrorFileNotFound;
        });
    }
    key.d->open = key.d->error == ErrorSuccess;
    return key;
}

std::uint32_t RegistryKey::deleteKey(RegistryRoot root, const std::string& path,
                                     RegistryView /*view*/) {
    const auto parts = keyPath(root, path);
    if (parts.size() < 2)
        return ErrorAccessDenied; // the hives themselves stay
    return RegistryStore::instance().modify([&](RegistryNode& top, bool& changed) {
        RegistryNode* parent = top.find({parts.begin(), parts.end() - 1});
        changed = parent != nullptr && parent->removeChild(parts.back());
        return changed ? ErrorSuccess : ErrorFileNotFound;
    });
}

std::string RegistryKey::storeError() {
    return RegistryStore::instance().lastError();
}

bool RegistryKey::isOpen() const {
    return d && d->open;
}

std::uint32_t RegistryKey::error() const {
    return d ? d->error : ErrorInvalidParameter;
}

RegistryKey RegistryKey::openSubKey(const std::string& name, bool create) const {
    if (!isOpen()) {
        RegistryKey closed;
        closed.d->error = ErrorInvalidParameter;
        return closed;
    }
    std::string path;
    for (std::size_t i = 1; i < d->path.size(); ++i)
        path += d->path[i] + "\\";
    return open(d->root, path + name, d->access, d->view, create);
}

std::vector<std::string> RegistryKey::subKeyNames() const {
    std::vector<std::string> names;
    if (!isOpen())
        return names;
    d->inspect([&](const RegistryNode& node) {
        for (const auto& child : node.children())
            names.push_back(child->name());
    });
    return names;
}

std::vector<RegistryKey::Value> RegistryKey::values() const {
    std::vector<Value> result;
    if (!isOpen())
        return result;
    d->inspect([&](const RegistryNode& node) { result = node.values(); });
    return result;
}

bool RegistryKey::hasValue(const std::string& name) const {
    bool found = false;
    if (!isOpen())
        return false;
    d->inspect([&](const RegistryNode& node) { found = node.value(name) != nullptr; });
    return found;
}

std::optional<std::string> RegistryKey::readString(const std::string& name) const {
    const auto value = isOpen() ? d->find(name, Value::Type::String) : std::nullopt;
    return value ? std::optional<std::string>(value->text) : std::nullopt;
}

std::optional<std::uint32_t> RegistryKey::readDword(const std::string& name) const {
    const auto value = isOpen() ? d->find(name, Value::Type::Dword) : std::nullopt;
    return value ? std::optional<std::uint32_t>(value->dword) : std::nullopt;
}

std::uint32_t RegistryKey::writeString(const std::string& name, const std::string& data) {
    Value value;
    value.name = name;
    value.text = data;
    return isOpen() ? d->store(std::move(value)) : ErrorInvalidParameter;
}

std::uint32_t RegistryKey::writeDword(const std::string& name, std::uint32_t data) {
    Value value;
    value.name = name;
    value.type = Value::Type::Dword;
    value.dword = data;
    return isOpen() ? d->store(std::move(value)) : ErrorInvalidParameter;
}

std::uint32_t RegistryKey::deleteValue(const std::string& name) {
    if (!isOpen())
        return ErrorInvalidParameter;
    return d->change([&](RegistryNode& node, bool& changed) {
        changed = node.removeValue(name);
        return changed ? ErrorSuccess : ErrorFileNotFound;
    });
}

} // namespace platform
