#include "DiskGauges.h"

#include "DriveQuery.h"
#include "FormatFileSize.h"

#include <QLabel>
#include <QProgressBar>
#include <platform/Drives.h>

DiskGauges::DiskGauges(QLabel* systemUsed, QLabel* systemTotal, QProgressBar* systemBar,
                       QLabel* allUsed, QLabel* allTotal, QProgressBar* allBar)
    : systemUsed(systemUsed), systemTotal(systemTotal), systemBar(systemBar), allUsed(allUsed),
      allTotal(allTotal), allBar(allBar) {}

bool DiskGauges::refreshSystemDrive() const {
    const auto space = DriveQuery::query("C:");
    if (!space)
        return false;
    const double used = space->totalGiB - space->freeGiB;
    systemUsed->setText(QString::number(used, 'f', 2) + QStringLiteral("GB"));
    systemTotal->setText(QString::number(space->totalGiB, 'f', 2) + QStringLiteral("GB"));
    systemBar->setValue(static_cast<int>(used / space->totalGiB * 100));
    return true;
}

void DiskGauges::refresh() const {
    const FixedDrives drives = fixedDrives();
    if (!refreshSystemDrive())
        return;
    const std::uint64_t used = drives.total - drives.free;
    allUsed->setText(FormatFileSize(used));
    allTotal->setText(FormatFileSize(drives.total));
    if (drives.total > 0)
        allBar->setValue(
            static_cast<int>(static_cast<double>(used) / static_cast<double>(drives.total) * 100));
}

DiskGauges::FixedDrives DiskGauges::fixedDrives() {
    FixedDrives drives;
    for (const std::string& root : platform::Drives::logicalDriveRoots()) {
        if (platform::Drives::driveType(root) != platform::DriveType::Fixed)
            continue;
        const auto space = platform::Drives::diskSpace(root);
        if (!space)
            continue;
        drives.total += space->total;
        drives.free += space->free;
        drives.drives.emplace_back(QString::fromStdString(root), space->total);
    }
    return drives;
}
