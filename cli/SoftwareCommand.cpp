#include "SoftwareCommand.h"

#include "FormatFileSize.h"
#include "LM_SoftWareInfoModel.h"
#include "UninstallCommand.h"
#include "Work_UninstallSoft.h"

SoftwareCommand::SoftwareCommand(const Arguments& arguments)
    : Command(arguments), work_(*Work_UninstallSoft::GetInstance()) {}

// The inventory has no status block: its end is reported as Cancelled, and only to a
// status callback, which RunWaiter installs.
bool SoftwareCommand::runScan(Listing& listing, int& status) {
    listing.listsPrograms = true;
    return scanWith(
        work_, [this] { return work_.StartScan() == 1; }, IWork::Cancelled, listing,
        [this](Listing& partial) { list(partial); }, status);
}

void SoftwareCommand::list(Listing& listing) const {
    for (const TSoftwareInfo& record : work_.model()->records())
        add(listing, record);
}

void SoftwareCommand::add(Listing& listing, const TSoftwareInfo& record) {
    Listing::Program program;
    program.name = record.softName;
    program.bytes = record.size;
    program.installDate = record.installDate;
    program.uninstallString = record.uninstString;
    program.icon = record.iconPath;
    listing.total.bytes += record.size;
    ++listing.total.count;
    listing.programs.push_back(std::move(program));
}

int SoftwareCommand::scan(Listing& listing) {
    list(listing);
    listing.heading << CliText::get(CliText::SoftwareSummary)
                           .arg(CliText::get(CliText::AreaSoftware),
                                CliText::get(CliText::Programs).arg(listing.total.count),
                                FormatFileSize(listing.total.bytes));
    return report(listing);
}

int SoftwareCommand::act(Listing& listing) {
    LM_SoftWareInfoModel& model = *work_.model();
    int row = -1;
    for (int r = 0; r < model.rowCount(); ++r) {
        if (model.records().at(std::size_t(r)).softName.compare(args_.name, Qt::CaseInsensitive) ==
            0)
            row = r;
    }
    if (row < 0)
        return error(CliText::get(CliText::NoSuchProgram).arg(args_.name));
    const TSoftwareInfo record = model.records().at(std::size_t(row));
    add(listing, record);
    listing.total.selectedBytes = record.size;
    listing.total.selectedCount = 1;
    const UninstallCommand command = UninstallCommand::Split(record.uninstString);
    const QString started =
        (command.program() + QLatin1Char(' ') + command.parameters().trimmed()).trimmed();
    listing.heading << CliText::get(CliText::UninstallPlan)
                           .arg(CliText::get(CliText::AreaSoftware), record.softName, started);

    Acting acting;
    acting.start = [this, &model, row] {
        model.setData(model.index(row), true, LM_SoftWareInfoModel::CheckedRole);
        return work_.StartClean() == 32;
    };
    acting.finished = IWork::Cancelled;
    acting.dryRun = CliText::DryRunUninstall;
    acting.progressLine = [] { return CliText::get(CliText::ProgressUninstall); };
    acting.count = [this] { return work_.progress.done(); };
    acting.closing = [started](const Listing::Result& result) {
        return result.count > 0 ? CliText::get(CliText::Started).arg(started) : QString();
    };
    return carryOut(listing, work_, acting);
}
