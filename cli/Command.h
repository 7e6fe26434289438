#pragma once

#include "Arguments.h"
#include "CliPrompt.h"
#include "CliText.h"
#include "Listing.h"
#include "Progress.h"
#include "Selection.h"

class FileListModel;
struct FileRow;

#include "IWork.h"

#include <functional>
#include <optional>
#include <vector>

// One sub-command: an area of the window (a page) with its scan and its clean, move or
// uninstall. A clean runs a scan first, ticks what the page ticks by default or what
// --select or --all says, and only with --yes goes on to act; otherwise it lists what
// would go. Every status it returns is an exit status.
class Command {
public:
    enum Status { Done = 0, Error = 1, BadUsage = 2, SomeFailed = 3 };

    explicit Command(const Arguments& arguments);
    virtual ~Command();
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    int run();

protected:
    // Runs the page's scan, which every action starts with. False, with `status` set, when
    // the command ends there.
    virtual bool runScan(Listing& listing, int& status) = 0;
    // What follows the scan: its listing, or the clean, move or uninstall.
    virtual int scan(Listing& listing) = 0;
    virtual int act(Listing& listing) = 0;

    // Says what went wrong on standard error: an error (1) or bad usage (2, with the usage
    // line).
    static int error(const QString& message);
    static int badUsage(const QString& message);
    // A listing with the command's area and action.
    Listing newListing() const;
    // Renders the listing (text or JSON) and the failures; the status that ends the command:
    // 1 when interrupted, 3 when some items failed, else 0.
    int report(Listing& listing);
    // What to act on, per item: --all takes every one, --select those it names, otherwise
    // `ticked` (what the page ticks). Nothing on bad usage, which `status` then holds.
    std::optional<std::vector<bool>> choose(const std::vector<Selection::Item>& items,
                                            const std::vector<bool>& ticked, int& status) const;
    // How a clean, move or uninstall is carried out once the listing holds its plan.
    struct Acting {
        // Starts the run; whether it began.
        std::function<bool()> start;
        IWork::WorkStatus finished = IWork::Cancelled;
        // What a dry run says it did not do.
        CliText::Id dryRun = CliText::DryRunClean;
        std::function<QString()> progressLine;
        // What the result counts, when not the files done; and the line that tells it, when
        // not "cleaned … files, freeing …".
        std::function<std::uint64_t()> count;
        std::function<QString(const Listing::Result&)> closing;
    };
    // Nothing selected: says so. A dry run: says what it did not do. Otherwise runs the work
    // and adds what it did and what failed. Then reports.
    int carryOut(Listing& listing, IWork& work, const Acting& acting);
    // Runs a scan of `work` the way carryOut() runs a clean. False, with `status` set, when
    // the command ends here: it did not start (an error), or it was interrupted (the partial
    // listing `list` makes is reported).
    bool scanWith(IWork& work, const std::function<bool()>& start, IWork::WorkStatus finished,
                  Listing& listing, const std::function<void(Listing&)>& list, int& status);
    // Counts a shown file in the totals, among the selected ones when it is ticked.
    static void count(const FileRow& file, Listing::Total& total);
    // Rows of files in path order, the same from one run to the next.
    static void sortByPath(std::vector<Listing::Row>& rows);
    // Adds the shown rows of `files` (only the ticked ones with `tickedOnly`) to `category`,
    // with their accounts when `withAccount`, and every shown row to `total`.
    static void listFiles(const FileListModel& files, bool tickedOnly, bool withAccount,
                          Listing::Category& category, Listing::Total& total);
    // "<area>: found … (… files), selected … (… files)" and "<area>: cleaning … (… files)".
    static QString foundLine(CliText::Id area, const Listing::Total& total);
    static QString planLine(CliText::Id area, const Listing::Total& total);
    // The progress lines of a scan and of a clean or move of `work`.
    static QString scanLine(const IWork& work);
    static QString cleanLine(const IWork& work, bool moving = false);

    const Arguments& args_;
    CliPrompt prompt_;
    Progress progress_;
};
