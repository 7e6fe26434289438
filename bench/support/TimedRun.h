#pragma once

#include "IWork.h"

#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// The end of a run as the caller hears it (a work without a status block hears it from
// its model): connect that signal, with this as context, to reach(). It may come before
// the wait begins, even inside the start, and is not lost then.
class RunEnd : public QObject {
public:
    void reach();

private:
    friend class TimedRun;
    void wait();

    QEventLoop loop_;
    bool reached_ = false;
};

// Timing for the benchmarks, with the event loop running as in the program.
class TimedRun {
public:
    double ms = 0;
    // The longest gap of a 10 ms heartbeat on the GUI thread beyond its period.
    double maxStallMs = 0;

    // Starts a run of `work` (whose status callback is the broker's) and waits for its
    // `finished` status and an empty pool. start() must return `accepted`: a refused run
    // would never finish, so the program stops with a message instead.
    static TimedRun of(IWork& work, IWork::WorkStatus finished, int accepted,
                       const std::function<int()>& start);
    // The same for a run whose end the caller tells through `end`.
    static TimedRun until(IWork& work, RunEnd& end, int accepted,
                          const std::function<int()>& start);
    // Milliseconds a program takes, its output discarded. It runs in the temporary folder,
    // so a tool that leaves report files behind leaves them there.
    static double program(const QString& name, const QStringList& arguments);

    // The best of `rounds` runs and of as many runs of the reference (a standard tool),
    // taken in turns after one of each to warm the cache; the worst stall of them all.
    struct Comparison {
        double ms = 1e100;
        double referenceMs = 1e100;
        double maxStallMs = 0;
        // Prints "NAME_ms", "TOOL_ms" and "NAME_vs_TOOL" figures ("scan", "find").
        void print(const char* name, const char* tool) const;
    };
    // The longest stall of the GUI thread while `action` runs on it and `settleMs` after,
    // with the event loop turning: the cost of a user's action as the page feels it.
    static double stallOf(const std::function<void()>& action, int settleMs = 300);

    static Comparison compare(const std::function<TimedRun()>& run,
                              const std::function<double()>& reference, int rounds);
};
