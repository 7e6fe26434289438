#include "TestWork.h"

#include "WorkBroker.h"
#include "WorkMetaTypes.h"

#include <QJsonObject>
#include <QTest>

namespace {

QJsonDocument WithBroker(const QJsonDocument& rules) {
    if (!workBroker) {
        RegisterWorkMetaTypes();
        workBroker = new WorkBroker;
    }
    return rules;
}

} // namespace

TestWork::TestWork(const QJsonDocument& rules) : Work_CClean(WithBroker(rules)) {
    statusCallback = WorkBroker::StatusCallback();
    statusSpy_ = std::make_unique<QSignalSpy>(workBroker, &WorkBroker::OnCCleanStatusChanging);
}

TestWork::~TestWork() {
    if (!QTest::qWaitFor([this] { return !HasRegisteredRun(); }, 20000))
        qFatal("a C-drive run did not finish");
}

QJsonObject TestWork::group(const QString& id, const QString& title, const QJsonArray& items) {
    return {{"id", id}, {"group", title}, {"items", items}};
}

QJsonObject TestWork::item(const QString& path, bool checked, const QString& name,
                           const QString& icon) {
    return {{"icon", icon}, {"path", path}, {"description", name}, {"checked", checked}};
}

bool TestWork::scan() {
    // Finished statuses from workers arrive queued, so none can slip in before the count.
    const int before = statuses().count(CCleanScanFinished);
    return StartScan() == 1 && waitForFinished(CCleanScanFinished, before);
}

bool TestWork::clean() {
    const int before = statuses().count(CCleanCleanFinished);
    return StartClean() == 0 && waitForFinished(CCleanCleanFinished, before);
}

bool TestWork::waitForFinished(IWork::WorkStatus finished, int seenBefore) {
    return QTest::qWaitFor(
        [&] { return statuses().count(finished) > seenBefore && !HasRegisteredRun(); }, 20000);
}

QList<int> TestWork::statuses() const {
    QList<int> values;
    for (const QList<QVariant>& arguments : *statusSpy_)
        values.append(arguments.at(0).value<IWork::WorkStatus>());
    return values;
}

std::optional<std::uint64_t> TestWork::ProbeFile(const fs::path& file,
                                                 const platform::FolderReader& reader) const {
    if (inUseHook && inUseHook(file))
        return std::nullopt;
    return Work_CClean::ProbeFile(file, reader);
}
