#pragma once

#include <QString>
#include <cstdint>

// One trace item of the privacy page: a tile with a tick box and the number of records the
// last scan found. Belongs to the GUI thread.
struct TPrivacyItem {
    // "001" (Run dialog history) and "002" (recent items) are scanned; other items have no
    // location and always show 0.
    QString id;
    QString icon;
    bool checked = false;
    QString description;
    std::uint32_t count = 0;
    // A registry key or a folder, environment references expanded.
    QString path;
};
