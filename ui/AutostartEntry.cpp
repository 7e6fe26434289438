#include "AutostartEntry.h"

#include <platform/RegistryKey.h>

const char* const AutostartEntry::RunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

namespace {
platform::RegistryKey openRunKey(platform::RegistryAccess access) {
    const bool create = access == platform::RegistryAccess::ReadWrite;
    return platform::RegistryKey::open(platform::RegistryRoot::CurrentUser,
                                       AutostartEntry::RunKeyPath, access,
                                       platform::RegistryView::Default, create);
}
} // namespace

AutostartEntry::AutostartEntry(const AppPaths& paths)
    : valueName_(paths.applicationName),
      command_(QString(paths.executablePath).replace(QLatin1Char('/'), QLatin1Char('\\'))) {}

bool AutostartEntry::isRegistered() const {
    const auto key = openRunKey(platform::RegistryAccess::Read);
    if (!key.isOpen())
        return false;
    const auto value = key.readString(valueName_.toStdString());
    return value && QString::fromStdString(*value) == command_;
}

void AutostartEntry::registerHere() const {
    if (isRegistered())
        return;
    auto key = openRunKey(platform::RegistryAccess::ReadWrite);
    if (key.isOpen())
        key.writeString(valueName_.toStdString(), command_.toStdString());
}

void AutostartEntry::apply(bool enabled) const {
    if (enabled) {
        registerHere();
        return;
    }
    auto key = openRunKey(platform::RegistryAccess::ReadWrite);
    if (key.isOpen() && key.hasValue(valueName_.toStdString()))
        key.deleteValue(valueName_.toStdString());
}
