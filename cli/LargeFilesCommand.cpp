#include "LargeFilesCommand.h"

#include "AppPaths.h"
#include "FormatFileSize.h"
#include "LM_LargeFilesItemModel.h"
#include "LM_LargeFilesModel.h"
#include "PathQString.h"
#include "Work_LargeFile.h"

#include <QSettings>

LargeFilesCommand::LargeFilesCommand(const Arguments& arguments)
    : Command(arguments), work_(*Work_LargeFile::GetInstance()) {}

bool LargeFilesCommand::runScan(Listing& listing, int& status) {
    if (args_.acts()) {
        // The window's choice when none is given, from the settings file beside the program.
        destination_ = args_.to ? *args_.to
                                : QSettings(AppPaths::current().configFile, QSettings::IniFormat)
                                      .value(QLatin1String(Work_LargeFile::destinationSettingKey))
                                      .toString();
        // Said before a long scan, not after it.
        if (destination_.trimmed().isEmpty()) {
            status = badUsage(CliText::get(CliText::MissingDestination));
            return false;
        }
    }
    return scanWith(
        work_, [this] { return work_.StartScan() == IWork::LargeFileScanning; },
        IWork::LargeFileScanFinished, listing, [this](Listing& partial) { list(partial, false); },
        status);
}

void LargeFilesCommand::list(Listing& listing, bool tickedOnly) const {
    Listing::Total total;
    for (const LargeFileGroup& group : work_.listModel()->groups()) {
        Listing::Category category;
        category.id = group.id;
        category.name = group.title;
        category.checked = group.boxTicked;
        listFiles(*group.files, tickedOnly, false, category, total);
        if (!tickedOnly || !category.rows.empty())
            listing.categories.push_back(std::move(category));
    }
    listing.total = total;
}

int LargeFilesCommand::scan(Listing& listing) {
    list(listing, false);
    listing.heading << foundLine(CliText::AreaLargeFiles, listing.total);
    return report(listing);
}

int LargeFilesCommand::act(Listing& listing) {
    int status = Done;
    const Work_LargeFile::Destination checked = work_.CheckDestination(destination_);
    switch (checked.problem) {
    case Work_LargeFile::Destination::Problem::NotComplete:
        return error(CliText::get(CliText::BadDestination).arg(destination_));
    case Work_LargeFile::Destination::Problem::NoFolder:
        return error(CliText::get(CliText::DestinationNotFolder)
                         .arg(destination_, WindowsPathText(checked.existing)));
    case Work_LargeFile::Destination::Problem::None:
        break;
    }

    LM_LargeFilesModel& model = *work_.listModel();
    std::vector<Selection::Item> items;
    std::vector<bool> ticked;
    for (const LargeFileGroup& group : model.groups()) {
        items.push_back({group.id, {group.title}});
        ticked.push_back(group.boxTicked);
    }
    const std::optional<std::vector<bool>> chosen = choose(items, ticked, status);
    if (!chosen)
        return status;
    for (std::size_t g = 0; g < chosen->size(); ++g)
        model.setCheckedToChildren(static_cast<int>(g), (*chosen)[g]);

    list(listing, true);
    listing.destination = checked.folder;
    listing.freesSystemDrive = !checked.sameVolume;
    listing.heading << CliText::get(CliText::MovePlan)
                           .arg(CliText::get(CliText::AreaLargeFiles),
                                FormatFileSize(listing.total.selectedBytes),
                                CliText::get(CliText::Files).arg(listing.total.selectedCount),
                                WindowsPathText(checked.folder));
    // With --yes the move itself asks, and its question becomes the note.
    if (checked.sameVolume && !args_.yes)
        listing.notes << CliText::get(CliText::SameVolume).arg(WindowsPathText(checked.folder));

    Acting acting;
    acting.start = [this] { return work_.StartMoveTo(destination_) == IWork::LargeFileMoving; };
    acting.finished = IWork::LargeFileMoveFinished;
    acting.dryRun = CliText::DryRunMove;
    acting.progressLine = [this] { return cleanLine(work_, true); };
    acting.closing = [](const Listing::Result& result) {
        return CliText::get(CliText::Moved)
            .arg(CliText::get(CliText::Files).arg(result.count), FormatFileSize(result.bytes));
    };
    return carryOut(listing, work_, acting);
}
