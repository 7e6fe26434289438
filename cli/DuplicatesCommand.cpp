#include "DuplicatesCommand.h"

#include "FormatFileSize.h"
#include "LM_DuplicateFileListModel.h"
#include "LM_DuplicateFileListNode.h"
#include "LM_DuplicateFileListNodes.h"
#include "Work_DuplicateFile.h"

#include <map>
#include <platform/Drives.h>

namespace {

bool isFixedDrive(const QString& drive) {
    for (const std::string& root : platform::Drives::logicalDriveRoots()) {
        if (QString::fromStdString(root).compare(drive, Qt::CaseInsensitive) == 0)
            return platform::Drives::driveType(root) == platform::DriveType::Fixed;
    }
    return false;
}

} // namespace

DuplicatesCommand::DuplicatesCommand(const Arguments& arguments)
    : Command(arguments), work_(*Work_DuplicateFile::GetInstance()),
      drive_(arguments.drive.value_or(QStringLiteral("C:\\"))) {
    // The page shows these in a message box; here they are notes of the listing.
    QObject::connect(work_.typeModel(), &LM_DuplicateFileListModel::popMsgTip,
                     [](const QString& tip) { UserPrompt::inform(tip); });
}

bool DuplicatesCommand::runScan(Listing& listing, int& status) {
    listing.drive = drive_ == QLatin1String("*") ? QStringLiteral("all") : drive_;
    if (drive_ != QLatin1String("*") && !isFixedDrive(drive_)) {
        status = error(CliText::get(CliText::NoSuchDrive).arg(drive_));
        return false;
    }
    return scanWith(
        work_, [this] { return work_.ScanDrive(drive_) == IWork::DuplicateScanning; },
        IWork::DuplicateScanFinished, listing, [this](Listing& partial) { list(partial, false); },
        status);
}

void DuplicatesCommand::list(Listing& listing, bool plan) const {
    Listing::Total total;
    const auto& types = work_.typeModel()->types();
    for (std::size_t t = 0; t < types.size(); ++t) {
        const auto& type = types[t];
        const LM_DuplicateFileListNode& table = *type.allTable;
        const auto& groups = type.nodes->groups();
        Listing::Category category;
        category.id = type.id;
        category.name = type.title;
        category.checked = plan ? chosen_[t] : type.checked;
        category.groups = groups.size();
        std::uint64_t bytes = 0;
        std::uint64_t files = 0;
        for (int r = 0; r < table.rows(); ++r) {
            const FileRow& file = table.at(r);
            if (!table.isShown(r))
                continue;
            count(file, total);
            Listing::Row row;
            row.file = file.path;
            row.bytes = file.size;
            if (file.modified != 0)
                row.modified = file.modified;
            row.group = file.group;
            if (file.group >= 1 && std::size_t(file.group) <= groups.size())
                row.crc = QString::fromStdString(groups[std::size_t(file.group) - 1].crc32);
            if (plan) {
                row.keep = !file.checked;
                if (file.checked) {
                    bytes += file.size;
                    ++files;
                }
            } else {
                row.checked = file.checked;
                bytes += file.size;
                ++files;
            }
            category.rows.push_back(std::move(row));
        }
        category.bytes = bytes;
        category.count = files;
        if (!plan || chosen_[t])
            listing.categories.push_back(std::move(category));
    }
    listing.total = total;
}

void DuplicatesCommand::tick(LM_DuplicateFileListNode& table, bool chosen) const {
    // The copy each group keeps: its first shown row, or the newest or oldest of them (the
    // first of equals).
    std::map<std::int32_t, int> keeper;
    for (int r = 0; r < table.rows(); ++r) {
        const FileRow& file = table.at(r);
        if (!table.isShown(r))
            continue;
        const auto known = keeper.find(file.group);
        if (known == keeper.end()) {
            keeper.emplace(file.group, r);
            continue;
        }
        const std::int64_t best = table.at(known->second).modified;
        if ((args_.keep == Arguments::Keep::Newest && file.modified > best) ||
            (args_.keep == Arguments::Keep::Oldest && file.modified < best))
            known->second = r;
    }
    for (int r = 0; r < table.rows(); ++r) {
        const FileRow& file = table.at(r);
        if (table.isShown(r))
            table.setRowChecked(r, chosen && keeper[file.group] != r);
    }
}

int DuplicatesCommand::scan(Listing& listing) {
    list(listing, false);
    std::uint64_t groups = 0;
    for (const Listing::Category& category : listing.categories)
        groups += category.groups.value_or(0);
    listing.heading << CliText::get(CliText::DuplicateSummary)
                           .arg(CliText::get(CliText::AreaDuplicates), listing.drive,
                                CliText::get(CliText::Groups).arg(groups),
                                FormatFileSize(listing.total.bytes),
                                CliText::get(CliText::Files).arg(listing.total.count));
    return report(listing);
}

int DuplicatesCommand::act(Listing& listing) {
    int status = Done;
    const auto& types = work_.typeModel()->types();
    std::vector<Selection::Item> items;
    std::vector<bool> ticked;
    for (const auto& type : types) {
        // The page's type bar shows the title without its first two characters ("图片").
        items.push_back({type.id, {type.title, type.title.mid(2)}});
        ticked.push_back(type.checked);
    }
    const std::optional<std::vector<bool>> chosen = choose(items, ticked, status);
    if (!chosen)
        return status;
    chosen_ = *chosen;
    for (std::size_t t = 0; t < types.size(); ++t)
        tick(*types[t].allTable, chosen_[t]);

    list(listing, true);
    listing.heading << planLine(CliText::AreaDuplicates, listing.total);
    Acting acting;
    acting.start = [this] { return work_.StartClean() == 0; };
    acting.finished = IWork::DuplicateCleanFinished;
    acting.progressLine = [this] { return cleanLine(work_); };
    return carryOut(listing, work_, acting);
}
