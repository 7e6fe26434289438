#include "PrivacyCommand.h"

#include "LM_PrivacyFolderModel.h"
#include "LM_PrivacyGroupData.h"
#include "RuleFiles.h"
#include "TPrivacyGroup.h"
#include "TPrivacyItem.h"
#include "Work_Privacy.h"

PrivacyCommand::PrivacyCommand(const Arguments& arguments)
    : Command(arguments), work_(std::make_unique<Work_Privacy>(RuleFiles::LoadPrivacyData(),
                                                               std::chrono::milliseconds(0))) {}

// No run is registered any more when a command ends.
PrivacyCommand::~PrivacyCommand() = default;

bool PrivacyCommand::runScan(Listing& listing, int& status) {
    return scanWith(
        *work_, [this] { return work_->StartScan() == 1; }, IWork::PrivacyScanFinished, listing,
        [this](Listing& partial) { list(partial, false); }, status);
}

void PrivacyCommand::list(Listing& listing, bool tickedOnly) const {
    for (const TPrivacyGroup* group : work_->groupsModel()->groups()) {
        for (int row = 0; row < group->model->rowCount(); ++row) {
            const TPrivacyItem& item = *group->model->items().at(row);
            const std::optional<std::vector<Work_Privacy::Record>> records =
                work_->RecordsOf(group->model, row);
            if (tickedOnly && (!item.checked || !records))
                continue;
            Listing::Category category;
            category.id = item.id;
            category.name = item.description;
            category.group = group->title;
            category.checked = item.checked;
            category.countsRecords = true;
            category.count = item.count;
            category.supported = records.has_value();
            for (const Work_Privacy::Record& record :
                 records.value_or(std::vector<Work_Privacy::Record>())) {
                Listing::Row row;
                if (!record.file.empty())
                    row.file = record.file;
                row.name = record.name;
                row.value = record.value;
                category.rows.push_back(std::move(row));
            }
            // The Run history keeps its own order, most recent first.
            if (!category.rows.empty() && category.rows.front().file)
                sortByPath(category.rows);
            listing.categories.push_back(std::move(category));
        }
    }
    int found = 0;
    int selected = 0;
    work_->GetRecordCounts(found, selected);
    listing.total.hasBytes = false;
    listing.total.count = static_cast<std::uint64_t>(found);
    listing.total.selectedCount = static_cast<std::uint64_t>(selected);
}

int PrivacyCommand::scan(Listing& listing) {
    list(listing, false);
    listing.heading << CliText::get(CliText::RecordSummary)
                           .arg(CliText::get(CliText::AreaPrivacy),
                                CliText::get(CliText::Records).arg(listing.total.count),
                                CliText::get(CliText::Records).arg(listing.total.selectedCount));
    return report(listing);
}

int PrivacyCommand::act(Listing& listing) {
    int status = Done;
    std::vector<Selection::Item> items;
    std::vector<bool> ticked;
    for (const TPrivacyGroup* group : work_->groupsModel()->groups()) {
        for (const TPrivacyItem* item : group->model->items()) {
            items.push_back({item->id, {item->description, group->title}});
            ticked.push_back(item->checked);
        }
    }
    const std::optional<std::vector<bool>> chosen = choose(items, ticked, status);
    if (!chosen)
        return status;
    std::size_t i = 0;
    for (const TPrivacyGroup* group : work_->groupsModel()->groups()) {
        for (int row = 0; row < group->model->rowCount(); ++row)
            group->model->setChecked(row, (*chosen)[i++]);
    }

    list(listing, true);
    const std::uint64_t before = listing.total.selectedCount;
    listing.heading << CliText::get(CliText::ErasePlan)
                           .arg(CliText::get(CliText::AreaPrivacy),
                                CliText::get(CliText::Records).arg(before));
    Acting acting;
    acting.start = [this] { return work_->StartClean() == 1; };
    acting.finished = IWork::PrivacyCleanFinished;
    acting.progressLine = [this] { return cleanLine(*work_); };
    // The clean counts again what is left of the ticked traces.
    acting.count = [this, before] {
        int found = 0;
        int selected = 0;
        work_->GetRecordCounts(found, selected);
        return before - std::min<std::uint64_t>(before, static_cast<std::uint64_t>(selected));
    };
    acting.closing = [](const Listing::Result& result) {
        return CliText::get(CliText::Erased).arg(CliText::get(CliText::Records).arg(result.count));
    };
    return carryOut(listing, *work_, acting);
}
