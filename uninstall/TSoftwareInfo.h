#pragma once

#include <QDate>
#include <QString>
#include <cstdint>

// One installed program as the inventory found it. Records are values: the inventory
// builds them on its thread and the list model owns them on the GUI thread.
struct TSoftwareInfo {
    // Names the record for the life of the process, whatever rows come and go; given by
    // the model when the record arrives. 0 before that.
    std::uint64_t id = 0;
    QString iconPath;
    QString softName;
    std::uint64_t size = 0;
    bool checked = false;
    // Whether iconPath names an icon of its own rather than a program's.
    bool isIcon = true;
    // Invalid when the registry gave no date in the form yyyyMMdd.
    QDate installDate;
    QString uninstString;
    bool visible = true;
};
