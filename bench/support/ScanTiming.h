#pragma once

#include "IWork.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// Timings for the scan benchmarks, taken with the event loop running as in the program.
class ScanTiming {
public:
    struct Run {
        double ms = 0;
        // Longest gap of a 10 ms heartbeat on the GUI thread, beyond its own period.
        double maxStallMs = 0;
        std::uint64_t found = 0;
    };

    // Wall time of a command, its output thrown away.
    static double timeCommand(const QString& program, const QStringList& arguments);
    // Starts a scan of `work` and runs the event loop until `finished` arrives through the
    // broker and the pool is empty again.
    static Run timeScan(IWork& work, IWork::WorkStatus finished);

    // The best of `rounds` scans and of as many runs of the reference, taken in turns after
    // one of each to warm the cache; the worst stall of them all.
    struct Comparison {
        double scanMs = 1e100;
        double referenceMs = 1e100;
        double maxStallMs = 0;
        std::uint64_t found = 0;
    };
    static Comparison compare(IWork& work, IWork::WorkStatus finished,
                              const std::function<double()>& reference, int rounds);
};
