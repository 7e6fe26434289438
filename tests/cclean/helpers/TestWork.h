#pragma once

#include "WorkHarness.h"
#include "Work_CClean.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <functional>
#include <memory>

// A C-drive work on test rules, driven through the work harness, with a hook on the "is
// this file in use" probe (runs on the workers) to simulate files in use or vanishing.
class TestWork : public Work_CClean {
public:
    explicit TestWork(const QJsonDocument& rules);

    // A rule group {"id", "group", "items"} and a rule item.
    static QJsonObject group(const QString& id, const QString& title, const QJsonArray& items);
    static QJsonObject item(const QString& path, bool checked, const QString& name = "item",
                            const QString& icon = "qrc:/Icons/resources/icon/100.png");

    bool scan() { return harness_->scan(); }
    bool clean() { return harness_->clean(); }
    bool waitForFinished(IWork::WorkStatus finished, int seenBefore) {
        return harness_->waitForFinished(finished, seenBefore);
    }
    QList<int> statuses() const { return harness_->statuses(); }

    // Runs on the workers before the real probe; true marks the file in use. Set it only
    // while no run is registered.
    std::function<bool(const fs::path&)> inUseHook;

protected:
    std::optional<std::uint64_t> ProbeFile(const FolderWalk::File& file) const override;

private:
    // Destroyed first: it waits for the work's workers.
    std::unique_ptr<WorkHarness> harness_;
};
