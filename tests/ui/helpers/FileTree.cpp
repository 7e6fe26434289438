#include "FileTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

QMap<QString, qint64> FileTree::snapshot(const QString& root) {
    QMap<QString, qint64> files;
    const QDir base(root);
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.insert(base.relativeFilePath(it.filePath()), it.fileInfo().size());
    }
    return files;
}

qint64 FileTree::totalSize(const QString& folder) {
    qint64 total = 0;
    for (qint64 size : snapshot(folder))
        total += size;
    return total;
}
