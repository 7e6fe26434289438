#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Windows 64-bit machines keep two views of HKLM\SOFTWARE; Default is the view of the
// calling process (32-bit for our shipped build), Wow64_64 forces the 64-bit one.
enum class RegistryView { Default, Wow64_64 };

enum class RegistryAccess { Read, ReadWrite };

// One open registry key. All names and string data are UTF-8. Key and value names are
// case-insensitive and case-preserving. Enumeration order is stable between calls.
//
// Linux stand-in: the whole registry is one text file in the Windows ".reg" export format
// ("Windows Registry Editor Version 5.00"), located by MERIVANE_REGISTRY or, by default,
// $XDG_CONFIG_HOME/merivane/registry.reg. Every change rewrites it atomically (temporary
// file + rename). A file that cannot be parsed is never overwritten: opening fails with
// ErrorRegistryCorrupt and RegistryKey::storeError() says why. Both views map to the same
// keys there, since Linux has no WOW64 redirection; Wow6432Node is an ordinary key.
class RegistryKey {
public:
    struct Value {
        enum class Type { String, Dword, Other };
        std::string name;
        Type type = Type::String;
        std::string text;        // String; Other: the data as the Linux store spells it
        std::uint32_t dword = 0; // Dword
    };

    RegistryKey();
    ~RegistryKey();
    RegistryKey(RegistryKey&&) noexcept;
    RegistryKey& operator=(RegistryKey&&) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens root\path (path joined with "\"). With create, missing keys are created
    // (needs ReadWrite). Check isOpen(); error() holds the Windows error code otherwise.
    static RegistryKey open(RegistryRoot root, const std::string& path,
                            RegistryAccess access = RegistryAccess::Read,
                            RegistryView view = RegistryView::Default, bool create = false);
    // Deletes root\path with all its subkeys and values. Returns a Windows error code.
    static std::uint32_t deleteKey(RegistryRoot root, const std::string& path,
                                   RegistryView view = RegistryView::Default);
    // The reason the last store access failed ("line 12: expected ..."), empty if none.
    static std::string storeError();

    bool isOpen() const;
    std::uint32_t error() const;
    // The subkey opened with the same root, view and access.
    RegistryKey openSubKey(const std::string& name, bool create = false) const;

    std::vector<std::string> subKeyNames() const;
    std::vector<Value> values() const;
    bool hasValue(const std::string& name) const;
    std::optional<std::string> readString(const std::string& name) const;
    std::optional<std::uint32_t> readDword(const std::string& name) const;
    // Each returns a Windows error code (0 on success).
    std::uint32_t writeString(const std::string& name, const std::string& data);
    std::uint32_t writeDword(const std::string& name, std::uint32_t data);
    std::uint32_t deleteValue(const std::string& name);

    class Impl;

private:
    std::unique_ptr<Impl> d;
};

} // namespace platform
