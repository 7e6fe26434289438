#pragma once

#include "Work_CClean.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <functional>
#include <memory>

// A C-drive work on test rules, wired to the broker as at start-up, with a hook on the
// "is this file in use" probe (runs on the workers) to simulate files in use or vanishing.
class TestWork : public Work_CClean {
public:
    explicit TestWork(const QJsonDocument& rules);
    // Waits for a run still registered, so no worker outlives the work.
    ~TestWork() override;

    // A rule group {"id", "group", "items"} and a rule item.
    static QJsonObject group(const QString& id, const QString& title, const QJsonArray& items);
    static QJsonObject item(const QString& path, bool checked, const QString& name = "item",
                            const QString& icon = "qrc:/Icons/resources/icon/100.png");

    // Starts a run and waits (event loop running) until its finished status has arrived and
    // the pool is empty again.
    bool scan();
    bool clean();
    // Waits for one more `finished` than `seenBefore` and an empty pool.
    bool waitForFinished(IWork::WorkStatus finished, int seenBefore);
    // Statuses delivered so far through the broker.
    QList<int> statuses() const;

    // Runs on the workers before the real probe; true marks the file in use. Set it only
    // while no run is registered.
    std::function<bool(const fs::path&)> inUseHook;

protected:
    std::optional<std::uint64_t> ProbeFile(const fs::path& file,
                                           const platform::FolderReader& reader) const override;

private:
    std::unique_ptr<QSignalSpy> statusSpy_;
};
