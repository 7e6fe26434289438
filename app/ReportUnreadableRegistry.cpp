#include "ReportUnreadableRegistry.h"

#include "RegistryStoreProblem.h"

#include <QDebug>

void ReportUnreadableRegistry() {
    const QString reason = RegistryStoreProblem::describe();
    if (!reason.isEmpty())
        qWarning().noquote() << "registry:" << reason;
}
