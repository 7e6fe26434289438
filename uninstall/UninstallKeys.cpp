#include "UninstallKeys.h"

#include <QDebug>
#include <platform/RegistryKey.h>
#include <set>

using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryView;

namespace {

struct Pass {
    RegistryRoot root;
    const char* rootName;
    const char* path;
    RegistryView view;
};

const Pass passes[] = {
    {RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", RegistryView::Wow64_64},
    {RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE",
     "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall", RegistryView::Default},
    {RegistryRoot::CurrentUser, "HKEY_CURRENT_USER",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", RegistryView::Wow64_64},
    {RegistryRoot::CurrentUser, "HKEY_CURRENT_USER",
     "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall", RegistryView::Default},
};

QString text(const RegistryKey& key, const char* name) {
    return QString::fromStdString(key.readString(name).value_or(std::string()));
}

UninstallKeys::Entry entryOf(const RegistryKey& key) {
    UninstallKeys::Entry entry;
    entry.displayName = text(key, "DisplayName");
    entry.uninstallString = text(key, "UninstallString");
    entry.estimatedSize = key.readDword("EstimatedSize").value_or(0);
    const auto icon = key.readString("DisplayIcon");
    entry.hasDisplayIcon = icon.has_value();
    entry.displayIcon = QString::fromStdString(icon.value_or(std::string()));
    entry.installDate = text(key, "InstallDate");
    if (entry.installDate.isEmpty())
        entry.installDate = text(key, "InstallTime");
    entry.installLocation = text(key, "InstallLocation");
    return entry;
}

} // namespace

UninstallKeys::Counts UninstallKeys::read(const std::function<void(const Entry&)>& program,
                                          const std::atomic<bool>& stop) {
    Counts counts;
    std::set<QString> listed;
    for (const Pass& pass : passes) {
        const RegistryKey key =
            RegistryKey::open(pass.root, pass.path, platform::RegistryAccess::Read, pass.view);
        if (!key.isOpen()) {
            qWarning().noquote().nospace()
                << "===Unistall scan path read bad,main KEY and path is <<" << pass.rootName
                << " and " << pass.path;
            continue;
        }
        for (const std::string& name : key.subKeyNames()) {
            if (stop.load())
                return counts;
            const RegistryKey subKey = key.openSubKey(name);
            if (!subKey.isOpen()) {
                qDebug().noquote().nospace()
                    << "regpath " << pass.path << "\\" << QString::fromStdString(name)
                    << "GetLastError " << subKey.error();
                continue;
            }
            const Entry entry = entryOf(subKey);
            ++counts.read;
            if (entry.displayName.isEmpty() || !listed.insert(entry.displayName).second)
                continue;
            ++counts.listed;
            try {
                program(entry);
            } catch (...) {
                // One program that cannot be looked at must not end the inventory.
            }
        }
    }
    return counts;
}
