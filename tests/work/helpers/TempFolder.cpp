#include "TempFolder.h"

#include <QTemporaryDir>

TempFolder::TempFolder() {
    QTemporaryDir dir;
    dir.setAutoRemove(false);
    path_ = dir.path().toStdString();
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

QString TempFolder::text() const {
    return QString::fromStdString(path_.native());
}
