#pragma once

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

class QLabel;
class QProgressBar;

// The two disk gauges of an introduction page: drive C: and all fixed drives together.
class DiskGauges {
public:
    // Sum over the fixed drives.
    struct FixedDrives {
        std::uint64_t total = 0;
        std::uint64_t free = 0;
        // Each readable fixed drive's root and total, in drive-letter order.
        std::vector<std::pair<QString, std::uint64_t>> drives;
    };

    DiskGauges(QLabel* systemUsed, QLabel* systemTotal, QProgressBar* systemBar, QLabel* allUsed,
               QLabel* allTotal, QProgressBar* allBar);

    // Refreshes the C: gauge only; an unreadable C: leaves it as it is.
    bool refreshSystemDrive() const;
    // Refreshes both gauges (the all-drives one only when C: could be read).
    void refresh() const;

    static FixedDrives fixedDrives();

private:
    QLabel* systemUsed;
    QLabel* systemTotal;
    QProgressBar* systemBar;
    QLabel* allUsed;
    QLabel* allTotal;
    QProgressBar* allBar;
};
