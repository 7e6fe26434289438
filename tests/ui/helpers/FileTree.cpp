#include "FileTree.h"

#include "PathQString.h"

#include <filesystem>

namespace fs = std::filesystem;

// Listed with std::filesystem: QDirIterator skips names holding byte 0xFF, and a
// destructive test must see every file. Links are recorded, never followed.
QMap<QString, qint64> FileTree::snapshot(const QString& root) {
    QMap<QString, qint64> files;
    const fs::path base = QStringToPath(root);
    std::error_code ec;
    if (!fs::is_directory(base, ec))
        return files;
    for (fs::recursive_directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        const fs::file_status status = it->symlink_status(statusError);
        if (statusError || fs::is_directory(status))
            continue;
        std::error_code sizeError;
        const qint64 size =
            fs::is_regular_file(status) ? qint64(fs::file_size(it->path(), sizeError)) : 0;
        files.insert(PathToQString(it->path().lexically_relative(base)), sizeError ? -1 : size);
    }
    return files;
}

qint64 FileTree::totalSize(const QString& folder) {
    qint64 total = 0;
    for (qint64 size : snapshot(folder))
        total += size;
    return total;
}
