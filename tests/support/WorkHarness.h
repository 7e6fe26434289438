#pragma once

#include "IWork.h"

#include <QList>
#include <QObject>
#include <functional>

// Drives a work the way the window does: the broker and meta-types of start-up, the work's
// status callback through the broker, a record of the statuses that arrived, and runs that
// wait (event loop running) for their finished status. Works with any work.
class WorkHarness {
public:
    explicit WorkHarness(IWork& work);
    // Waits for a run still registered, so no worker outlives the work.
    ~WorkHarness();

    // Registers the meta-types and creates the broker once per process.
    static void ensureBroker();

    // Starts a scan or clean and waits until its finished status has arrived and the pool
    // is empty again. False when it was refused or did not finish in time.
    bool scan();
    bool clean();
    // The same for a start of the work's own (a move, a scan of one drive): `start` must
    // return `accepted` for the run to count as started.
    bool run(const std::function<int()>& start, int accepted, IWork::RunKind kind);
    // Waits for one more `finished` than `seenBefore` and an empty pool.
    bool waitForFinished(IWork::WorkStatus finished, int seenBefore);

    // Statuses of every work delivered so far through the broker to the GUI thread, in
    // order: as the window sees them, after every queued call posted before them.
    QList<int> statuses() const { return statuses_; }
    void clearStatuses() { statuses_.clear(); }

private:
    IWork& work_;
    QObject receiver_;
    QList<int> statuses_;
};
