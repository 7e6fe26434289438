#pragma once

#include <optional>
#include <string>

// Sets (or, with nothing, unsets) an environment variable for the life of the object.
class EnvironmentOverride {
public:
    EnvironmentOverride(std::string name, const std::optional<std::string>& value);
    ~EnvironmentOverride();
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};
