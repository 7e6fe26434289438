#pragma once

#include "RegistryNode.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace platform {

// The process-wide registry: the ".reg" store file, re-read whenever it changed on disk
// and rewritten atomically after each change. One mutex serialises every access.
class RegistryStore {
public:
    static RegistryStore& instance();

    // MERIVANE_REGISTRY, else $XDG_CONFIG_HOME/merivane/registry.reg, else
    // $HOME/.config/merivane/registry.reg.
    static std::filesystem::path location();

    // Each returns a Windows error code; the callback's own code when it fails.
    std::uint32_t read(const std::function<std::uint32_t(const RegistryNode&)>& reader);
    // The change runs on a copy; it sets changed when it altered anything. The store is
    // written and the autostart entries follow only then. writtenRunValue names a value
    // just written under the Run key.
    std::uint32_t modify(const std::function<std::uint32_t(RegistryNode&, bool& changed)>& change,
                         const std::optional<std::string>& writtenRunValue = std::nullopt);

    std::string lastError();

private:
    RegistryStore() = default;
    std::uint32_t load();
    std::uint32_t failed(std::uint32_t code, const std::string& reason);

    std::mutex mutex_;
    std::unique_ptr<RegistryNode> root_;
    std::filesystem::path loadedPath_;
    struct stat loadedStat_ {};
    bool loadedExisting_ = false;
    std::string lastError_;
};

} // namespace platform
