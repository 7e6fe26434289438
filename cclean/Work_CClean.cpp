#include "Work_CClean.h"

#include "BatchSender.h"
#include "FolderItem.h"
#include "Group.h"
#include "LM_GroupModel.h"
#include "LM_GroupsModel.h"
#include "RuleFiles.h"
#include "WorkBroker.h"

#include <QJsonObject>
#include <memory>
#include <platform/Drives.h>
#include <platform/WinError.h>

Work_CClean* Work_CClean::GetInstance() {
    static Work_CClean* instance = nullptr;
    if (!instance)
        instance = new Work_CClean(RuleFiles::LoadCleanData());
    return instance;
}

Work_CClean::Work_CClean(const QJsonDocument& rules)
    : IWork(WorkKind::CClean), groupsModel_(new LM_GroupsModel) {
    walk_.setProgress(&progress);
    cleanList_.setProgress(&progress);
    BuildGroups(rules);
}

void Work_CClean::BuildGroups(const QJsonDocument& rules) {
    LM_GroupModel* model = nullptr;
    RuleFiles::ForEachGroupItem(
        rules,
        [&](const QJsonObject& group) {
            auto owned = std::make_unique<LM_GroupModel>(this);
            groupsModel_->addGroup(group.value(QStringLiteral("id")).toString(),
                                   group.value(QStringLiteral("group")).toString(), QString(),
                                   owned.get());
            model = owned.release();
        },
        [&](const QJsonObject& item, const QString& path) {
            model->addItem(item.value(QStringLiteral("icon")).toString(),
                           item.value(QStringLiteral("checked")).toBool(false),
                           item.value(QStringLiteral("description")).toString(),
                           QStringLiteral("0KB"), path);
            tiles_.push_back(Tile{model, model->rowCount() - 1, {}, {}, {}});
        });
}

int Work_CClean::StartScan() {
    if (!MayStartRun())
        return 2;
    IWork::StartScan();
    ++scanGeneration_;
    groupsModel_->resetSizes();
    stopRequested.store(false);
    walk_.reset();
    {
        // No worker runs now; the lock orders these writes before the next workers' reads.
        std::lock_guard<std::mutex> lock(queueMutex);
        for (std::size_t i = 0; i < tiles_.size(); ++i) {
            Tile& tile = tiles_[i];
            staleFiles.push_back(std::move(tile.files));
            tile.files.clear();
            tile.sizes.clear();
            const QString& rulePath = tile.model->items().at(tile.row)->path;
            tile.root = rulePath.isEmpty() ? fs::path()
                                           : FolderWalk::ResolveRoot(platform::Drives::toNativePath(
                                                 rulePath.toStdString()));
            walk_.addRoot(tile.root, i);
        }
    }
    foundSize.store(0);
    selectedSize.store(0);
    const int generation = scanGeneration_;
    StartWorkers(
        CCleanScanFinished, [this, generation] { ScanLoop(generation); },
        std::thread::hardware_concurrency(),
        [this] {
            // Queued after every batch, so the views see the final sizes at once.
            QMetaObject::invokeMethod(
                groupsModel_, [this] { FlushModels(); }, Qt::QueuedConnection);
        });
    return 1;
}

int Work_CClean::CancelScan() {
    if (statusCallback)
        statusCallback(Cancelled);
    return HasRegisteredRun() ? 2 : 1;
}

int Work_CClean::StartClean() {
    // A clean during a scan would delete from lists still being filled.
    if (!MayStartRun())
        return 2;
    IWork::StartClean();
    cleanList_.clear();
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        std::size_t files = 0;
        for (const Tile& tile : tiles_) {
            if (tile.model->items().at(tile.row)->checked)
                files += tile.files.size();
        }
        cleanList_.reserve(files);
        for (std::size_t i = 0; i < tiles_.size(); ++i) {
            Tile& tile = tiles_[i];
            if (!tile.model->items().at(tile.row)->checked || tile.files.empty())
                continue;
            const std::uint32_t root = cleanList_.addRoot(tile.root);
            for (NativePath& file : tile.files)
                cleanList_.add(std::move(file), root, i);
            tile.files.clear();
            tile.sizes.clear();
        }
    }
    freedSize.store(0);
    StartWorkers(
        CCleanCleanFinished,
        [this] {
            cleanList_.work(
                [this](const CleanList::Target& target, const CleanList::RemoveResult& result) {
                    if (result.removed())
                        freedSize.fetch_add(result.freed);
                    // A file already gone is no failure: what was wanted is done.
                    else if (result.error != platform::ErrorFileNotFound)
                        failures.add(target.file, result.error);
                });
        },
        std::thread::hardware_concurrency(),
        // The last worker frees the paths, not the GUI thread at the next clean (a hundred
        // thousand paths take a noticeable while); every other worker has left the list.
        [this] { cleanList_.clear(); });
    return 0;
}

void Work_CClean::AddSelectedSize(std::int64_t delta) {
    IWork::AddSelectedSize(delta);
    if (workBroker)
        emit workBroker->OnCCleanFolderCheckedChanged();
}

std::vector<fs::path> Work_CClean::FilesOf(const LM_GroupModel* model, int row) {
    std::lock_guard<std::mutex> lock(queueMutex);
    for (const Tile& tile : tiles_) {
        if (tile.model == model && tile.row == row)
            return {tile.files.begin(), tile.files.end()};
    }
    return {};
}

std::vector<FileRow> Work_CClean::FoundFiles(const LM_GroupModel* model, int row) {
    std::lock_guard<std::mutex> lock(queueMutex);
    std::vector<FileRow> found;
    for (const Tile& tile : tiles_) {
        if (tile.model != model || tile.row != row)
            continue;
        found.reserve(tile.files.size());
        for (std::size_t i = 0; i < tile.files.size(); ++i) {
            FileRow file;
            file.path = tile.files[i];
            file.size = tile.sizes[i];
            found.push_back(std::move(file));
        }
    }
    return found;
}

std::optional<std::uint64_t> Work_CClean::ProbeFile(const FolderWalk::File& file) const {
    return file.readableSize();
}

void Work_CClean::ScanLoop(int generation) {
    {
        std::vector<std::vector<NativePath>> stale;
        std::lock_guard<std::mutex> lock(queueMutex);
        stale.swap(staleFiles);
    }
    BatchSender<Found> sender(groupsModel_, [this, generation](std::vector<Found>& batch) {
        ReceiveFound(generation, batch);
    });
    // Files of the folder being listed: committed together, one lock per folder.
    std::vector<NativePath> files;
    std::vector<std::uint64_t> sizes;
    std::uint64_t bytes = 0;
    std::size_t tile = 0;
    FolderWalk::Visitor visitor;
    visitor.file = [&](const FolderWalk::File& file) {
        const std::optional<std::uint64_t> size = ProbeFile(file);
        if (!size)
            return;
        tile = file.tag();
        files.push_back(file.path());
        sizes.push_back(*size);
        bytes += *size;
    };
    visitor.folderDone = [&] {
        if (!files.empty()) {
            {
                std::lock_guard<std::mutex> lock(queueMutex);
                std::vector<NativePath>& found = tiles_[tile].files;
                found.insert(found.end(), std::make_move_iterator(files.begin()),
                             std::make_move_iterator(files.end()));
                std::vector<std::uint64_t>& foundSizes = tiles_[tile].sizes;
                foundSizes.insert(foundSizes.end(), sizes.begin(), sizes.end());
            }
            sender.add(Found{tile, bytes});
            files.clear();
            sizes.clear();
            bytes = 0;
        }
        sender.sendIfDue();
    };
    walk_.work(visitor, stopRequested);
}

void Work_CClean::ReceiveFound(int generation, const std::vector<Found>& batch) {
    if (generation != scanGeneration_)
        return;
    for (const Found& found : batch) {
        const Tile& tile = tiles_[found.tile];
        foundSize.fetch_add(found.bytes);
        // The tick is read here, on the GUI thread where it changes, so the bytes count as
        // selected exactly when their tile is ticked.
        if (tile.model->addFound(tile.row, found.bytes))
            AdjustSelectedSize(static_cast<std::int64_t>(found.bytes));
    }
}

void Work_CClean::FlushModels() {
    for (const Group* group : groupsModel_->groups())
        group->model->flushChanges();
}
