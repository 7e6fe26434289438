#include "ReportUnreadableRegistry.h"

#include <QDebug>
#include <platform/RegistryKey.h>

void ReportUnreadableRegistry() {
    const auto key = platform::RegistryKey::open(platform::RegistryRoot::CurrentUser, "Software");
    // A store that was read answers a missing key without a store error; the Windows
    // registry never gives one.
    const std::string reason = platform::RegistryKey::storeError();
    if (key.isOpen() || reason.empty())
        return;
    qWarning().noquote() << "registry:" << QString::fromStdString(reason);
}
