#include "Work_LargeFile.h"

#include "AppPaths.h"
#include "BatchSender.h"
#include "LM_LargeFilesItemModel.h"
#include "LM_LargeFilesModel.h"
#include "PathQString.h"
#include "RuleFiles.h"
#include "UserPrompt.h"
#include "WorkBroker.h"

#include <QDebug>
#include <QRegularExpression>
#include <QSettings>
#include <platform/Drives.h>
#include <platform/FileMover.h>

namespace {

// The folders of C: that hold the system and the programs: never offered for moving.
// Windows compares names without case, and old installations spell them differently.
const char* const systemFolders[] = {"Windows", "Program Files (x86)", "Program Files",
                                     "ProgramData", "Recovery"};

bool IsSystemFolderName(const fs::path& name) {
    const QString text = PathToQString(name);
    for (const char* folder : systemFolders) {
        if (text.compare(QLatin1String(folder), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool IsLexicallyBelow(const fs::path& root, const fs::path& file) {
    const fs::path relative = file.lexically_relative(root);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

Work_LargeFile* Work_LargeFile::GetInstance() {
    static Work_LargeFile* instance = nullptr;
    if (!instance)
        instance = new Work_LargeFile(RuleFiles::LoadLargeFileData());
    return instance;
}

Work_LargeFile::Work_LargeFile(const QJsonDocument& rules)
    : IWork(WorkKind::LargeFile),
      listModel_(
          new LM_LargeFilesModel(rules, [this](std::int64_t delta, FileListModel::Cause cause) {
              // Rows the scan lists or the move takes away are counted quietly: the page's
              // sentence is rewritten when the run ends, not for every batch.
              if (cause == FileListModel::Cause::User)
                  AddSelectedSize(delta);
              else
                  AdjustSelectedSize(delta);
          })) {
    walk_.setProgress(&progress);
    moveList_.setProgress(&progress);
    const std::vector<LargeFileGroup>& groups = listModel_->groups();
    for (std::size_t i = 0; i < groups.size(); ++i) {
        // A file whose extension two categories name belongs to the first.
        for (const QString& extension : groups[i].extensions)
            groupOfExtension_.emplace(extension.toStdString(), i);
    }
}

std::optional<std::size_t> Work_LargeFile::GroupOf(const fs::path& file) const {
    const fs::path extension = file.extension();
    if (extension.empty())
        return std::nullopt;
    // Bytes that are not text become U+FFFD and match nothing.
    const auto it = groupOfExtension_.find(PathToQString(extension).toLower().toStdString());
    if (it == groupOfExtension_.end())
        return std::nullopt;
    return it->second;
}

int Work_LargeFile::StartScan() {
    if (!MayStartRun())
        return 2;
    IWork::StartScan();
    ++scanGeneration_;
    listModel_->clearGroupFiles();
    identities_.clear();
    foundSize.store(0);
    selectedSize.store(0);
    stopRequested.store(false);
    systemRoot_ = FolderWalk::ResolveRoot(platform::Drives::toNativePath("C:\\"));
    walk_.reset();
    walk_.addRoot(systemRoot_, 0);
    walk_.setFolderFilter([root = systemRoot_](const fs::path& folder, std::size_t) {
        return !(folder.parent_path() == root && IsSystemFolderName(folder.filename()));
    });
    const int generation = scanGeneration_;
    StartWorkers(LargeFileScanFinished, [this, generation] { ScanLoop(generation); });
    return LargeFileScanning;
}

void Work_LargeFile::ScanLoop(int generation) {
    BatchSender<Found> sender(listModel_, [this, generation](std::vector<Found>& batch) {
        ReceiveFound(generation, batch);
    });
    FolderWalk::Visitor visitor;
    visitor.file = [&](const FolderWalk::File& file) {
        // The name first: most files are of no listed type and cost no system call.
        const std::optional<std::size_t> group = GroupOf(file.path());
        if (!group)
            return;
        const std::optional<platform::FileFacts> facts = file.facts();
        if (!facts || facts->size < minSize)
            return;
        Found found;
        found.group = *group;
        found.row.path = file.path();
        found.row.size = facts->size;
        found.row.modified = facts->modified;
        found.identity = file.identity();
        sender.add(std::move(found));
    };
    visitor.folderDone = [&] { sender.sendIfDue(); };
    walk_.work(visitor, stopRequested);
}

void Work_LargeFile::ReceiveFound(int generation, std::vector<Found>& batch) {
    if (generation != scanGeneration_)
        return;
    const std::vector<LargeFileGroup>& groups = listModel_->groups();
    std::vector<std::vector<FileRow>> rows(groups.size());
    std::vector<std::vector<std::optional<platform::FileIdentity>>> seen(groups.size());
    for (Found& found : batch) {
        const LargeFileGroup& group = groups[found.group];
        // The category's flag is read here, on the GUI thread where it changes.
        found.row.checked = group.checked;
        found.row.tag = group.id;
        foundSize.fetch_add(found.row.size);
        rows[found.group].push_back(std::move(found.row));
        seen[found.group].push_back(found.identity);
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (rows[g].empty())
            continue;
        LM_LargeFilesItemModel* files = groups[g].files;
        const int first = files->rows();
        listModel_->addFound(static_cast<int>(g), std::move(rows[g]));
        for (int row = first; row < files->rows(); ++row)
            identities_[files->at(row).id] = seen[g][static_cast<std::size_t>(row - first)];
    }
}

std::optional<fs::path> Work_LargeFile::ResolveDestination(const QString& folder) {
    const QString text = folder.trimmed();
    // "\name" is the root of whatever drive is current, "C:name" the current folder of C:.
    static const QRegularExpression driveRelative(QStringLiteral("^[A-Za-z]:(?![\\\\/])"));
    if (text.isEmpty() || (text.startsWith(QLatin1Char('\\')) && !text.startsWith("\\\\")) ||
        driveRelative.match(text).hasMatch())
        return std::nullopt;
    const fs::path native = platform::Drives::toNativePath(text.toStdString());
    if (native.empty() || !native.is_absolute())
        return std::nullopt;
    return native;
}

QString Work_LargeFile::DestinationSetting() const {
    return QSettings(AppPaths::current().configFile, QSettings::IniFormat)
        .value(QLatin1String(destinationSettingKey))
        .toString();
}

void Work_LargeFile::ShowMessage(const QString& text) {
    UserPrompt::warn(text);
}

bool Work_LargeFile::Confirm(const QString& text) {
    return UserPrompt::askYesNo(text);
}

std::uint32_t Work_LargeFile::MoveFile(const fs::path& source, const fs::path& destination,
                                       const std::atomic<bool>* cancel) const {
    return platform::FileMover::move(source, destination, cancel);
}

Work_LargeFile::Destination Work_LargeFile::CheckDestination(const QString& setting) const {
    Destination destination;
    const std::optional<fs::path> folder = ResolveDestination(setting);
    if (!folder) {
        destination.problem = Destination::Problem::NotComplete;
        return destination;
    }
    destination.folder = *folder;
    // The folder's volume is that of its nearest existing ancestor, so nothing needs to be
    // created to tell.
    std::error_code error;
    destination.existing = *folder;
    while (!fs::exists(fs::symlink_status(destination.existing, error)) &&
           destination.existing.has_relative_path())
        destination.existing = destination.existing.parent_path();
    if (!fs::is_directory(destination.existing, error)) {
        destination.problem = Destination::Problem::NoFolder;
        return destination;
    }
    // Drive letters say nothing: D: may be a folder on C:'s own disk.
    destination.sameVolume = platform::DriveBoundary(destination.existing).contains(systemRoot_);
    return destination;
}

std::optional<fs::path> Work_LargeFile::PrepareDestination(const QString& setting) {
    const Destination destination = CheckDestination(setting);
    if (destination.problem == Destination::Problem::NotComplete) {
        ShowMessage(QStringLiteral("搬家目标文件夹未设置或不是完整的路径(%1)，"
                                   "请点击“选择其它位置”重新选择。")
                        .arg(setting.trimmed().isEmpty() ? QStringLiteral("空") : setting));
        return std::nullopt;
    }
    const QString cannotCreate =
        QStringLiteral("无法创建搬家目标文件夹%1，请点击“选择其它位置”重新选择。").arg(setting);
    if (destination.problem == Destination::Problem::NoFolder) {
        ShowMessage(cannotCreate);
        return std::nullopt;
    }
    // The question comes before anything is created, so a declined move leaves no folder
    // behind.
    if (destination.sameVolume &&
        !Confirm(QStringLiteral("搬家目标文件夹%1与C盘在同一个磁盘分区上，移动文件不会释放C盘空间。"
                                "仍要移动吗？")
                     .arg(setting)))
        return std::nullopt;
    std::error_code error;
    fs::create_directories(destination.folder, error);
    if (!fs::is_directory(destination.folder, error)) {
        ShowMessage(cannotCreate);
        return std::nullopt;
    }
    return destination.folder;
}

int Work_LargeFile::StartClean() {
    const int started = StartMoveTo(DestinationSetting());
    return started == LargeFileMoving ? 1 : started;
}

int Work_LargeFile::StartMoveTo(const QString& setting) {
    if (listModel_->checkedCount() == 0) {
        ShowMessage(QStringLiteral("没有勾选任何文件!"));
        return 1;
    }
    // Nothing is reported for a refused move: the page would wait for an end that never comes.
    if (!MayStartRun())
        return 2;
    const std::optional<fs::path> folder = PrepareDestination(setting);
    if (!folder || !MayStartRun())
        return 1;
    IWork::StartClean();
    destination_ = *folder;
    destinationVolume_ = platform::DriveBoundary(destination_);
    moveList_.clear();
    moves_.clear();
    shortfall_.clear();
    const std::uint32_t root = moveList_.addRoot(systemRoot_);
    const std::vector<LargeFileGroup>& groups = listModel_->groups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        groups[g].files->forEachChecked([&](const FileRow& row) {
            const auto seen = identities_.find(row.id);
            moves_.push_back(
                Move{g, row.id, seen != identities_.end() ? seen->second : std::nullopt, row.size});
            moveList_.add(row.path, root, moves_.size() - 1);
        });
    }
    freedSize.store(0);
    StartWorkers(LargeFileMoveFinished, [this] { MoveLoop(); });
    return LargeFileMoving;
}

CleanList::RemoveResult Work_LargeFile::MoveOne(const fs::path& root,
                                                const CleanList::Target& target) const {
    const Move& move = moves_[target.row];
    if (!IsLexicallyBelow(root, target.file))
        return {0, platform::ErrorInvalidParameter};
    // Only the file the user ticked moves: not whatever took its name since the scan.
    const std::optional<platform::FileIdentity> now = platform::FileIdentity::read(target.file);
    if (!now || (move.identity && *now != *move.identity))
        return {0, platform::ErrorFileNotFound};
    // Only bytes that leave C:'s volume free anything there.
    const bool leavesVolume = !destinationVolume_.contains(target.file.parent_path());
    const std::uint32_t error =
        MoveFile(target.file, destination_ / target.file.filename(), &IWork::QuitFlag());
    return {error == platform::ErrorSuccess && leavesVolume ? move.size : 0, error};
}

void Work_LargeFile::MoveLoop() {
    // One file at a time: each move takes long enough for its row to go at once.
    BatchSender<Move> sender(
        listModel_, [this](std::vector<Move>& moved) { ReceiveMoved(moved); }, 1);
    moveList_.work([this](const fs::path& root, const CleanList::Target& target,
                          platform::ConfinedFileRemover&) { return MoveOne(root, target); },
                   [&](const CleanList::Target& target, const CleanList::RemoveResult& result) {
                       if (result.removed()) {
                           freedSize.fetch_add(result.freed);
                           sender.add(moves_[target.row]);
                           return;
                       }
                       shortfall_.add(target.row, target.file, result.error);
                       // The file the scan saw is gone, or another took its name.
                       if (result.error == platform::ErrorFileNotFound)
                           failures.add({target.file, QString(), ItemFailures::Reason::Changed, 0});
                       else
                           failures.add(target.file, result.error);
                       const fs::path to = destination_ / target.file.filename();
                       qDebug().noquote()
                           << QStringLiteral("LargeFile ==file move failed(source ") +
                                  WindowsPathText(target.file) + QStringLiteral(", destination ") +
                                  WindowsPathText(to) + QStringLiteral(") and win Error code is ") +
                                  QString::number(result.error);
                   });
}

void Work_LargeFile::ReceiveMoved(const std::vector<Move>& moved) {
    const std::vector<LargeFileGroup>& groups = listModel_->groups();
    for (const Move& move : moved) {
        groups[move.group].files->remove({move.rowId});
        identities_.erase(move.rowId);
    }
}

void Work_LargeFile::AddSelectedSize(std::int64_t delta) {
    IWork::AddSelectedSize(delta);
    if (workBroker)
        emit workBroker->OnLargeFileCheckedChanged();
}
