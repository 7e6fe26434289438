#include "Work_UninstallSoft.h"

#include "BatchSender.h"
#include "FolderWalk.h"
#include "IconFile.h"
#include "LM_SoftWareInfoModel.h"
#include "UninstallCommand.h"
#include "UninstallKeys.h"

#include <QDateTime>
#include <QDebug>
#include <QRegularExpression>
#include <platform/Drives.h>
#include <platform/ProfileEnvironment.h>
#include <platform/Shell.h>

namespace {

// The work has no status block and no status callback, so the pool's finished report
// goes nowhere; the page hears of the end through the model instead.
constexpr IWork::WorkStatus unreported = IWork::Cancelled;

bool namesProgram(const UninstallKeys::Entry& entry) {
    return entry.hasDisplayIcon &&
           (entry.displayIcon.isEmpty() ||
            entry.displayIcon.indexOf(QLatin1String(".exe"), 1, Qt::CaseInsensitive) > 0);
}

// A folder given in Windows form, as "C:\A\B": blanks and quotes gone, single backslashes,
// "." dropped. Empty for a name without a drive, a bare drive or drive root, and one that
// climbs with "..".
QString FolderBelowDrive(const QString& folder) {
    QString text = folder.trimmed();
    text.remove(QLatin1Char('"'));
    static const QRegularExpression drivePath(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    if (!drivePath.match(text).hasMatch())
        return {};
    QStringList parts = text.mid(3).split(separators, Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    if (parts.isEmpty() || parts.contains(QStringLiteral("..")))
        return {};
    return text.left(2) + QLatin1Char('\\') + parts.join(QLatin1Char('\\'));
}

// The Windows folder in the same form: %SystemRoot%, else %windir%, else C:\Windows.
QString WindowsFolder() {
    for (const char* name : {"SystemRoot", "windir"}) {
        if (const auto value = platform::ProfileEnvironment::get(name)) {
            const QString folder = FolderBelowDrive(QString::fromStdString(*value));
            if (!folder.isEmpty())
                return folder;
        }
    }
    return QStringLiteral("C:\\Windows");
}

// Windows names are case-blind: C:\WINDOWS\system32 lies in C:\Windows.
bool InWindowsFolder(const QString& folder) {
    const QString windows = WindowsFolder();
    return folder.compare(windows, Qt::CaseInsensitive) == 0 ||
           folder.startsWith(windows + QLatin1Char('\\'), Qt::CaseInsensitive);
}

} // namespace

// Builds the record of one program: its date and the size of its folder. Runs on the
// inventory worker; the folder walk may take a while.
TSoftwareInfo Work_UninstallSoft::RecordOf(const UninstallKeys::Entry& entry) {
    TSoftwareInfo record;
    record.iconPath = entry.displayIcon;
    record.softName = entry.displayName;
    record.isIcon = !namesProgram(entry);
    record.uninstString = entry.uninstallString;
    QString dateText = entry.installDate.trimmed();
    if (dateText.isEmpty()) {
        dateText = IconFile::dateText(entry.displayIcon);
        if (!dateText.isEmpty())
            qDebug() << "get date from path " << entry.displayIcon << " date " << dateText;
    }
    record.installDate = QDate::fromString(dateText, QStringLiteral("yyyyMMdd"));
    qDebug() << " icon " << entry.displayIcon << "name" << entry.displayName;
    // The folder of the uninstaller first; for "MsiExec.exe /X{...}", or an uninstaller in
    // the Windows folder or at a drive's root, the install folder.
    record.size = MeasureFolder(UninstallCommand::Split(entry.uninstallString).folder());
    if (record.size == 0)
        record.size = MeasureFolder(entry.installLocation);
    qDebug() << "name" << entry.displayName << " regSize" << entry.estimatedSize
             << "Floder SoftSize " << record.size;
    return record;
}

Work_UninstallSoft* Work_UninstallSoft::GetInstance() {
    static Work_UninstallSoft* instance = nullptr;
    if (!instance)
        instance = new Work_UninstallSoft;
    return instance;
}

Work_UninstallSoft::Work_UninstallSoft()
    : IWork(WorkKind::Other), model_(new LM_SoftWareInfoModel) {
    pageModel = model_;
}

Work_UninstallSoft::~Work_UninstallSoft() {
    delete model_;
}

int Work_UninstallSoft::StartScan() {
    if (Quitting() || scanning_)
        return 2;
    {
        // A new list would drop the rows the uninstall loop reports on.
        std::lock_guard<std::mutex> lock(queueMutex);
        if (uninstalling_)
            return 2;
    }
    scanning_ = true;
    workInfo.scannedBytes.store(0);
    stopRequested.store(false);
    model_->clear();
    model_->sendScanStatusChanged(2);
    StartSingleWorker(
        unreported, [this] { InventoryLoop(); },
        [this] {
            // Queued behind the last batch, so the list is complete when it runs.
            QMetaObject::invokeMethod(
                model_, [this] { FinishScan(); }, Qt::QueuedConnection);
        });
    return 1;
}

int Work_UninstallSoft::CancelScan() {
    return 31;
}

void Work_UninstallSoft::InventoryLoop() {
    BatchSender<TSoftwareInfo> sender(model_, [model = model_](std::vector<TSoftwareInfo>& batch) {
        model->appendRecords(std::move(batch));
    });
    const UninstallKeys::Counts counts = UninstallKeys::read(
        [&](const UninstallKeys::Entry& entry) {
            sender.add(RecordOf(entry));
            sender.sendIfDue();
        },
        stopRequested);
    sender.send();
    qDebug() << "DATA READ enumRegCount appendCount" << counts.read << " " << counts.listed;
    qDebug() << "SoftWreListModel thread end " << QDateTime::currentDateTime();
}

void Work_UninstallSoft::FinishScan() {
    model_->SortAscendingFirst();
    int count = 0;
    int checked = 0;
    QString size;
    model_->collectTotals(count, size, checked);
    scanning_ = false;
    model_->sendScanFinishedInfo(count, size, checked);
    model_->sendScanStatusChanged(3);
}

int Work_UninstallSoft::StartClean() {
    if (Quitting() || scanning_) {
        // A tick left behind would ride along with the next confirmed uninstall, which
        // the user agreed to for other programs only.
        model_->uncheckAll();
        return 2;
    }
    // Taken before the lock: unticking tells the views, and no slot runs under it.
    std::vector<LM_SoftWareInfoModel::Ticked> picked = model_->takeChecked();
    bool start = false;
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        for (LM_SoftWareInfoModel::Ticked& ticked : picked) {
            if (claimed_.insert(ticked.id).second)
                uninstallQueue.push_back({ticked.id, std::move(ticked.uninstString)});
        }
        start = !uninstalling_ && !uninstallQueue.empty();
        uninstalling_ = uninstalling_ || start;
    }
    workInfo.scannedBytes.store(0);
    qDebug() << "SoftWreListModel unistall start ";
    if (start) {
        stopRequested.store(false);
        progress.reset();
        failures.clear();
        model_->setUninstalling(true);
        const auto ended = [this] {
            // Queued after the loop's last outcome. Another loop may have started since.
            QMetaObject::invokeMethod(
                model_,
                [this] {
                    bool running = false;
                    {
                        std::lock_guard<std::mutex> lock(queueMutex);
                        running = uninstalling_;
                    }
                    model_->setUninstalling(running);
                },
                Qt::QueuedConnection);
        };
        if (StartSingleWorker(
                unreported, [this] { UninstallLoop(); }, ended) == 0) {
            // No worker: nothing starts, so nothing stays claimed.
            std::lock_guard<std::mutex> lock(queueMutex);
            ReleaseQueue();
        }
    }
    qDebug() << "SoftWreListModel unistall END ";
    return 32;
}

bool Work_UninstallSoft::TakeNext(Pending& next) {
    std::lock_guard<std::mutex> lock(queueMutex);
    // Once the program quits nothing more starts.
    if (uninstallQueue.empty() || Quitting() || stopRequested.load()) {
        ReleaseQueue();
        return false;
    }
    next = std::move(uninstallQueue.front());
    uninstallQueue.pop_front();
    return true;
}

void Work_UninstallSoft::ReleaseQueue() {
    for (const Pending& pending : uninstallQueue)
        claimed_.erase(pending.id);
    uninstallQueue.clear();
    uninstalling_ = false;
}

void Work_UninstallSoft::UninstallLoop() {
    Pending next;
    while (TakeNext(next)) {
        bool started = false;
        try {
            started = Uninstall(next.uninstString);
        } catch (...) {
            // Counts as not started: the row stays.
        }
        if (started)
            progress.addDone(1);
        else
            failures.add({{}, next.uninstString, ItemFailures::Reason::NotStarted, 0});
        QMetaObject::invokeMethod(
            model_, [this, id = next.id, started] { FinishUninstall(id, started); },
            Qt::QueuedConnection);
    }
}

bool Work_UninstallSoft::Uninstall(const QString& uninstString) {
    const UninstallCommand command = UninstallCommand::Split(uninstString);
    qDebug() << "unistall cmd PATH IS" << command.program();
    qDebug() << "unistall cmd params IS" << command.parameters();
    const bool started =
        !command.program().isEmpty() && StartProgram(command.program(), command.parameters());
    if (started)
        qDebug().noquote() << "unistall cmd ShellExecute return (true=success) true \n and cmd is"
                           << uninstString;
    else
        qWarning().noquote()
            << "unistall cmd ShellExecute return (true=success) false \n and cmd is"
            << uninstString;
    return started;
}

void Work_UninstallSoft::FinishUninstall(std::uint64_t id, bool started) {
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        claimed_.erase(id);
    }
    // A program that did not start keeps its row, unticked since it was queued.
    if (started)
        model_->RemoveItem(id);
}

std::uint64_t Work_UninstallSoft::MeasureFolder(const QString& folder) {
    return CalcSoftSize(folder, stopRequested);
}

bool Work_UninstallSoft::StartProgram(const QString& program, const QString& parameters) {
    return platform::Shell::open(program.toStdString(), parameters.toStdString());
}

std::uint64_t Work_UninstallSoft::CalcSoftSize(const QString& folder,
                                               const std::atomic<bool>& stop) {
    qDebug() << "CalcSoftSize==uninstString " << folder;
    // A drive root would measure the drive, and the Windows folder (msiexec.exe and
    // rundll32.exe live there) the system: neither is a program's size.
    const QString below = FolderBelowDrive(folder);
    if (below.isEmpty() || InWindowsFolder(below)) {
        qDebug() << "CalcSoftSize==Floder SoftSize " << 0;
        return 0;
    }
    FolderWalk walk;
    walk.addRoot(FolderWalk::ResolveRoot(platform::Drives::toNativePath(below.toStdString())), 0);
    std::uint64_t bytes = 0;
    FolderWalk::Visitor visitor;
    visitor.file = [&bytes](const FolderWalk::File& file) {
        if (const auto facts = file.facts())
            bytes += facts->size;
    };
    walk.work(visitor, stop);
    qDebug() << "CalcSoftSize==Floder SoftSize " << bytes;
    return bytes;
}
