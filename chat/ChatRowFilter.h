#pragma once

#include <QDateTime>
#include <QStringList>
#include <optional>

struct FileRow;
class LM_ChatListModel;

// Which files of a chat page the user looks at: those of some accounts, those last written
// more than some days ago. Files that do not pass are hidden, and a clean takes only the
// ticked files that are shown, so it leaves them alone.
class ChatRowFilter {
public:
    // Empty: every account. Otherwise only these; files shared by all accounts (QQ's temporary
    // folder) belong to none of them.
    QStringList accounts;
    std::optional<int> olderThanDays;

    bool accepts(const FileRow& row, const QDateTime& now) const;
    // Hides the rows of every category that do not pass (GUI thread).
    void apply(LM_ChatListModel& list, const QDateTime& now) const;
};
