#pragma once

#include "RegistryNode.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Keeps XDG autostart entries in step with the values of
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run: a program registered
// there really starts with the desktop session.
class AutostartSync {
public:
    // Plans the entry changes for a registry change from before to after. A Run value
    // named by written is brought in line even when its data did not change.
    AutostartSync(const RegistryNode& before, const RegistryNode& after,
                  const std::optional<std::string>& written);
    // Writes and removes the entries; on failure restores what it changed and returns
    // the Windows error code.
    std::uint32_t apply();
    // Restores the entries as they were before apply().
    void undo();

    // The full path from the top: "HKEY_CURRENT_USER", "Software", ...
    static bool isRunKey(const std::vector<std::string>& path);
    // $XDG_CONFIG_HOME/autostart, else $HOME/.config/autostart.
    static std::optional<std::filesystem::path> folder();

private:
    struct Change {
        std::string name;
        std::optional<std::string> content; // nothing: remove the entry
    };
    struct Previous {
        std::filesystem::path file;
        std::optional<std::string> content;
    };

    static std::optional<std::string> entryFor(const RegistryNode::Value& value);
    static std::optional<std::string> readFile(const std::filesystem::path& file);

    std::vector<Change> changes_;
    std::vector<Previous> done_;
};

} // namespace platform
