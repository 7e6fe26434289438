#include "ChatRowFilter.h"

#include "ChatCategory.h"
#include "FileRow.h"
#include "LM_ChatFilesModel.h"
#include "LM_ChatListModel.h"

#include <vector>

namespace {
// 100 ns ticks from 1601-01-01 to 1970-01-01, and per millisecond.
constexpr std::int64_t epochTicks = 116444736000000000LL;
constexpr std::int64_t ticksPerMs = 10000;
} // namespace

bool ChatRowFilter::accepts(const FileRow& row, const QDateTime& now) const {
    if (!accounts.isEmpty() && !accounts.contains(row.tag))
        return false;
    if (olderThanDays) {
        const std::int64_t limit =
            now.addDays(-*olderThanDays).toMSecsSinceEpoch() * ticksPerMs + epochTicks;
        // A file of unknown age is not known to be old.
        if (row.modified == 0 || row.modified >= limit)
            return false;
    }
    return true;
}

void ChatRowFilter::apply(LM_ChatListModel& list, const QDateTime& now) const {
    for (int c = 0; c < list.categoryCount(); ++c) {
        LM_ChatFilesModel& files = *list.category(c).files;
        std::vector<std::uint64_t> hidden;
        for (int r = 0; r < files.rows(); ++r) {
            if (!accepts(files.at(r), now))
                hidden.push_back(files.at(r).id);
        }
        files.setVisible(hidden, false);
    }
}
