#include "platform/ProfileEnvironment.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace platform {

namespace {

// An empty variable would turn "%TEMP%\x" into "\x", so it counts as unset.
bool isUnset(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0';
}

void setIfUnset(const char* name, const std::string& value) {
    if (isUnset(name) && !value.empty())
        ::setenv(name, value.c_str(), 1);
}

std::string valueOr(const char* name, const std::string& fallback) {
    return isUnset(name) ? fallback : std::string(std::getenv(name));
}

// The XDG base directory rules ignore a relative path: it would name a folder below
// whatever the current directory happens to be.
std::string xdgOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value == '/' ? std::string(value) : fallback;
}

// A folder only its owner may enter; an existing one is left as it is.
void makePrivateFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    ::mkdir(path.c_str(), 0700);
}

} // namespace

std::optional<std::string> ProfileEnvironment::get(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

void ProfileEnvironment::set(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

void ProfileEnvironment::ensureWindowsVariables() {
    const std::string home = valueOr("HOME", "");
    // Without HOME there is no base for the per-user defaults: those stay unset.
    const auto underHome = [&](const std::string& rest) {
        return home.empty() ? home : home + rest;
    };
    // Never the shared /tmp: a clean of %TEMP% would delete other users' files there.
    const std::string cache = xdgOr("XDG_CACHE_HOME", underHome("/.cache"));
    if (isUnset("TEMP") && !cache.empty()) {
        const std::string temp = cache + "/merivane/Temp";
        // Set even if it cannot be made: a missing folder only scans as empty.
        makePrivateFolder(temp);
        ::setenv("TEMP", temp.c_str(), 1);
    }
    setIfUnset("USERPROFILE", home);
    setIfUnset("APPDATA", xdgOr("XDG_CONFIG_HOME", underHome("/.config")));
    const std::string data = xdgOr("XDG_DATA_HOME", underHome("/.local/share"));
    if (!data.empty())
        setIfUnset("PUBLIC", data + "/merivane/Public");
}

} // namespace platform
