#include "Work_DuplicateFileHost.h"

#include "FormatFileSize.h"
#include "LM_DuplicateFileListModel.h"
#include "LM_DuplicateFileListNode.h"
#include "UserPrompt.h"
#include "Work_DuplicateFile.h"

#include <QDebug>
#include <QJsonObject>
#include <platform/Drives.h>

namespace {

QJsonObject DriveObject(const QString& name, std::uint64_t total, std::uint64_t free) {
    return {{QStringLiteral("name"), name},
            {QStringLiteral("total"), FormatFileSize(total, true)},
            {QStringLiteral("free"), FormatFileSize(free, true)},
            {QStringLiteral("totalBytes"), static_cast<double>(total)},
            {QStringLiteral("freeBytes"), static_cast<double>(free)}};
}

} // namespace

Work_DuplicateFileHost::Work_DuplicateFileHost(Work_DuplicateFile& work, QObject* parent)
    : QObject(parent), askYesNo(&UserPrompt::askYesNo), work_(work) {}

QJsonArray Work_DuplicateFileHost::GetDrives() {
    if (!drives_.isEmpty())
        return drives_;
    std::uint64_t total = 0;
    std::uint64_t free = 0;
    for (const std::string& root : platform::Drives::logicalDriveRoots()) {
        if (platform::Drives::driveType(root) != platform::DriveType::Fixed)
            continue;
        const QString name = QString::fromStdString(root);
        const std::optional<platform::DiskSpace> space = platform::Drives::diskSpace(root);
        if (!space) {
            drives_.append(QJsonObject{{QStringLiteral("name"), name}});
            continue;
        }
        drives_.append(DriveObject(name, space->total, space->free));
        total += space->total;
        free += space->free;
    }
    drives_.append(DriveObject(QStringLiteral("*"), total, free));
    return drives_;
}

bool Work_DuplicateFileHost::scan(const QString& drive) {
    if (work_.ScanDrive(drive) != 21)
        return false;
    currentDrive_ = drive;
    return true;
}

bool Work_DuplicateFileHost::cancelScan() {
    if (!work_.ScanRunning())
        return false;
    work_.CancelScan();
    return true;
}

void Work_DuplicateFileHost::clean() {
    if (askYesNo && askYesNo(QStringLiteral("您确定要清理选中的重复文件吗(无法恢复)?")))
        work_.StartClean();
}

void Work_DuplicateFileHost::SetCheckedFromQml(const QString& iconPath, int index, bool checked) {
    for (const auto& type : work_.typeModel()->types()) {
        if (type.icon != iconPath || index < 0 || index >= type.allTable->rows())
            continue;
        type.allTable->setChecked(index, checked);
        qDebug().noquote() << "path to checked"
                           << type.allTable
                                  ->data(type.allTable->index(index),
                                         LM_DuplicateFileListNode::ShortNameRole)
                                  .toString();
    }
}
