#include "CDriveCommand.h"

#include "CliText.h"
#include "FolderItem.h"
#include "FormatFileSize.h"
#include "Group.h"
#include "LM_GroupModel.h"
#include "LM_GroupsModel.h"
#include "Work_CClean.h"

#include <QRegularExpression>
#include <platform/Drives.h>

namespace {

// A group's title without its rich-text markup ("虚拟内存(<font …>重起之后生效</font>)").
QString plainTitle(const QString& title) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return QString(title).remove(tag);
}

// Calls `visit(group number, tile number, group, model, row, item)` for every tile.
template <typename Visit> void forEachTile(LM_GroupsModel& groups, Visit visit) {
    int g = 0;
    for (const Group* group : groups.groups()) {
        ++g;
        for (int row = 0; row < group->model->rowCount(); ++row)
            visit(g, row + 1, *group, *group->model, row, *group->model->items().at(row));
    }
}

} // namespace

CDriveCommand::CDriveCommand(const Arguments& arguments)
    : Command(arguments), work_(*Work_CClean::GetInstance()) {}

bool CDriveCommand::runScan(Listing& listing, int& status) {
    return scanWith(
        work_, [this] { return work_.StartScan() == 1; }, IWork::CCleanScanFinished, listing,
        [this](Listing& partial) { list(partial, false); }, status);
}

void CDriveCommand::list(Listing& listing, bool tickedOnly) const {
    Listing::Total total;
    forEachTile(*work_.groupsModel(), [&](int g, int t, const Group& group, LM_GroupModel& model,
                                          int row, const FolderItem& item) {
        const std::vector<FileRow> files = work_.FoundFiles(&model, row);
        total.count += files.size();
        if (item.checked) {
            total.selectedBytes += item.size;
            total.selectedCount += files.size();
        }
        if (tickedOnly && !item.checked)
            return;
        Listing::Category category;
        category.id = QStringLiteral("%1.%2").arg(g).arg(t);
        category.name = item.name;
        category.group = plainTitle(group.title);
        category.checked = item.checked;
        category.bytes = item.size;
        category.count = files.size();
        category.supported = !item.path.isEmpty();
        if (category.supported)
            category.folder = platform::Drives::toNativePath(item.path.toStdString());
        category.rows.reserve(files.size());
        for (const FileRow& file : files) {
            Listing::Row out;
            out.file = file.path;
            out.bytes = file.size;
            category.rows.push_back(std::move(out));
        }
        sortByPath(category.rows);
        listing.categories.push_back(std::move(category));
    });
    total.bytes = work_.foundSize.load();
    listing.total = total;
}

std::vector<Selection::Item> CDriveCommand::items() const {
    std::vector<Selection::Item> items;
    forEachTile(*work_.groupsModel(),
                [&](int g, int t, const Group& group, LM_GroupModel&, int, const FolderItem& item) {
                    items.push_back({QStringLiteral("%1.%2").arg(g).arg(t),
                                     {item.name, plainTitle(group.title), QString::number(g)}});
                });
    return items;
}

int CDriveCommand::scan(Listing& listing) {
    list(listing, false);
    listing.heading << foundLine(CliText::AreaCDrive, listing.total);
    return report(listing);
}

int CDriveCommand::act(Listing& listing) {
    int status = Done;

    std::vector<bool> ticked;
    forEachTile(*work_.groupsModel(),
                [&](int, int, const Group&, LM_GroupModel&, int, const FolderItem& item) {
                    ticked.push_back(item.checked);
                });
    const std::optional<std::vector<bool>> chosen = choose(items(), ticked, status);
    if (!chosen)
        return status;
    std::size_t i = 0;
    forEachTile(*work_.groupsModel(),
                [&](int, int, const Group&, LM_GroupModel& model, int row, const FolderItem&) {
                    model.setChecked(row, (*chosen)[i++]);
                });

    list(listing, true);
    listing.heading << planLine(CliText::AreaCDrive, listing.total);
    Acting acting;
    acting.start = [this] { return work_.StartClean() == 0; };
    acting.finished = IWork::CCleanCleanFinished;
    acting.progressLine = [this] { return cleanLine(work_); };
    return carryOut(listing, work_, acting);
}
