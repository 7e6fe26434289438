#include "RunHistory.h"

#include <QStringList>
#include <algorithm>
#include <platform/WinError.h>

namespace {
const std::string listName = "MRUList";

std::optional<platform::RegistryRoot> hive(const QString& name) {
    const auto is = [&](const char* spelling) {
        return name.compare(QLatin1String(spelling), Qt::CaseInsensitive) == 0;
    };
    if (is("HKCU") || is("HKEY_CURRENT_USER"))
        return platform::RegistryRoot::CurrentUser;
    if (is("HKLM") || is("HKEY_LOCAL_MACHINE"))
        return platform::RegistryRoot::LocalMachine;
    return std::nullopt;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
} // namespace

std::optional<RunHistory::Location> RunHistory::locate(const QString& rulePath) {
    QStringList parts = rulePath.trimmed().split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return std::nullopt;
    const std::optional<platform::RegistryRoot> root = hive(parts.takeFirst());
    if (!root)
        return std::nullopt;
    return Location{*root, parts.join(QLatin1Char('\\')).toStdString()};
}

std::vector<std::string> RunHistory::entries(const platform::RegistryKey& key) {
    std::vector<std::string> names;
    const std::optional<std::string> list = key.readString(listName);
    if (!list)
        return names;
    for (const char c : *list) {
        // Bytes of a multi-byte character are never ASCII letters.
        if (!isAsciiLetter(c))
            continue;
        const std::string name(1, static_cast<char>(c | 0x20));
        if (std::find(names.begin(), names.end(), name) == names.end() && key.hasValue(name))
            names.push_back(name);
    }
    return names;
}

std::uint32_t RunHistory::erase(platform::RegistryKey& key) {
    const std::optional<std::string> list = key.readString(listName);
    if (!list)
        return platform::ErrorSuccess;
    std::uint32_t firstError = platform::ErrorSuccess;
    std::string kept;
    for (const std::string& name : entries(key)) {
        const std::uint32_t error = key.deleteValue(name);
        // A value gone meanwhile is as good as removed.
        if (error == platform::ErrorSuccess || error == platform::ErrorFileNotFound)
            continue;
        if (firstError == platform::ErrorSuccess)
            firstError = error;
        // Still listed, so it stays a visible record and a later clean can try again.
        kept += name;
    }
    if (kept != *list) {
        const std::uint32_t error = key.writeString(listName, kept);
        if (firstError == platform::ErrorSuccess)
            firstError = error;
    }
    return firstError;
}
