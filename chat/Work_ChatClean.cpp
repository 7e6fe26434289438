#include "Work_ChatClean.h"

#include "BatchSender.h"
#include "ChatCategory.h"
#include "LM_ChatFilesModel.h"
#include "LM_ChatListModel.h"
#include "PathQString.h"
#include "ReleaseOffThread.h"
#include "UserPrompt.h"

#include <QDebug>
#include <algorithm>
#include <platform/Drives.h>
#include <platform/FolderReader.h>
#include <platform/WinError.h>
#include <utility>

Work_ChatClean::Work_ChatClean(WorkKind kind) : IWork(kind) {
    showMessage = &UserPrompt::inform;
    walk_.setProgress(&progress);
    cleanList_.setProgress(&progress);
}

Work_ChatClean::~Work_ChatClean() = default;

void Work_ChatClean::Install(QString saveRoot, std::unique_ptr<LM_ChatListModel> model) {
    saveRoot_ = std::move(saveRoot);
    listModel_ = std::move(model);
}

void Work_ChatClean::AddAccount(const fs::path& name) {
    const auto known = std::find_if(accounts_.begin(), accounts_.end(),
                                    [&](const Account& account) { return account.name == name; });
    if (known != accounts_.end() || !listModel_)
        return;
    accounts_.push_back(Account{name, PathToQString(name)});
    listModel_->addAccount(accounts_.back().text);
}

FileListModel::SelectedChanged Work_ChatClean::SelectionSink() {
    return
        [this](std::int64_t delta, FileListModel::Cause cause) { SelectionChanged(delta, cause); };
}

std::vector<fs::path> Work_ChatClean::SubFolders(const fs::path& folder) {
    std::vector<fs::path> folders;
    if (!folder.is_absolute())
        return folders;
    platform::FolderReader reader(folder);
    fs::path child;
    platform::FolderReader::Kind kind;
    while (reader.next(child, kind)) {
        if (kind == platform::FolderReader::Kind::Folder)
            folders.push_back(child.filename());
    }
    return folders;
}

std::vector<Work_ChatClean::Folder> Work_ChatClean::BelowAccounts(const fs::path& base,
                                                                  const QString& relative) const {
    std::vector<Folder> folders;
    const fs::path below = platform::Drives::toNativePath(relative.toStdString());
    // An empty rule would stand for the whole account, and an absolute one would name the
    // same folder once per account.
    if (below.empty() || below.has_root_path() || base.empty())
        return folders;
    for (const Account& account : accounts_)
        folders.push_back(Folder{base / account.name / below, account.text});
    return folders;
}

bool Work_ChatClean::IsHeld(std::uint32_t error) {
    return error == platform::ErrorAccessDenied || error == platform::ErrorSharingViolation ||
           error == platform::ErrorWriteProtect;
}

CleanList::RemoveResult Work_ChatClean::RemoveFile(const fs::path& root, const NativePath& file,
                                                   platform::ConfinedFileRemover& remover) const {
    return remover.removeNext(root, file.native());
}

std::optional<platform::FileFacts> Work_ChatClean::ListedFacts(const FolderWalk::File& file) const {
    return file.facts();
}

int Work_ChatClean::StartScan() {
    if (!listModel_) {
        showMessage(NotFoundText());
        return 0;
    }
    if (accounts_.empty())
        return 0;
    if (!MayStartRun())
        return 2;
    IWork::StartScan();
    ++scanGeneration_;
    listModel_->clearGroupFiles();
    ReleaseOffThread(std::exchange(rowRoots_, {}));
    foundSize.store(0);
    selectedSize.store(0);
    stopRequested.store(false);
    walk_.reset();
    scanRoots_.clear();
    for (int row = 0; row < listModel_->categoryCount(); ++row) {
        for (const Folder& folder : ScanFolders(listModel_->category(row))) {
            // The category's folder may be reached through a link (moved to another
            // drive); nothing below it is followed.
            const fs::path root = FolderWalk::ResolveRoot(folder.native);
            if (root.empty())
                continue;
            walk_.addRoot(root, scanRoots_.size());
            scanRoots_.push_back(ScanRoot{static_cast<std::size_t>(row), folder.account, root});
        }
    }
    const int generation = scanGeneration_;
    StartWorkers(
        FinishedStatus(Kind(), RunKind::Scan), [this, generation] { ScanLoop(generation); },
        std::thread::hardware_concurrency(),
        [this] {
            // Queued after every batch: the views see the final sizes at once.
            QMetaObject::invokeMethod(
                listModel_.get(), [this] { listModel_->flushSizes(); }, Qt::QueuedConnection);
        });
    return StartedStatus(Kind(), RunKind::Scan);
}

int Work_ChatClean::CancelScan() {
    return 0;
}

int Work_ChatClean::StartClean() {
    if (!listModel_ || accounts_.empty())
        return 0;
    if (!MayStartRun())
        return 2;
    cleanList_.clear();
    // Clean roots in walk-tag order, so a row's scan root is its clean root too.
    for (const ScanRoot& root : scanRoots_)
        cleanList_.addRoot(root.root);
    std::size_t rows = 0;
    for (int row = 0; row < listModel_->categoryCount(); ++row)
        rows += static_cast<std::size_t>(listModel_->category(row).files->checkedCount());
    cleanList_.reserve(rows);
    for (int row = 0; row < listModel_->categoryCount(); ++row) {
        listModel_->category(row).files->forEachChecked([this](const FileRow& file) {
            const auto root = rowRoots_.find(file.id);
            if (root != rowRoots_.end())
                cleanList_.add(file.path, root->second, file.id);
        });
    }
    if (cleanList_.size() == 0 && PromptsWhenNothingTicked()) {
        showMessage(QStringLiteral("没有勾选要清理的项"));
        return 1;
    }
    IWork::StartClean();
    LogSelectedCount(cleanList_.size());
    freedSize.store(0);
    StartWorkers(
        FinishedStatus(Kind(), RunKind::Clean), [this] { CleanLoop(); },
        std::thread::hardware_concurrency(),
        [this] {
            // One call for every row to hide, after every removal.
            std::vector<std::uint64_t> hidden = cleanList_.takeHidden();
            qDebug().noquote() << "test" << LogName() << "delete tip -a and size" << hidden.size();
            QMetaObject::invokeMethod(
                listModel_.get(),
                [this, hidden] {
                    // Every file gone is off the page before the clean's end is told.
                    for (int c = 0; c < listModel_->categoryCount(); ++c)
                        listModel_->category(c).files->flushRemovals();
                    HideRows(hidden);
                },
                Qt::QueuedConnection);
        });
    return 0;
}

void Work_ChatClean::AddSelectedSize(std::int64_t delta) {
    IWork::AddSelectedSize(delta);
    EmitCheckedChanged();
}

void Work_ChatClean::SelectionChanged(std::int64_t delta, FileListModel::Cause cause) {
    // Rows the work adds, removes or hides are counted quietly: the page's sentence is
    // rewritten when the run ends, not for every batch.
    if (cause == FileListModel::Cause::User)
        AddSelectedSize(delta);
    else
        AdjustSelectedSize(delta);
}

void Work_ChatClean::ScanLoop(int generation) {
    BatchSender<Found> sender(listModel_.get(), [this, generation](std::vector<Found>& batch) {
        ReceiveFound(generation, batch);
    });
    FolderWalk::Visitor visitor;
    visitor.file = [&](const FolderWalk::File& file) {
        const std::optional<platform::FileFacts> facts = ListedFacts(file);
        if (!facts)
            return;
        workInfo.scannedBytes.fetch_add(facts->size);
        Found found;
        found.root = static_cast<std::uint32_t>(file.tag());
        found.row.path = file.path();
        found.row.size = facts->size;
        // The page's age choice reads it.
        found.row.modified = facts->modified;
        found.row.tag = scanRoots_[file.tag()].account;
        sender.add(std::move(found));
    };
    visitor.folderDone = [&] { sender.sendIfDue(); };
    walk_.work(visitor, stopRequested);
}

void Work_ChatClean::ReceiveFound(int generation, std::vector<Found>& batch) {
    if (generation != scanGeneration_)
        return;
    // One insertion per category and batch; the tick is the category's now, on the GUI
    // thread where it changes.
    const std::size_t categories = static_cast<std::size_t>(listModel_->categoryCount());
    std::vector<std::vector<FileRow>> rows(categories);
    std::vector<std::vector<std::uint32_t>> roots(categories);
    for (Found& found : batch) {
        const std::size_t category = scanRoots_[found.root].category;
        foundSize.fetch_add(found.row.size);
        found.row.checked = listModel_->category(static_cast<int>(category)).checked;
        rows[category].push_back(std::move(found.row));
        roots[category].push_back(found.root);
    }
    for (std::size_t c = 0; c < categories; ++c) {
        LM_ChatFilesModel& files = *listModel_->category(static_cast<int>(c)).files;
        const int first = files.rows();
        files.append(std::move(rows[c]));
        for (int row = first; row < files.rows(); ++row)
            rowRoots_[files.at(row).id] = roots[c][static_cast<std::size_t>(row - first)];
    }
}

void Work_ChatClean::CleanLoop() {
    BatchSender<Removed> sender(listModel_.get(),
                                [this](std::vector<Removed>& batch) { ReceiveRemoved(batch); });
    const CleanList::Action remove = [this](const fs::path& root, const CleanList::Target& target,
                                            platform::ConfinedFileRemover& remover) {
        return RemoveFile(root, target.file, remover);
    };
    cleanList_.work(remove,
                    [&](const CleanList::Target& target, const CleanList::RemoveResult& result) {
                        if (result.removed()) {
                            freedSize.fetch_add(result.freed);
                            sender.add(Removed{scanRoots_[target.root].category, target.row});
                            sender.sendIfDue();
                            return;
                        }
                        // A file already gone keeps its row; nothing was freed.
                        if (result.error == platform::ErrorFileNotFound)
                            return;
                        qDebug() << "remove failed and error code" << result.error;
                        failures.add(target.file, result.error);
                        if (HidesAfter(result.error))
                            cleanList_.hide(target.row);
                    });
}

void Work_ChatClean::ReceiveRemoved(const std::vector<Removed>& batch) {
    std::vector<std::vector<std::uint64_t>> rows(
        static_cast<std::size_t>(listModel_->categoryCount()));
    for (const Removed& removed : batch) {
        rows[removed.category].push_back(removed.row);
        rowRoots_.erase(removed.row);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].empty())
            listModel_->category(static_cast<int>(i)).files->removeSoon(rows[i]);
    }
}

void Work_ChatClean::HideRows(const std::vector<std::uint64_t>& rows) {
    std::vector<std::vector<std::uint64_t>> hidden(
        static_cast<std::size_t>(listModel_->categoryCount()));
    for (std::uint64_t id : rows) {
        const auto root = rowRoots_.find(id);
        if (root != rowRoots_.end()) // else gone with a new scan
            hidden[scanRoots_[root->second].category].push_back(id);
    }
    for (std::size_t c = 0; c < hidden.size(); ++c) {
        if (hidden[c].empty())
            continue;
        LM_ChatFilesModel& files = *listModel_->category(static_cast<int>(c)).files;
        for (std::uint64_t id : hidden[c]) {
            const int row = files.rowOf(id);
            if (row >= 0)
                qDebug().noquote()
                    << LogName() << "hide" << FileListModel::shownPath(files.at(row));
        }
        files.setVisible(hidden[c], false);
    }
}
