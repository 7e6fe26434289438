#include "TestWork.h"

#include <QJsonObject>

namespace {
QJsonDocument WithBroker(const QJsonDocument& rules) {
    WorkHarness::ensureBroker();
    return rules;
}
} // namespace

TestWork::TestWork(const QJsonDocument& rules)
    : Work_CClean(WithBroker(rules)), harness_(std::make_unique<WorkHarness>(*this)) {}

QJsonObject TestWork::group(const QString& id, const QString& title, const QJsonArray& items) {
    return {{"id", id}, {"group", title}, {"items", items}};
}

QJsonObject TestWork::item(const QString& path, bool checked, const QString& name,
                           const QString& icon) {
    return {{"icon", icon}, {"path", path}, {"description", name}, {"checked", checked}};
}

std::optional<std::uint64_t> TestWork::ProbeFile(const FolderWalk::File& file) const {
    if (inUseHook && inUseHook(file.path()))
        return std::nullopt;
    return Work_CClean::ProbeFile(file);
}
