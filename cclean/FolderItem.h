#pragma once

#include <QString>
#include <cstdint>

// One rule folder of the C-drive page: a tile of its group. Belongs to the GUI thread;
// the files a scan finds for it stay with the engine.
struct FolderItem {
    QString icon;
    bool checked = false;
    QString name;
    // The rule folder as shown, environment references expanded ("C:\Windows\Temp").
    QString path;
    // Bytes found below the folder by the last scan.
    std::uint64_t size = 0;
};
