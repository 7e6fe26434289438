#include "Work_Privacy.h"

#include "AppLog.h"
#include "BatchSender.h"
#include "LM_PrivacyFolderModel.h"
#include "LM_PrivacyGroupData.h"
#include "PathQString.h"
#include "RecentItems.h"
#include "RuleFiles.h"
#include "TPrivacyGroup.h"
#include "TPrivacyItem.h"
#include "WorkBroker.h"

#include <QJsonObject>
#include <algorithm>
#include <limits>
#include <memory>
#include <platform/WinError.h>
#include <thread>

namespace fs = std::filesystem;

namespace {
const QString runHistoryId = QStringLiteral("001");
const QString recentItemsId = QStringLiteral("002");
} // namespace

Work_Privacy* Work_Privacy::GetInstance() {
    static Work_Privacy* instance = nullptr;
    if (!instance)
        instance = new Work_Privacy(RuleFiles::LoadPrivacyData());
    return instance;
}

Work_Privacy::Work_Privacy(const QJsonDocument& rules, std::chrono::milliseconds minimumScanTime)
    : IWork(WorkKind::Privacy), minimumScanTime_(minimumScanTime),
      groupsModel_(new LM_PrivacyGroupData) {
    BuildGroups(rules);
}

void Work_Privacy::BuildGroups(const QJsonDocument& rules) {
    LM_PrivacyFolderModel* model = nullptr;
    RuleFiles::ForEachGroupItem(
        rules,
        [&](const QJsonObject& group) {
            auto owned = std::make_unique<LM_PrivacyFolderModel>();
            groupsModel_->addGroup(group.value(QStringLiteral("id")).toString(),
                                   group.value(QStringLiteral("group")).toString(), QString(),
                                   owned.get());
            model = owned.release();
            // Ticks and counts change on the GUI thread only, so the totals are kept there.
            QObject::connect(
                model, &QAbstractItemModel::dataChanged, groupsModel_,
                [this](const QModelIndex&, const QModelIndex&, const QVector<int>& roles) {
                    UpdateTotals();
                    if (roles.contains(LM_PrivacyFolderModel::FolderCheckedRole) && workBroker)
                        emit workBroker->OnPrivacyCheckedChanged();
                });
        },
        [&](const QJsonObject& item, const QString& path) {
            const QString id = item.value(QStringLiteral("id")).toString();
            model->addItem(id, item.value(QStringLiteral("icon")).toString(),
                           item.value(QStringLiteral("checked")).toBool(false),
                           item.value(QStringLiteral("description")).toString(), 0, path);
            Trace trace;
            trace.model = model;
            trace.row = model->rowCount() - 1;
            trace.name = item.value(QStringLiteral("description")).toString();
            if (id == runHistoryId) {
                trace.kind = Trace::Kind::RunHistory;
                trace.key = RunHistory::locate(path);
            } else if (id == recentItemsId) {
                trace.kind = Trace::Kind::RecentItems;
                trace.folder = path;
            } else {
                return;
            }
            traces_.push_back(std::move(trace));
        });
}

int Work_Privacy::StartScan() {
    if (!MayStartRun())
        return 2;
    IWork::StartScan();
    ++generation_;
    groupsModel_->resetCounts();
    stopRequested.store(false);
    const int generation = generation_;
    StartSingleWorker(PrivacyScanFinished, [this, generation] { ScanLoop(generation); });
    return 1;
}

int Work_Privacy::StartClean() {
    if (!MayStartRun())
        return 2;
    IWork::StartClean();
    ++generation_;
    stopRequested.store(false);
    // The ticks are read here, where they change, once for the whole clean.
    std::vector<std::size_t> ticked;
    for (std::size_t i = 0; i < traces_.size(); ++i) {
        if (traces_[i].model->items().at(traces_[i].row)->checked)
            ticked.push_back(i);
    }
    const int generation = generation_;
    StartSingleWorker(PrivacyCleanFinished,
                      [this, generation, ticked] { CleanLoop(generation, ticked); });
    return 1;
}

void Work_Privacy::GetRecordCounts(int& found, int& selected) const {
    found = 0;
    selected = 0;
    for (const TPrivacyGroup* group : groupsModel_->groups()) {
        for (const TPrivacyItem* item : group->model->items()) {
            const int count = static_cast<int>(
                std::min<std::uint32_t>(item->count, std::numeric_limits<int>::max()));
            found += count;
            if (item->checked)
                selected += count;
        }
    }
}

std::optional<std::vector<Work_Privacy::Record>>
Work_Privacy::RecordsOf(const LM_PrivacyFolderModel* model, int row) const {
    for (const Trace& trace : traces_) {
        if (trace.model != model || trace.row != row)
            continue;
        std::vector<Record> records;
        for (const fs::path& file : trace.files)
            records.push_back(Record{file, QString(), QString()});
        for (const auto& [letter, value] : trace.entries)
            records.push_back(
                Record{fs::path(), QString::fromStdString(letter), QString::fromStdString(value)});
        return records;
    }
    return std::nullopt;
}

platform::RegistryKey Work_Privacy::OpenRegistryKey(const RunHistory::Location& location,
                                                    platform::RegistryAccess access) {
    return platform::RegistryKey::open(location.root, location.path, access);
}

platform::ConfinedFileRemover::RemoveResult Work_Privacy::RemoveFile(const fs::path& root,
                                                                     const fs::path& file) {
    return platform::ConfinedFileRemover::remove(root, file);
}

void Work_Privacy::ScanLoop(int generation) {
    const auto deadline = std::chrono::steady_clock::now() + minimumScanTime_;
    {
        BatchSender<Count> sender(groupsModel_, [this, generation](std::vector<Count>& batch) {
            ReceiveCounts(generation, batch);
        });
        for (std::size_t i = 0; i < traces_.size(); ++i)
            sender.add(Count{i, CountTrace(traces_[i], true)});
    }
    WaitUntil(deadline);
}

void Work_Privacy::CleanLoop(int generation, const std::vector<std::size_t>& ticked) {
    BatchSender<Count> sender(groupsModel_, [this, generation](std::vector<Count>& batch) {
        ReceiveCounts(generation, batch);
    });
    for (const std::size_t i : ticked) {
        Erase(traces_[i]);
        // What really remains, whatever failed on the way.
        sender.add(Count{i, CountTrace(traces_[i], false)});
    }
}

std::uint32_t Work_Privacy::CountTrace(Trace& trace, bool log) {
    if (trace.kind == Trace::Kind::RunHistory) {
        if (!trace.key)
            return 0;
        const platform::RegistryKey key =
            OpenRegistryKey(*trace.key, platform::RegistryAccess::Read);
        trace.entries.clear();
        if (!key.isOpen())
            return 0;
        for (const std::string& letter : RunHistory::entries(key))
            trace.entries.emplace_back(letter, key.readString(letter).value_or(std::string()));
        return static_cast<std::uint32_t>(trace.entries.size());
    }
    trace.root = RecentItems::locate(trace.folder);
    if (trace.root.empty() && log)
        AppLog(QStringLiteral("cannot list %1").arg(trace.folder));
    trace.files = RecentItems::list(trace.root, log);
    return static_cast<std::uint32_t>(trace.files.size());
}

void Work_Privacy::Erase(Trace& trace) {
    if (trace.kind == Trace::Kind::RunHistory) {
        if (!trace.key)
            return;
        platform::RegistryKey key =
            OpenRegistryKey(*trace.key, platform::RegistryAccess::ReadWrite);
        if (!key.isOpen())
            return;
        if (const std::uint32_t error = RunHistory::erase(key)) {
            AppLog(QStringLiteral("Run history not fully erased: error %1").arg(error));
            failures.add({{}, trace.name, ItemFailures::Reason::Error, error});
        }
        return;
    }
    for (const fs::path& file : trace.files) {
        // Quitting puts the clean down between two files.
        if (stopRequested.load() || Quitting())
            return;
        const auto result = RemoveFile(trace.root, file);
        if (!result.removed() && result.error != platform::ErrorFileNotFound) {
            AppLog(QStringLiteral("cannot delete %1: error %2")
                       .arg(WindowsPathText(file))
                       .arg(result.error));
            failures.add(file, result.error);
        }
    }
}

void Work_Privacy::ReceiveCounts(int generation, const std::vector<Count>& batch) {
    if (generation != generation_)
        return;
    for (const Count& count : batch)
        traces_[count.trace].model->setCount(traces_[count.trace].row, count.records);
}

void Work_Privacy::UpdateTotals() {
    int found = 0;
    int selected = 0;
    GetRecordCounts(found, selected);
    foundSize.store(static_cast<std::uint64_t>(found));
    selectedSize.store(static_cast<std::uint64_t>(selected));
}

void Work_Privacy::WaitUntil(std::chrono::steady_clock::time_point deadline) const {
    // In short steps, so that quitting does not wait for the rest of it.
    constexpr auto step = std::chrono::milliseconds(20);
    while (!stopRequested.load() && !Quitting()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(step, deadline - now));
    }
}
