#pragma once

#include <QMap>
#include <QString>

// Every file below a folder with its size, keyed by the path relative to the folder; for
// comparing a fixture before and after a destructive run.
class FileTree {
public:
    static QMap<QString, qint64> snapshot(const QString& root);
    // Total size of the files below folder (0 when it does not exist).
    static qint64 totalSize(const QString& folder);
};
