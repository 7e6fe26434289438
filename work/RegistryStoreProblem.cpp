#include "RegistryStoreProblem.h"

#include <platform/RegistryKey.h>

QString RegistryStoreProblem::describe() {
    const auto key = platform::RegistryKey::open(platform::RegistryRoot::CurrentUser, "Software");
    // A store that was read answers a missing key without a store error.
    const std::string reason = platform::RegistryKey::storeError();
    if (key.isOpen() || reason.empty())
        return QString();
    return QString::fromStdString(reason);
}
