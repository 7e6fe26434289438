#include "Work_CClean.h"

#include "ExpandEnvString.h"
#include "FolderItem.h"
#include "Group.h"
#include "LM_GroupModel.h"
#include "LM_GroupsModel.h"
#include "RuleFiles.h"
#include "WorkBroker.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMetaObject>
#include <platform/ConfinedFileRemover.h>
#include <platform/Drives.h>
#include <platform/FolderReader.h>

namespace {

// The native folder a rule path names, links resolved, so that a clean can check where a
// file really is. Empty when the rule names no folder.
fs::path ResolveRuleFolder(const QString& rulePath) {
    if (rulePath.isEmpty())
        return {};
    const fs::path native = platform::Drives::toNativePath(rulePath.toStdString());
    std::error_code ec;
    fs::path real = fs::canonical(native, ec);
    return ec ? native : real;
}

} // namespace

Work_CClean* Work_CClean::GetInstance() {
    static Work_CClean* instance = nullptr;
    if (!instance)
        instance = new Work_CClean(RuleFiles::LoadCleanData());
    return instance;
}

Work_CClean::Work_CClean(const QJsonDocument& rules)
    : IWork(WorkKind::CClean), groupsModel_(new LM_GroupsModel) {
    BuildGroups(rules);
}

void Work_CClean::BuildGroups(const QJsonDocument& rules) {
    if (!rules.isArray())
        return;
    const QJsonArray groups = rules.array();
    for (const QJsonValue& groupValue : groups) {
        if (!groupValue.isObject())
            continue;
        const QJsonObject group = groupValue.toObject();
        auto* model = new LM_GroupModel(this);
        try {
            groupsModel_->addGroup(group.value(QStringLiteral("id")).toString(),
                                   group.value(QStringLiteral("group")).toString(), QString(),
                                   model);
        } catch (...) {
            delete model;
            throw;
        }
        const QJsonArray items = group.value(QStringLiteral("items")).toArray();
        for (const QJsonValue& itemValue : items) {
            if (!itemValue.isObject())
                continue;
            const QJsonObject item = itemValue.toObject();
            QString path = item.value(QStringLiteral("path")).toString();
            if (path.contains(QLatin1Char('%')))
                path = ExpandEnvString(path);
            model->addItem(item.value(QStringLiteral("icon")).toString(),
                           item.value(QStringLiteral("checked")).toBool(false),
                           item.value(QStringLiteral("description")).toString(),
                           QStringLiteral("0KB"), path);
        }
    }
}

int Work_CClean::StartScan() {
    if (HasRegisteredRun())
        return 2;
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        scanTasks.clear();
    }
    IWork::StartScan();
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        for (const Group* group : groupsModel_->groups()) {
            for (FolderItem* item : group->model->items())
                staleFiles.push_back(std::move(item->files));
        }
    }
    groupsModel_->resetSizes();
    stopRequested.store(false);
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        for (const Group* group : groupsModel_->groups()) {
            for (FolderItem* item : group->model->items()) {
                item->root = ResolveRuleFolder(item->path);
                item->boundary.reset();
                if (item->root.empty())
                    continue;
                item->boundary.emplace(item->root);
                scanTasks.push_back({group->model, item, item->root});
            }
        }
    }
    foundSize.store(0);
    selectedSize.store(0);
    StartWorkers(CCleanScanFinished, [this] { ScanLoop(); });
    return 1;
}

int Work_CClean::CancelScan() {
    if (statusCallback)
        statusCallback(Cancelled);
    return HasRegisteredRun() ? 2 : 1;
}

int Work_CClean::StartClean() {
    // A clean during a scan would delete from lists still being filled.
    if (HasRegisteredRun())
        return 2;
    IWork::StartClean();
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        cleanQueue.clear();
        for (const Group* group : groupsModel_->groups()) {
            for (FolderItem* item : group->model->items()) {
                if (item->checked.load())
                    cleanQueue.push_back(item);
            }
        }
    }
    freedSize.store(0);
    StartWorkers(CCleanCleanFinished, [this] { CleanLoop(); });
    return 0;
}

void Work_CClean::AddSelectedSize(std::int64_t delta) {
    IWork::AddSelectedSize(delta);
    if (workBroker)
        emit workBroker->OnCCleanFolderCheckedChanged();
}

std::optional<std::uint64_t> Work_CClean::ProbeFile(const fs::path& /*file*/,
                                                    const platform::FolderReader& reader) const {
    return reader.readableSize();
}

void Work_CClean::ScanLoop() {
    {
        std::vector<std::vector<fs::path>> stale;
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            stale.swap(staleFiles);
        }
    }
    for (;;) {
        ScanTask task;
        {
            std::unique_lock<std::mutex> lock(queueMutex);
            // An empty queue ends the scan only once nobody can add to it any more; the
            // timeout lets a waiting worker see a stop request.
            while (scanTasks.empty() && listingWorkers > 0 &&
                   !stopRequested.load(std::memory_order_relaxed))
                tasksChanged.wait_for(lock, std::chrono::milliseconds(20));
            if (stopRequested.load(std::memory_order_relaxed) || scanTasks.empty()) {
                tasksChanged.notify_all();
                return;
            }
            task = std::move(scanTasks.front());
            scanTasks.pop_front();
            ++listingWorkers;
        }
        // One bad directory abandons that directory only.
        try {
            ScanDirectory(task);
        } catch (...) {
        }
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            --listingWorkers;
        }
        tasksChanged.notify_all();
    }
}

void Work_CClean::ScanDirectory(const ScanTask& task) {
    // Files are committed in batches: one lock per batch instead of one per file.
    constexpr std::size_t batchSize = 256;
    std::vector<fs::path> files;
    std::uint64_t bytes = 0;
    // Links are neither entered nor counted: their target may lie anywhere.
    platform::FolderReader reader(task.dir);
    fs::path child;
    platform::FolderReader::Kind kind;
    while (reader.next(child, kind)) {
        if (kind == platform::FolderReader::Kind::Folder) {
            if (!task.item->boundary || !task.item->boundary->contains(child))
                continue;
            {
                std::lock_guard<std::mutex> lock(queueMutex);
                scanTasks.push_back({task.model, task.item, child});
            }
            tasksChanged.notify_one();
            continue;
        }
        const std::optional<std::uint64_t> size = ProbeFile(child, reader);
        if (!size)
            continue;
        files.push_back(child);
        bytes += *size;
        if (files.size() >= batchSize)
            CommitFiles(task.item, files, bytes);
    }
    CommitFiles(task.item, files, bytes);
}

void Work_CClean::CommitFiles(FolderItem* item, std::vector<fs::path>& files,
                              std::uint64_t& bytes) {
    if (files.empty())
        return;
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        item->files.insert(item->files.end(), std::make_move_iterator(files.begin()),
                           std::make_move_iterator(files.end()));
    }
    foundSize.fetch_add(bytes);
    {
        // Against a tick change on the GUI thread: the bytes go into the selected amount
        // exactly when the item is ticked.
        std::lock_guard<std::mutex> lock(item->mutex);
        item->size.fetch_add(bytes);
        if (item->checked.load())
            selectedSize.fetch_add(bytes);
    }
    files.clear();
    bytes = 0;
    PostRefresh(item);
}

void Work_CClean::CleanLoop() {
    for (;;) {
        FolderItem* item = nullptr;
        fs::path file;
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            while (!cleanQueue.empty() && cleanQueue.front()->files.empty())
                cleanQueue.pop_front();
            if (cleanQueue.empty())
                return;
            item = cleanQueue.front();
            file = std::move(item->files.back());
            item->files.pop_back();
        }
        try {
            CleanFile(item, file);
        } catch (...) {
        }
    }
}

void Work_CClean::CleanFile(FolderItem* item, const fs::path& file) {
    const auto result = platform::ConfinedFileRemover::remove(item->root, file);
    if (!result.removed())
        return;
    freedSize.fetch_add(result.freed);
    PostRefresh(item);
}

void Work_CClean::PostRefresh(FolderItem* item) {
    if (item->refreshQueued.exchange(true))
        return;
    if (!QMetaObject::invokeMethod(item->owner, "updateFolderItem", Qt::QueuedConnection,
                                   Q_ARG(void*, item)))
        item->refreshQueued.store(false);
}
