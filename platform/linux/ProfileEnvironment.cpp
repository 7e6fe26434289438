#include "platform/ProfileEnvironment.h"

#include <cstdlib>

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
    setIfUnset("TEMP", valueOr("TMPDIR", "/tmp"));
    setIfUnset("USERPROFILE", home);
    setIfUnset("APPDATA", valueOr("XDG_CONFIG_HOME", underHome("/.config")));
    const std::string data = valueOr("XDG_DATA_HOME", underHome("/.local/share"));
    if (!data.empty())
        setIfUnset("PUBLIC", data + "/merivane/Public");
}

} // namespace platform
