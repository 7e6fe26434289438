#include "RecentItems.h"

#include "AppLog.h"
#include "FolderWalk.h"
#include "PathQString.h"

#include <QString>
#include <QStringList>
#include <platform/Drives.h>
#include <platform/FolderReader.h>

namespace fs = std::filesystem;

fs::path RecentItems::locate(const QString& ruleFolder) {
    const QString text = ruleFolder.trimmed();
    if (text.isEmpty())
        return {};
    const fs::path native = platform::Drives::toNativePath(text.toStdString());
    return native.is_absolute() ? FolderWalk::ResolveRoot(native) : fs::path();
}

std::vector<fs::path> RecentItems::list(const fs::path& folder, bool log) {
    std::vector<fs::path> traces;
    if (folder.empty())
        return traces;
    platform::FolderReader reader(folder);
    if (!reader.isOpen()) {
        if (log)
            AppLog(QStringLiteral("cannot list %1").arg(WindowsPathText(folder)));
        return traces;
    }
    // A line per file, written with one opening of the log: a Recent folder holds hundreds.
    QStringList logged;
    fs::path child;
    platform::FolderReader::Kind kind = platform::FolderReader::Kind::Folder;
    while (reader.next(child, kind)) {
        if (kind != platform::FolderReader::Kind::RegularFile)
            continue;
        if (log)
            logged << WindowsPathText(child);
        // Windows names are blind to letter case: "Desktop.ini" is the folder's too.
        if (PathToQString(child.filename())
                .compare(QLatin1String("desktop.ini"), Qt::CaseInsensitive) != 0)
            traces.push_back(child);
    }
    if (log)
        AppLog(logged);
    return traces;
}
