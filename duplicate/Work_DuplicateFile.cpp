#include "Work_DuplicateFile.h"

#include "BatchSender.h"
#include "ContentSplitter.h"
#include "FormatFileSize.h"
#include "LM_DuplicateFileListModel.h"
#include "LM_DuplicateFileListNode.h"
#include "LM_DuplicateFileListNodes.h"
#include "PathQString.h"
#include "RuleFiles.h"
#include "UserPrompt.h"

#include <QDebug>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <platform/Drives.h>
#include <platform/FileAttributes.h>
#include <set>
#include <tuple>

namespace {

// Folders of the system and of installed programs: their copies are not the user's to
// delete.
const QStringList& ExcludedFolders() {
    static const QStringList folders = {QStringLiteral("C:\\Windows"),
                                        QStringLiteral("C:\\Windows.old"),
                                        QStringLiteral("C:\\Program Files (x86)"),
                                        QStringLiteral("C:\\Program Files"),
                                        QStringLiteral("C:\\ProgramData"),
                                        QStringLiteral("C:\\$Recycle.Bin"),
                                        QStringLiteral("C:\\Recovery")};
    return folders;
}

// The extension with its dot, ASCII letters lowered: cameras write "IMG_0001.JPG".
std::string LowerExtension(const fs::path& file) {
    std::string ext = file.filename().extension().string();
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return ext;
}

bool SameFacts(const std::optional<platform::FileFacts>& now, const platform::FileFacts& then) {
    return now && now->size == then.size && now->modified == then.modified;
}

} // namespace

Work_DuplicateFile* Work_DuplicateFile::GetInstance() {
    static Work_DuplicateFile* instance = nullptr;
    if (!instance)
        instance = new Work_DuplicateFile(RuleFiles::LoadDuplicateFileData());
    return instance;
}

Work_DuplicateFile::Work_DuplicateFile(const QJsonDocument& rules)
    : IWork(WorkKind::DuplicateFile), showCritical(&UserPrompt::warn),
      typeModel_(new LM_DuplicateFileListModel(rules)), pathTimer_(new QTimer(typeModel_)) {
    pageModel = typeModel_;
    walk_.setProgress(&progress);
    cleanList_.setProgress(&progress);
    const auto& types = typeModel_->types();
    for (std::size_t t = 0; t < types.size(); ++t) {
        for (const std::string& ext : types[t].extensions)
            extensionTypes_[ext].push_back(static_cast<std::uint32_t>(t));
    }
    pathTimer_->setInterval(100);
    QObject::connect(pathTimer_, &QTimer::timeout, typeModel_, [this] {
        fs::path path;
        {
            std::lock_guard<std::mutex> lock(pathMutex_);
            if (!pathChanged_)
                return;
            pathChanged_ = false;
            path = currentPath_;
        }
        emit typeModel_->currentScanPathChange(WindowsPathText(path));
    });
}

Work_DuplicateFile::~Work_DuplicateFile() {
    // Batches still queued to the models are dropped with them.
    delete typeModel_;
}

int Work_DuplicateFile::ScanDrive(const QString& drive) {
    if (openRun_ != OpenRun::None || !MayStartRun())
        return 2;
    IWork::StartScan();
    ++generation_;
    stopScan_.store(false);
    auto stale = typeModel_->clearAll();
    emit typeModel_->scanStatusChanged(1);
    emit typeModel_->scanDriveChanged(drive);

    std::vector<std::string> roots;
    if (drive.startsWith(QLatin1Char('*'))) {
        for (const std::string& root : platform::Drives::logicalDriveRoots()) {
            if (platform::Drives::driveType(root) == platform::DriveType::Fixed)
                roots.push_back(root);
        }
    } else if (!drive.isEmpty()) {
        roots.push_back(drive.toStdString());
    }
    walk_.reset();
    scanRoots_.clear();
    {
        // No worker runs now; the lock orders these writes before the workers' reads.
        std::lock_guard<std::mutex> lock(queueMutex_);
        candidates_.clear();
        buckets_.clear();
        bucketsBuilt_ = false;
        staleGroups_.insert(staleGroups_.end(), std::make_move_iterator(stale.begin()),
                            std::make_move_iterator(stale.end()));
        for (const std::string& root : roots) {
            const fs::path resolved = FolderWalk::ResolveRoot(platform::Drives::toNativePath(root));
            if (resolved.empty())
                continue;
            walk_.addRoot(resolved, scanRoots_.size());
            scanRoots_.push_back(resolved);
        }
    }
    walk_.setFolderFilter(
        [this](const fs::path& folder, std::size_t) { return FolderWanted(folder); });
    nextBucket_.store(0);
    openRun_ = OpenRun::Scan;
    pathTimer_->start();
    const int generation = generation_;
    StartWorkers(
        DuplicateScanFinished, [this, generation] { ScanLoop(generation); },
        std::thread::hardware_concurrency(),
        [this, generation] {
            const bool stopped = stopScan_.load();
            {
                // Freed here rather than on the GUI thread: fifty thousand paths take a while.
                std::vector<Candidate> done;
                std::lock_guard<std::mutex> lock(queueMutex_);
                done.swap(candidates_);
                buckets_.clear();
            }
            // Queued after every batch of groups, so the totals count them all.
            QMetaObject::invokeMethod(
                typeModel_, [this, generation, stopped] { EndScan(generation, stopped); },
                Qt::QueuedConnection);
        });
    return 21;
}

int Work_DuplicateFile::StartScan() {
    return ScanDrive(QStringLiteral("C:\\")) == 21 ? 1 : 2;
}

int Work_DuplicateFile::CancelScan() {
    stopScan_.store(true);
    return 0;
}

void Work_DuplicateFile::RequestStop() {
    IWork::RequestStop();
    stopScan_.store(true);
}

bool Work_DuplicateFile::FolderWanted(const fs::path& folder) const {
    const std::optional<platform::FileAttributes> attributes =
        platform::FileAttributes::read(folder);
    if (attributes && (attributes->hidden || attributes->system))
        return false;
    const QString windows = WindowsPathText(folder);
    for (const QString& excluded : ExcludedFolders()) {
        if (windows.compare(excluded, Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

void Work_DuplicateFile::SetCurrentPath(const fs::path& path) {
    progress.setPlace(path);
    std::lock_guard<std::mutex> lock(pathMutex_);
    currentPath_ = path;
    pathChanged_ = true;
}

void Work_DuplicateFile::ScanLoop(int generation) {
    {
        std::vector<std::vector<LM_DuplicateFileListNodes::TCRC32Node>> stale;
        std::lock_guard<std::mutex> lock(queueMutex_);
        stale.swap(staleGroups_);
    }
    WalkFiles();
    {
        // Every worker's walk ends only once no folder is left and every folder's files
        // were handed over, so the first worker here sees all candidates.
        std::lock_guard<std::mutex> lock(queueMutex_);
        if (!bucketsBuilt_) {
            if (!stopScan_.load())
                BuildBuckets();
            bucketsBuilt_ = true;
        }
    }
    HashBuckets(generation);
}

void Work_DuplicateFile::WalkFiles() {
    std::vector<Candidate> found;
    fs::path last;
    FolderWalk::Visitor visitor;
    visitor.file = [&](const FolderWalk::File& file) {
        const auto types = extensionTypes_.find(LowerExtension(file.path()));
        if (types == extensionTypes_.end())
            return;
        const std::optional<platform::FileFacts> facts = file.facts();
        if (!facts || facts->size <= minimumSize || !file.readableSize())
            return;
        const std::optional<platform::FileIdentity> identity = file.identity();
        if (!identity)
            return;
        for (std::uint32_t type : types->second) {
            found.push_back(Candidate{file.path(), facts->size, facts->modified, *identity,
                                      static_cast<std::uint32_t>(file.tag()), type});
        }
        last = file.path();
    };
    visitor.folderDone = [&] {
        if (found.empty())
            return;
        SetCurrentPath(last);
        std::lock_guard<std::mutex> lock(queueMutex_);
        candidates_.insert(candidates_.end(), std::make_move_iterator(found.begin()),
                           std::make_move_iterator(found.end()));
        found.clear();
    };
    walk_.work(visitor, stopScan_);
}

void Work_DuplicateFile::BuildBuckets() {
    auto key = [](const Candidate& c) { return std::tie(c.type, c.size, c.identity, c.path); };
    std::sort(candidates_.begin(), candidates_.end(),
              [&](const Candidate& a, const Candidate& b) { return key(a) < key(b); });
    // One file reached twice (a hard link, a bind mount, two drives on one file system) is
    // one file: its first path stays.
    candidates_.erase(std::unique(candidates_.begin(), candidates_.end(),
                                  [](const Candidate& a, const Candidate& b) {
                                      return a.type == b.type && a.identity == b.identity;
                                  }),
                      candidates_.end());
    // Copies are listed in path order.
    std::sort(candidates_.begin(), candidates_.end(), [](const Candidate& a, const Candidate& b) {
        return std::tie(a.type, a.size, a.path) < std::tie(b.type, b.size, b.path);
    });
    for (std::size_t first = 0; first < candidates_.size();) {
        std::size_t end = first + 1;
        while (end < candidates_.size() && candidates_[end].type == candidates_[first].type &&
               candidates_[end].size == candidates_[first].size)
            ++end;
        if (end - first >= 2)
            buckets_.push_back(Bucket{first, end - first});
        first = end;
    }
    // Largest files first: the long reads start early and the page shows the groups that
    // free the most.
    std::stable_sort(buckets_.begin(), buckets_.end(), [this](const Bucket& a, const Bucket& b) {
        return candidates_[a.first].size > candidates_[b.first].size;
    });
}

void Work_DuplicateFile::HashBuckets(int generation) {
    BatchSender<DuplicateGroup> sender(
        typeModel_,
        [this, generation](std::vector<DuplicateGroup>& batch) {
            if (generation == generation_)
                typeModel_->addGroups(batch);
        },
        256);
    ContentSplitter splitter;
    // Such a file joins no group: the log says why (too many open files, access denied).
    splitter.setOpenFailed([](const fs::path& file, const std::error_code& error) {
        qWarning().noquote() << "cannot read" << WindowsPathText(file)
                             << "to compare it:" << QString::fromStdString(error.message());
    });
    std::vector<fs::path> paths;
    for (std::size_t i = nextBucket_.fetch_add(1); i < buckets_.size() && !stopScan_.load();
         i = nextBucket_.fetch_add(1)) {
        const Bucket& bucket = buckets_[i];
        paths.clear();
        for (std::size_t k = 0; k < bucket.count; ++k)
            paths.push_back(candidates_[bucket.first + k].path);
        SetCurrentPath(paths.front());
        BeforeReading();
        try {
            const Candidate& first = candidates_[bucket.first];
            for (const ContentSplitter::Copies& copies :
                 splitter.split(paths, first.size, stopScan_)) {
                DuplicateGroup group{first.type, copies.crc, {}};
                for (std::size_t k : copies.files) {
                    const Candidate& file = candidates_[bucket.first + k];
                    FileRow row;
                    row.path = file.path;
                    row.size = file.size;
                    row.modified = file.modified;
                    group.files.push_back(DuplicateFile{std::move(row), file.identity, file.root});
                }
                sender.add(std::move(group));
            }
        } catch (...) {
            // Out of memory or a stream failure: this bucket is passed over, the scan goes on.
        }
        sender.sendIfDue();
    }
}

void Work_DuplicateFile::EndScan(int generation, bool stopped) {
    if (generation != generation_)
        return;
    pathTimer_->stop();
    emit typeModel_->scanStatusChanged(stopped ? 3 : 4);
    int groups = 0;
    std::uint64_t bytes = 0;
    int checked = 0;
    typeModel_->collectTotals(groups, bytes, checked);
    typeModel_->sendTableInfo();
    emit typeModel_->scanFinishedInfo(groups, FormatFileSize(bytes), checked);
    openRun_ = OpenRun::None;
}

int Work_DuplicateFile::KeepOneCopyPerGroup() {
    int kept = 0;
    for (const auto& type : typeModel_->types()) {
        LM_DuplicateFileListNode* table = type.allTable;
        std::unordered_map<std::int32_t, bool> survives;
        std::unordered_map<std::int32_t, int> firstTicked;
        for (int row = 0; row < table->rows(); ++row) {
            const FileRow& file = table->at(row);
            if (!file.visible)
                continue;
            if (!file.checked)
                survives[file.group] = true;
            else
                firstTicked.emplace(file.group, row);
        }
        for (const auto& [group, row] : firstTicked) {
            if (!survives[group]) {
                table->setRowChecked(row, false);
                ++kept;
            }
        }
    }
    return kept;
}

int Work_DuplicateFile::StartClean() {
    if (openRun_ != OpenRun::None || !MayStartRun())
        return 2;
    const int kept = KeepOneCopyPerGroup();
    cleanList_.clear();
    expected_.clear();
    for (const fs::path& root : scanRoots_)
        cleanList_.addRoot(root);
    // The first shown, unticked copy of each group stays, per type. A file may be listed
    // under several types (an extension in two of them): one that stays for a group with a
    // copy to delete is deleted under no type, or two types could each delete the copy
    // the other keeps.
    std::vector<std::unordered_map<std::int32_t, int>> keepers(typeModel_->types().size());
    std::set<platform::FileIdentity> staying;
    for (std::size_t t = 0; t < keepers.size(); ++t) {
        LM_DuplicateFileListNode* table = typeModel_->types()[t].allTable;
        std::set<std::int32_t> deleting;
        for (int row = 0; row < table->rows(); ++row) {
            const FileRow& file = table->at(row);
            if (!file.visible)
                continue;
            if (file.checked)
                deleting.insert(file.group);
            else
                keepers[t].emplace(file.group, row);
        }
        for (const auto& [group, row] : keepers[t]) {
            const auto origin = table->origin(table->at(row).id);
            if (origin && deleting.count(group) > 0)
                staying.insert(origin->identity);
        }
    }
    int stayingElsewhere = 0;
    for (std::size_t t = 0; t < keepers.size(); ++t) {
        LM_DuplicateFileListNode* table = typeModel_->types()[t].allTable;
        for (int row = table->rows() - 1; row >= 0; --row) {
            const FileRow& file = table->at(row);
            const auto keeper = keepers[t].find(file.group);
            const auto origin = table->origin(file.id);
            if (!file.checked || !file.visible || keeper == keepers[t].end() || !origin ||
                origin->root >= scanRoots_.size())
                continue;
            if (staying.count(origin->identity) > 0) {
                ++stayingElsewhere;
                continue;
            }
            const FileRow& stays = table->at(keeper->second);
            const auto staysOrigin = table->origin(stays.id);
            if (!staysOrigin)
                continue;
            expected_[file.id] = Expected{{file.size, file.modified},
                                          origin->identity,
                                          stays.path,
                                          {stays.size, stays.modified},
                                          staysOrigin->identity};
            cleanList_.add(file.path, origin->root, file.id);
        }
    }
    if (kept > 0) {
        emit typeModel_->popMsgTip(
            QStringLiteral("每组重复文件至少保留一份：已为%1组保留排在最前的文件，它不会被删除。")
                .arg(kept));
    }
    if (stayingElsewhere > 0) {
        emit typeModel_->popMsgTip(
            QStringLiteral("有%1个勾选的文件在另一类型中是要保留的那一份，为安全起见没有删除。")
                .arg(stayingElsewhere));
    }
    if (cleanList_.size() == 0) {
        if (kept == 0 && stayingElsewhere == 0 && showCritical)
            showCritical(QStringLiteral("没有勾选任何文件!"));
        return 1;
    }
    IWork::StartClean();
    freedSize.store(0);
    changedFiles_.store(0);
    differingFiles_.store(0);
    emit typeModel_->scanStatusChanged(5);
    openRun_ = OpenRun::Clean;
    pathTimer_->start();
    StartWorkers(
        DuplicateCleanFinished, [this] { CleanLoop(); }, std::thread::hardware_concurrency(),
        [this] {
            QMetaObject::invokeMethod(
                typeModel_, [this] { EndClean(); }, Qt::QueuedConnection);
        });
    return 0;
}

bool Work_DuplicateFile::Unchanged(const CleanList::Target& target) const {
    const auto it = expected_.find(target.row);
    if (it == expected_.end())
        return false;
    const Expected& expected = it->second;
    return SameFacts(platform::FileFacts::read(target.file), expected.facts) &&
           platform::FileIdentity::read(target.file) == expected.identity &&
           SameFacts(platform::FileFacts::read(expected.keeper), expected.keeperFacts) &&
           platform::FileIdentity::read(expected.keeper) == expected.keeperIdentity;
}

bool Work_DuplicateFile::SameBytes(ContentSplitter& splitter,
                                   const CleanList::Target& target) const {
    const auto it = expected_.find(target.row);
    if (it == expected_.end())
        return false;
    const Expected& expected = it->second;
    const std::vector<ContentSplitter::Copies> copies =
        splitter.split({target.file, expected.keeper}, expected.facts.size, QuitFlag());
    return copies.size() == 1 && copies.front().files.size() == 2;
}

void Work_DuplicateFile::CleanLoop() {
    // One per worker: it keeps its read buffers from one file to the next.
    ContentSplitter splitter;
    splitter.setOpenFailed([](const fs::path& file, const std::error_code& error) {
        qWarning().noquote() << "cannot read" << WindowsPathText(file)
                             << "to compare it before deleting:"
                             << QString::fromStdString(error.message());
    });
    BatchSender<std::uint64_t> removed(
        typeModel_, [this](std::vector<std::uint64_t>& ids) { ReceiveRemoved(ids); });
    cleanList_.work(
        [&](const CleanList::Target& target, const CleanList::RemoveResult& result) {
            if (result.removed()) {
                freedSize.fetch_add(result.freed);
                removed.add(target.row);
                removed.sendIfDue();
                return;
            }
            qDebug().noquote() << "remove failed and error code" << result.error
                               << WindowsPathText(target.file);
            failures.add(target.file, result.error);
            // The page cannot delete it, so it stops offering it.
            if (result.error == platform::ErrorAccessDenied)
                cleanList_.hide(target.row);
        },
        [this, &splitter](const CleanList::Target& target) {
            SetCurrentPath(target.file);
            if (!Unchanged(target)) {
                changedFiles_.fetch_add(1);
                failures.add({target.file, QString(), ItemFailures::Reason::Changed, 0});
                return false;
            }
            // Size and time say nothing of an edit that kept both: the bytes decide.
            if (!SameBytes(splitter, target)) {
                differingFiles_.fetch_add(1);
                failures.add({target.file, QString(), ItemFailures::Reason::Differs, 0});
                return false;
            }
            return true;
        });
}

void Work_DuplicateFile::ReceiveRemoved(const std::vector<std::uint64_t>& ids) {
    for (const auto& type : typeModel_->types()) {
        if (type.allTable->remove(ids) > 0)
            type.allTable->sendCheckedCountChanged();
    }
}

void Work_DuplicateFile::EndClean() {
    pathTimer_->stop();
    const std::vector<std::uint64_t> hidden = cleanList_.takeHidden();
    for (const auto& type : typeModel_->types())
        type.allTable->hide(hidden);
    expected_.clear();
    emit typeModel_->scanStatusChanged(6);
    typeModel_->sendTableInfo();
    // One tip: the page shows the last one it is given.
    QStringList refused;
    if (const int changed = changedFiles_.load(); changed > 0) {
        refused << QStringLiteral(
                       "有%1个文件在扫描后被改动、移走或其保留的副本已变化，为安全起见没有删除。")
                       .arg(changed);
    }
    if (const int differing = differingFiles_.load(); differing > 0) {
        refused << QStringLiteral("有%1个文件的内容与保留的副本已不相同或无法读取，为安全起见没有"
                                  "删除。")
                       .arg(differing);
    }
    if (!refused.isEmpty())
        emit typeModel_->popMsgTip(refused.join(QLatin1Char('\n')));
    openRun_ = OpenRun::None;
}
