#include "Work_ChatClean.h"

#include "BatchSender.h"
#include "ChatCategory.h"
#include "LM_ChatFilesModel.h"
#include "LM_ChatListModel.h"
#include "PathQString.h"
#include "UserPrompt.h"

#include <QDebug>
#include <algorithm>
#include <platform/Drives.h>
#include <platform/FolderReader.h>
#include <platform/WinError.h>

namespace {

// Marks the work's own changes of the rows for as long as it lives.
class Delivering {
public:
    explicit Delivering(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~Delivering() { flag_ = before_; }
    Delivering(const Delivering&) = delete;
    Delivering& operator=(const Delivering&) = delete;

private:
    bool& flag_;
    bool before_;
};

// Whether `file` lies below `folder`, by their names alone.
bool IsBelow(const fs::path& file, const fs::path& folder) {
    auto f = file.begin();
    for (auto part = folder.begin(); part != folder.end(); ++part, ++f) {
        if (part->empty())
            continue; // a trailing separator
        if (f == file.end() || *f != *part)
            return false;
    }
    return f != file.end();
}

} // namespace

Work_ChatClean::Work_ChatClean(WorkKind kind) : IWork(kind) {
    showMessage = &UserPrompt::inform;
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

std::function<void(std::int64_t)> Work_ChatClean::SelectionSink() {
    return [this](std::int64_t delta) { SelectionChanged(delta); };
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
    // An empty rule would stand for the whole account.
    if (below.empty() || base.empty())
        return folders;
    for (const Account& account : accounts_)
        folders.push_back(Folder{base / account.name / below, account.text});
    return folders;
}

bool Work_ChatClean::IsHeld(std::uint32_t error) {
    return error == platform::ErrorAccessDenied || error == platform::ErrorSharingViolation ||
           error == platform::ErrorWriteProtect;
}

std::optional<std::uint64_t> Work_ChatClean::ListedSize(const FolderWalk::File& file) const {
    const std::optional<platform::FileFacts> facts = file.facts();
    if (!facts)
        return std::nullopt;
    return facts->size;
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
    {
        Delivering delivering(delivering_);
        listModel_->clearGroupFiles();
    }
    foundSize.store(0);
    selectedSize.store(0);
    stopRequested.store(false);
    walk_.reset();
    scanRoots_.clear();
    for (int row = 0; row < listModel_->categoryCount(); ++row) {
        ChatCategory& category = listModel_->category(row);
        category.roots.clear();
        for (const Folder& folder : ScanFolders(category)) {
            // The category's folder may be reached through a link (moved to another
            // drive); nothing below it is followed.
            const fs::path root = FolderWalk::ResolveRoot(folder.native);
            if (root.empty())
                continue;
            category.roots.push_back(root);
            walk_.addRoot(root, scanRoots_.size());
            scanRoots_.push_back(ScanRoot{static_cast<std::size_t>(row), folder.account});
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
    cleanRootCategory_.clear();
    for (int row = 0; row < listModel_->categoryCount(); ++row) {
        const ChatCategory& category = listModel_->category(row);
        const std::uint32_t firstRoot = static_cast<std::uint32_t>(cleanRootCategory_.size());
        for (const fs::path& root : category.roots) {
            cleanList_.addRoot(root);
            cleanRootCategory_.push_back(static_cast<std::size_t>(row));
        }
        const LM_ChatFilesModel& files = *category.files;
        for (int i = 0; i < files.rows(); ++i) {
            const FileRow& file = files.at(i);
            // A hidden row is not part of what the page says is selected.
            if (!file.checked || !file.visible)
                continue;
            for (std::size_t r = 0; r < category.roots.size(); ++r) {
                if (IsBelow(file.path, category.roots[r])) {
                    cleanList_.add(file.path, firstRoot + static_cast<std::uint32_t>(r), file.id);
                    break;
                }
            }
        }
    }
    if (cleanList_.size() == 0 && PromptsWhenNothingTicked()) {
        showMessage(QStringLiteral("没有勾选要清理的项"));
        return 1;
    }
    IWork::StartClean();
    qInfo().noquote() << "user select" << LogName() << "files count is" << cleanList_.size();
    freedSize.store(0);
    StartWorkers(
        FinishedStatus(Kind(), RunKind::Clean), [this] { CleanLoop(); },
        std::thread::hardware_concurrency(),
        [this] {
            // One call for every row to hide, after every removal.
            std::vector<std::uint64_t> hidden = cleanList_.takeHidden();
            qDebug().noquote() << "test" << LogName() << "delete tip -a and size" << hidden.size();
            QMetaObject::invokeMethod(
                listModel_.get(), [this, hidden] { HideRows(hidden); }, Qt::QueuedConnection);
        });
    return 0;
}

void Work_ChatClean::AddSelectedSize(std::int64_t delta) {
    IWork::AddSelectedSize(delta);
    EmitCheckedChanged();
}

void Work_ChatClean::SelectionChanged(std::int64_t delta) {
    if (delivering_)
        AdjustSelectedSize(delta);
    else
        AddSelectedSize(delta);
}

void Work_ChatClean::ScanLoop(int generation) {
    BatchSender<Found> sender(listModel_.get(), [this, generation](std::vector<Found>& batch) {
        ReceiveFound(generation, batch);
    });
    FolderWalk::Visitor visitor;
    visitor.file = [&](const FolderWalk::File& file) {
        const std::optional<std::uint64_t> size = ListedSize(file);
        if (!size)
            return;
        const ScanRoot& root = scanRoots_[file.tag()];
        workInfo.scannedBytes.fetch_add(*size);
        Found found;
        found.category = root.category;
        found.row.path = file.path();
        found.row.size = *size;
        found.row.tag = root.account;
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
    std::vector<std::vector<FileRow>> rows(static_cast<std::size_t>(listModel_->categoryCount()));
    for (Found& found : batch) {
        foundSize.fetch_add(found.row.size);
        found.row.checked = listModel_->category(static_cast<int>(found.category)).checked;
        rows[found.category].push_back(std::move(found.row));
    }
    Delivering delivering(delivering_);
    for (std::size_t i = 0; i < rows.size(); ++i)
        listModel_->category(static_cast<int>(i)).files->append(std::move(rows[i]));
}

void Work_ChatClean::CleanLoop() {
    BatchSender<Removed> sender(listModel_.get(),
                                [this](std::vector<Removed>& batch) { ReceiveRemoved(batch); });
    cleanList_.work([&](const CleanList::Target& target, const CleanList::RemoveResult& result) {
        if (result.removed()) {
            freedSize.fetch_add(result.freed);
            sender.add(Removed{cleanRootCategory_[target.root], target.row});
            sender.sendIfDue();
            return;
        }
        // A file already gone keeps its row; nothing was freed.
        if (result.error == platform::ErrorFileNotFound)
            return;
        qDebug() << "remove failed and error code" << result.error;
        if (HidesAfter(result.error))
            cleanList_.hide(target.row);
    });
}

void Work_ChatClean::ReceiveRemoved(const std::vector<Removed>& batch) {
    std::vector<std::vector<std::uint64_t>> rows(
        static_cast<std::size_t>(listModel_->categoryCount()));
    for (const Removed& removed : batch)
        rows[removed.category].push_back(removed.row);
    Delivering delivering(delivering_);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].empty())
            listModel_->category(static_cast<int>(i)).files->remove(rows[i]);
    }
}

void Work_ChatClean::HideRows(const std::vector<std::uint64_t>& rows) {
    Delivering delivering(delivering_);
    for (int c = 0; c < listModel_->categoryCount(); ++c) {
        LM_ChatFilesModel& files = *listModel_->category(c).files;
        for (std::uint64_t id : rows) {
            const int row = files.rowOf(id);
            if (row < 0)
                continue; // gone with a new scan
            qDebug().noquote() << LogName() << "hide"
                               << QString::fromStdString(
                                      platform::Drives::toWindowsPath(files.at(row).path));
            files.setItemVisible(row, false);
        }
    }
}
