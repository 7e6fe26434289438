#include "platform/RegistryKey.h"

#include "WideText.h"
#include "platform/WinError.h"

#include <windows.h>

namespace platform {

// The W registry calls: names and data are UTF-8 at the interface, and the A calls would
// turn every character outside the ANSI code page into "?".
class RegistryKey::Impl {
public:
    HKEY key = nullptr;
    REGSAM access = 0; // rights and view, reused for subkeys
    std::uint32_t error = ErrorSuccess;

    ~Impl() {
        if (key) {
            RegCloseKey(key);
        }
    }
};

namespace {

HKEY rootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM viewFlag(RegistryView view) {
    return view == RegistryView::Wow64_64 ? KEY_WOW64_64KEY : 0;
}

REGSAM samFor(RegistryAccess access, RegistryView view) {
    const REGSAM rights = access == RegistryAccess::ReadWrite ? KEY_READ | KEY_WRITE : KEY_READ;
    return rights | viewFlag(view);
}

// Empty parts are dropped: "A\\B\" and "\A\B" both name the key A\B.
std::wstring keyPath(const std::string& path) {
    std::string joined;
    std::string part;
    for (const char c : path + "\\") {
        if (c != '\\') {
            part += c;
        } else if (!part.empty()) {
            joined += (joined.empty() ? "" : "\\") + part;
            part.clear();
        }
    }
    return WideText::fromUtf8(joined);
}

// Opens or creates parent\name; the result carries the error code when it fails.
std::unique_ptr<RegistryKey::Impl> openUnder(HKEY parent, const std::string& name, REGSAM access,
                                             bool create) {
    auto impl = std::make_unique<RegistryKey::Impl>();
    impl->access = access;
    if (create && (access & KEY_WRITE) != KEY_WRITE) {
        impl->error = ErrorAccessDenied;
        return impl;
    }
    const std::wstring wideName = keyPath(name);
    HKEY key = nullptr;
    const LSTATUS status =
        create ? RegCreateKeyExW(parent, wideName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 access, nullptr, &key, nullptr)
               : RegOpenKeyExW(parent, wideName.c_str(), 0, access, &key);
    if (status == ERROR_SUCCESS) {
        impl->key = key;
    } else {
        impl->error = static_cast<std::uint32_t>(status);
    }
    return impl;
}

// REG_SZ data may or may not carry its terminating zeros.
std::string textOf(const std::vector<BYTE>& data, DWORD size) {
    std::size_t length = size / sizeof(wchar_t);
    const auto* text = reinterpret_cast<const wchar_t*>(data.data());
    while (length > 0 && text[length - 1] == L'\0') {
        --length;
    }
    return WideText::toUtf8(text, length);
}

RegistryKey::Value::Type typeOf(DWORD type) {
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return RegistryKey::Value::Type::String;
    case REG_DWORD:
        return RegistryKey::Value::Type::Dword;
    default:
        return RegistryKey::Value::Type::Other;
    }
}

struct RawValue {
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::vector<BYTE> data;
};

std::optional<RawValue> queryValue(HKEY key, const std::string& name) {
    if (!key) {
        return std::nullopt;
    }
    const std::wstring wideName = WideText::fromUtf8(name);
    RawValue value;
    DWORD size = 0;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &value.type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // The value may grow between the two calls; retry with the new size.
    for (;;) {
        value.data.assign(size + sizeof(wchar_t), 0);
        value.size = size;
        const LSTATUS status = RegQueryValueExW(key, wideName.c_str(), nullptr, &value.type,
                                                value.data.data(), &value.size);
        if (status == ERROR_SUCCESS) {
            return value;
        }
        if (status != ERROR_MORE_DATA) {
            return std::nullopt;
        }
        size = value.size;
    }
}

} // namespace

RegistryKey::RegistryKey() : d(std::make_unique<Impl>()) {}

RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey&&) noexcept = default;
RegistryKey& RegistryKey::operator=(RegistryKey&&) noexcept = default;

RegistryKey RegistryKey::open(RegistryRoot root, const std::string& path, RegistryAccess access,
                              RegistryView view, bool create) {
    RegistryKey result;
    result.d = openUnder(rootKey(root), path, samFor(access, view), create);
    return result;
}

std::uint32_t RegistryKey::deleteKey(RegistryRoot root, const std::string& path,
                                     RegistryView view) {
    const std::wstring widePath = keyPath(path);
    // An empty path would name the whole hive.
    if (widePath.empty()) {
        return ErrorAccessDenied;
    }
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(rootKey(root), widePath.c_str(), 0,
                                   KEY_READ | KEY_WRITE | DELETE | viewFlag(view), &key);
    if (status != ERROR_SUCCESS) {
        return static_cast<std::uint32_t>(status);
    }
    // RegDeleteTreeW takes no view, so empty the key through a handle opened in the view.
    status = RegDeleteTreeW(key, nullptr);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return static_cast<std::uint32_t>(status);
    }
    return static_cast<std::uint32_t>(
        RegDeleteKeyExW(rootKey(root), widePath.c_str(), viewFlag(view), 0));
}

std::string RegistryKey::storeError() {
    return {}; // the real registry has no store file of ours to be corrupt
}

bool RegistryKey::isOpen() const {
    return d && d->key;
}

std::uint32_t RegistryKey::error() const {
    return d ? d->error : ErrorInvalidParameter;
}

RegistryKey RegistryKey::openSubKey(const std::string& name, bool create) const {
    RegistryKey result;
    if (!isOpen()) {
        result.d->error = ErrorInvalidParameter;
        return result;
    }
    result.d = openUnder(d->key, name, d->access, create);
    return result;
}

std::vector<std::string> RegistryKey::subKeyNames() const {
    std::vector<std::string> names;
    if (!isOpen()) {
        return names;
    }
    // Key names are at most 255 characters.
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        const LSTATUS status =
            RegEnumKeyExW(d->key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) {
            break;
        }
        names.push_back(WideText::toUtf8(name, length));
    }
    return names;
}

std::vector<RegistryKey::Value> RegistryKey::values() const {
    std::vector<Value> result;
    if (!isOpen()) {
        return result;
    }
    for (DWORD index = 0;; ++index) {
        DWORD maxName = 0;
        if (RegQueryInfoKeyW(d->key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &maxName, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        std::wstring name(maxName + 1, L'\0');
        DWORD nameLength = maxName + 1;
        DWORD type = REG_NONE;
        const LSTATUS status = RegEnumValueW(d->key, index, name.data(), &nameLength, nullptr,
                                             &type, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) {
            --index; // a longer name appeared meanwhile: measure again
            continue;
        }
        if (status != ERROR_SUCCESS) {
            break;
        }
        name.resize(nameLength);
        Value value;
        value.name = WideText::toUtf8(name);
        value.type = typeOf(type);
        if (value.type != Value::Type::Other) {
            const auto raw = queryValue(d->key, value.name);
            if (!raw) {
                continue; // deleted meanwhile
            }
            value.type = typeOf(raw->type);
            if (value.type == Value::Type::String) {
                value.text = textOf(raw->data, raw->size);
            } else if (value.type == Value::Type::Dword && raw->size >= sizeof(DWORD)) {
                value.dword = *reinterpret_cast<const DWORD*>(raw->data.data());
            }
        }
        result.push_back(std::move(value));
    }
    return result;
}

bool RegistryKey::hasValue(const std::string& name) const {
    if (!isOpen()) {
        return false;
    }
    const std::wstring wideName = WideText::fromUtf8(name);
    return RegQueryValueExW(d->key, wideName.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

std::optional<std::string> RegistryKey::readString(const std::string& name) const {
    const auto raw = queryValue(isOpen() ? d->key : nullptr, name);
    if (!raw || typeOf(raw->type) != Value::Type::String) {
        return std::nullopt;
    }
    return textOf(raw->data, raw->size);
}

std::optional<std::uint32_t> RegistryKey::readDword(const std::string& name) const {
    const auto raw = queryValue(isOpen() ? d->key : nullptr, name);
    if (!raw || raw->type != REG_DWORD || raw->size < sizeof(DWORD)) {
        return std::nullopt;
    }
    return *reinterpret_cast<const DWORD*>(raw->data.data());
}

std::uint32_t RegistryKey::writeString(const std::string& name, const std::string& data) {
    if (!isOpen()) {
        return ErrorInvalidParameter;
    }
    const std::wstring wideName = WideText::fromUtf8(name);
    const std::wstring wideData = WideText::fromUtf8(data);
    const DWORD bytes = static_cast<DWORD>((wideData.size() + 1) * sizeof(wchar_t));
    return static_cast<std::uint32_t>(
        RegSetValueExW(d->key, wideName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(wideData.c_str()), bytes));
}

std::uint32_t RegistryKey::writeDword(const std::string& name, std::uint32_t data) {
    if (!isOpen()) {
        return ErrorInvalidParameter;
    }
    const std::wstring wideName = WideText::fromUtf8(name);
    const DWORD value = data;
    return static_cast<std::uint32_t>(RegSetValueExW(d->key, wideName.c_str(), 0, REG_DWORD,
                                                     reinterpret_cast<const BYTE*>(&value),
                                                     sizeof value));
}

std::uint32_t RegistryKey::deleteValue(const std::string& name) {
    if (!isOpen()) {
        return ErrorInvalidParameter;
    }
    const std::wstring wideName = WideText::fromUtf8(name);
    return static_cast<std::uint32_t>(RegDeleteValueW(d->key, wideName.c_str()));
}

} // namespace platform
