#include "Command.h"

#include "ConsoleOutput.h"
#include "FailureReasons.h"
#include "FileListModel.h"
#include "FormatFileSize.h"
#include "IWork.h"
#include "JsonReport.h"
#include "PathQString.h"
#include "RunWaiter.h"
#include "TextReport.h"

#include <algorithm>

namespace {
const QString prefix = QStringLiteral("merivane-cli: ");
}

Command::Command(const Arguments& arguments) : args_(arguments), prompt_(arguments.yes) {}

Command::~Command() = default;

int Command::run() {
    Listing listing = newListing();
    int status = Done;
    if (!runScan(listing, status))
        return status;
    return args_.acts() ? act(listing) : scan(listing);
}

int Command::error(const QString& message) {
    ConsoleOutput::flush();
    ConsoleOutput::errLine(prefix + message);
    return Error;
}

int Command::badUsage(const QString& message) {
    ConsoleOutput::errLine(prefix + message);
    ConsoleOutput::errLine(CliText::get(CliText::Usage));
    return BadUsage;
}

Listing Command::newListing() const {
    Listing listing;
    listing.area = args_.area;
    listing.action = args_.action;
    if (args_.acts())
        listing.dryRun = !args_.yes;
    return listing;
}

int Command::report(Listing& listing) {
    listing.notes << prompt_.takeNotes();
    if (args_.json)
        JsonReport::write(listing);
    else
        TextReport::write(listing);
    TextReport::writeFailures(listing);
    ConsoleOutput::flush();
    if (listing.interrupted) {
        ConsoleOutput::errLine(prefix + CliText::get(listing.result ? CliText::InterruptedRun
                                                                    : CliText::InterruptedScan));
        return Error;
    }
    return listing.failures.empty() ? Done : SomeFailed;
}

std::optional<std::vector<bool>> Command::choose(const std::vector<Selection::Item>& items,
                                                 const std::vector<bool>& ticked,
                                                 int& status) const {
    if (args_.all)
        return std::vector<bool>(items.size(), true);
    if (args_.select.isEmpty())
        return ticked;
    QString problem;
    std::vector<bool> picked = Selection::pick(items, args_.select, problem);
    if (!problem.isEmpty()) {
        status = badUsage(problem);
        return std::nullopt;
    }
    return picked;
}

bool Command::scanWith(IWork& work, const std::function<bool()>& start, IWork::WorkStatus finished,
                       Listing& listing, const std::function<void(Listing&)>& list, int& status) {
    RunWaiter waiter(work);
    const bool ran = waiter.run(start, finished, &progress_, [&work] { return scanLine(work); });
    if (RunWaiter::interrupted()) {
        listing.interrupted = true;
        list(listing);
        status = report(listing);
        return false;
    }
    if (!ran) {
        status = error(CliText::get(CliText::NotStarted).arg(args_.area + QStringLiteral(" scan")));
        return false;
    }
    return true;
}

int Command::carryOut(Listing& listing, IWork& work, const Acting& acting) {
    if (listing.total.selectedCount == 0) {
        listing.closing << CliText::get(CliText::NothingSelected);
        return report(listing);
    }
    if (!args_.yes) {
        listing.closing << CliText::get(acting.dryRun);
        return report(listing);
    }
    RunWaiter waiter(work);
    const bool ran = waiter.run(acting.start, acting.finished, &progress_, acting.progressLine);
    if (!ran && !RunWaiter::interrupted()) {
        return error(
            CliText::get(CliText::NotStarted).arg(args_.area + QLatin1Char(' ') + args_.action));
    }
    listing.interrupted = RunWaiter::interrupted();
    listing.failures = FailureReasons::describe(work.failures.take());
    Listing::Result result;
    result.bytes = work.GetFreedSize();
    result.count = acting.count ? acting.count() : work.progress.done();
    result.failed = listing.failures.size();
    listing.result = result;
    const QString done = acting.closing ? acting.closing(result)
                                        : CliText::get(CliText::Cleaned)
                                              .arg(CliText::get(CliText::Files).arg(result.count),
                                                   FormatFileSize(result.bytes));
    if (!done.isEmpty())
        listing.closing << done;
    return report(listing);
}

void Command::listFiles(const FileListModel& files, bool tickedOnly, bool withAccount,
                        Listing::Category& category, Listing::Total& total) {
    std::uint64_t bytes = 0;
    for (int r = 0; r < files.rows(); ++r) {
        const FileRow& file = files.at(r);
        if (!files.isShown(r))
            continue;
        count(file, total);
        if (tickedOnly && !file.checked)
            continue;
        bytes += file.size;
        Listing::Row row;
        row.file = file.path;
        row.bytes = file.size;
        row.checked = file.checked;
        if (withAccount)
            row.account = file.tag;
        if (file.modified != 0)
            row.modified = file.modified;
        category.rows.push_back(std::move(row));
    }
    category.bytes = bytes;
    category.count = category.rows.size();
    sortByPath(category.rows);
}

void Command::count(const FileRow& file, Listing::Total& total) {
    total.bytes += file.size;
    ++total.count;
    if (file.checked) {
        total.selectedBytes += file.size;
        ++total.selectedCount;
    }
}

void Command::sortByPath(std::vector<Listing::Row>& rows) {
    std::sort(rows.begin(), rows.end(), [](const Listing::Row& a, const Listing::Row& b) {
        return a.file && b.file ? *a.file < *b.file : a.name < b.name;
    });
}

QString Command::foundLine(CliText::Id area, const Listing::Total& total) {
    return CliText::get(CliText::ScanSummary)
        .arg(CliText::get(area), FormatFileSize(total.bytes),
             CliText::get(CliText::Files).arg(total.count), FormatFileSize(total.selectedBytes),
             CliText::get(CliText::Files).arg(total.selectedCount));
}

QString Command::planLine(CliText::Id area, const Listing::Total& total) {
    return CliText::get(CliText::CleanPlan)
        .arg(CliText::get(area), FormatFileSize(total.selectedBytes),
             CliText::get(CliText::Files).arg(total.selectedCount));
}

QString Command::scanLine(const IWork& work) {
    return CliText::get(CliText::ProgressScan)
        .arg(work.progress.files())
        .arg(FormatFileSize(work.foundSize.load()), WindowsPathText(work.progress.place()));
}

QString Command::cleanLine(const IWork& work, bool moving) {
    return CliText::get(moving ? CliText::ProgressMove : CliText::ProgressClean)
        .arg(work.progress.files())
        .arg(FormatFileSize(work.freedSize.load()), WindowsPathText(work.progress.place()));
}
