#include "WorkHarness.h"

#include "WorkBroker.h"
#include "WorkMetaTypes.h"

#include <QTest>

namespace {
constexpr int runTimeoutMs = 30000;
}

WorkHarness::WorkHarness(IWork& work) : work_(work) {
    ensureBroker();
    work_.statusCallback = WorkBroker::StatusCallback();
    // A receiver in this thread gets worker emissions queued, like the window.
    QObject::connect(workBroker, &WorkBroker::OnCCleanStatusChanging, &receiver_,
                     [this](IWork::WorkStatus status) { statuses_.append(status); });
}

WorkHarness::~WorkHarness() {
    if (!QTest::qWaitFor([this] { return !work_.HasRegisteredRun(); }, runTimeoutMs))
        qFatal("a run did not finish");
    // Late queued calls of the run reach their receivers before the work may go.
    QCoreApplication::processEvents();
}

void WorkHarness::ensureBroker() {
    if (workBroker)
        return;
    RegisterWorkMetaTypes();
    workBroker = new WorkBroker;
}

bool WorkHarness::scan() {
    return run([this] { return work_.StartScan(); }, 1, IWork::RunKind::Scan);
}

bool WorkHarness::clean() {
    return run([this] { return work_.StartClean(); }, 0, IWork::RunKind::Clean);
}

bool WorkHarness::run(const std::function<int()>& start, int accepted, IWork::RunKind kind) {
    const IWork::WorkStatus finished = IWork::FinishedStatus(work_.Kind(), kind);
    // Finished statuses from workers arrive queued, so none can slip in before the count.
    const int before = statuses().count(finished);
    return start() == accepted && waitForFinished(finished, before);
}

bool WorkHarness::waitForFinished(IWork::WorkStatus finished, int seenBefore) {
    return QTest::qWaitFor(
        [&] { return statuses().count(finished) > seenBefore && !work_.HasRegisteredRun(); },
        runTimeoutMs);
}
