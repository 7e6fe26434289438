#include "TimedRun.h"

#include "StallMeter.h"
#include "WorkBroker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <algorithm>

TimedRun TimedRun::of(IWork& work, IWork::WorkStatus finished, const std::function<int()>& start) {
    QEventLoop loop;
    auto done = QObject::connect(workBroker, &WorkBroker::OnCCleanStatusChanging, &loop,
                                 [&](IWork::WorkStatus status) {
                                     if (status == finished)
                                         loop.quit();
                                 });
    const TimedRun run = until(work, loop, [&] { start(); });
    QObject::disconnect(done);
    return run;
}

TimedRun TimedRun::until(IWork& work, QEventLoop& finished, const std::function<void()>& start) {
    TimedRun run;
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    start();
    finished.exec();
    run.ms = clock.nsecsElapsed() / 1e6;
    run.maxStallMs = stalls.stopMs();
    // Let the last worker deregister before the next run.
    while (work.HasRegisteredRun())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    return run;
}

double TimedRun::program(const QString& name, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(name, arguments);
    process.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e6;
}

TimedRun::Comparison TimedRun::compare(IWork& work, IWork::WorkStatus finished,
                                       const std::function<int()>& start,
                                       const std::function<double()>& reference, int rounds) {
    reference();
    of(work, finished, start);
    Comparison result;
    for (int round = 0; round < rounds; ++round) {
        result.referenceMs = std::min(result.referenceMs, reference());
        const TimedRun run = of(work, finished, start);
        result.ms = std::min(result.ms, run.ms);
        result.maxStallMs = std::max(result.maxStallMs, run.maxStallMs);
    }
    return result;
}
