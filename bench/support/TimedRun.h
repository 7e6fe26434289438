#pragma once

#include "IWork.h"

#include <QString>
#include <QStringList>
#include <functional>

class QEventLoop;

// Timing for the benchmarks, with the event loop running as in the program.
class TimedRun {
public:
    double ms = 0;
    // The longest gap of a 10 ms heartbeat on the GUI thread beyond its period.
    double maxStallMs = 0;

    // Starts a run of `work` (whose status callback is the broker's) and waits for its
    // `finished` status and an empty pool.
    static TimedRun of(IWork& work, IWork::WorkStatus finished, const std::function<int()>& start);
    // The same for a run whose end the caller tells by quitting `finished` (a work without
    // a status block hears it from its model).
    static TimedRun until(IWork& work, QEventLoop& finished, const std::function<void()>& start);
    // Milliseconds a program takes, its output discarded.
    static double program(const QString& name, const QStringList& arguments);

    // The best of `rounds` runs and of as many runs of the reference (a standard tool),
    // taken in turns after one of each to warm the cache; the worst stall of them all.
    struct Comparison {
        double ms = 1e100;
        double referenceMs = 1e100;
        double maxStallMs = 0;
    };
    static Comparison compare(IWork& work, IWork::WorkStatus finished,
                              const std::function<int()>& start,
                              const std::function<double()>& reference, int rounds);
};
