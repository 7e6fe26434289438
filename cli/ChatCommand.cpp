#include "ChatCommand.h"

#include "ChatCategory.h"
#include "ChatFileFilter.h"
#include "FormatFileSize.h"
#include "LM_ChatFilesModel.h"
#include "LM_ChatListModel.h"
#include "Work_ChatClean.h"

#include <platform/Drives.h>

ChatCommand::ChatCommand(const Arguments& arguments, Work_ChatClean& work, CliText::Id name,
                         QString missing)
    : Command(arguments), work_(work), name_(name), missing_(std::move(missing)) {}

bool ChatCommand::describeProgram(Listing& listing) const {
    const LM_ChatListModel* model = work_.chatListModel();
    listing.installed = model != nullptr;
    if (!model) {
        listing.heading << missing_;
        listing.total.hasBytes = true;
        return false;
    }
    if (const std::filesystem::path folder =
            platform::Drives::toNativePath(model->folderText().toStdString());
        !folder.empty())
        listing.folder = folder;
    listing.accounts = model->accounts();
    return true;
}

bool ChatCommand::runScan(Listing& listing, int& status) {
    // Without the program there is nothing to scan, and nothing wrong.
    if (!describeProgram(listing)) {
        status = report(listing);
        return false;
    }
    const QStringList accounts = work_.chatListModel()->accounts();
    if (args_.account && !accounts.contains(*args_.account)) {
        status = badUsage(CliText::get(CliText::UnknownSelection)
                              .arg(*args_.account, accounts.join(QStringLiteral(", "))));
        return false;
    }
    if (accounts.isEmpty())
        return true;
    const int started = IWork::StartedStatus(work_.Kind(), IWork::RunKind::Scan);
    // The page's account and age selectors: what they leave out is neither listed, counted
    // nor cleaned, and holds for the files the scan adds.
    ChatFileFilter filter;
    filter.account = args_.account.value_or(QString());
    filter.olderThanDays = args_.olderThanDays.value_or(0);
    work_.chatListModel()->setFileFilter(filter);
    return scanWith(
        work_, [&] { return work_.StartScan() == started; },
        IWork::FinishedStatus(work_.Kind(), IWork::RunKind::Scan), listing,
        [this](Listing& partial) { list(partial, false); }, status);
}

void ChatCommand::list(Listing& listing, bool tickedOnly) const {
    const LM_ChatListModel& model = *work_.chatListModel();
    Listing::Total total;
    for (int c = 0; c < model.categoryCount(); ++c) {
        const ChatCategory& source = model.category(c);
        Listing::Category category;
        category.id = source.id;
        category.name = source.title;
        category.checked = source.checked;
        listFiles(*source.files, tickedOnly, true, category, total);
        if (!tickedOnly || !category.rows.empty())
            listing.categories.push_back(std::move(category));
    }
    listing.total = total;
}

int ChatCommand::scan(Listing& listing) {
    list(listing, false);
    listing.heading << foundLine(name_, listing.total);
    listing.heading << CliText::get(CliText::Accounts)
                           .arg(listing.accounts->isEmpty()
                                    ? CliText::get(CliText::NoAccount)
                                    : listing.accounts->join(QStringLiteral(", ")));
    return report(listing);
}

int ChatCommand::act(Listing& listing) {
    int status = Done;
    LM_ChatListModel& model = *work_.chatListModel();
    std::vector<Selection::Item> items;
    std::vector<bool> ticked;
    for (int c = 0; c < model.categoryCount(); ++c) {
        items.push_back({model.category(c).id, {model.category(c).title}});
        ticked.push_back(model.category(c).checked);
    }
    const std::optional<std::vector<bool>> chosen = choose(items, ticked, status);
    if (!chosen)
        return status;
    for (int c = 0; c < model.categoryCount(); ++c)
        model.setCategoryChecked(c, (*chosen)[static_cast<std::size_t>(c)]);

    list(listing, true);
    listing.heading << planLine(name_, listing.total);
    Acting acting;
    acting.start = [this] { return work_.StartClean() == 0; };
    acting.finished = IWork::FinishedStatus(work_.Kind(), IWork::RunKind::Clean);
    acting.progressLine = [this] { return cleanLine(work_); };
    return carryOut(listing, work_, acting);
}
