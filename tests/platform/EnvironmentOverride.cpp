#include "EnvironmentOverride.h"

#include "TestBackend.h"

EnvironmentOverride::EnvironmentOverride(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), previous_(TestBackend::env(name_)) {
    TestBackend::setEnv(name_, value);
}

EnvironmentOverride::~EnvironmentOverride() {
    TestBackend::setEnv(name_, previous_);
}
