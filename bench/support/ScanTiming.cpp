#include "ScanTiming.h"

#include "WorkBroker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <algorithm>

double ScanTiming::timeCommand(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e6;
}

ScanTiming::Run ScanTiming::timeScan(IWork& work, IWork::WorkStatus finished) {
    Run run;
    QEventLoop loop;
    auto done = QObject::connect(workBroker, &WorkBroker::OnCCleanStatusChanging, &loop,
                                 [&](IWork::WorkStatus status) {
                                     if (status == finished)
                                         loop.quit();
                                 });
    QElapsedTimer beat;
    QTimer heartbeat;
    heartbeat.setInterval(10);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        run.maxStallMs = std::max(run.maxStallMs, beat.nsecsElapsed() / 1e6);
        beat.restart();
    });
    QElapsedTimer clock;
    clock.start();
    beat.start();
    heartbeat.start();
    work.StartScan();
    loop.exec();
    run.ms = clock.nsecsElapsed() / 1e6;
    heartbeat.stop();
    QObject::disconnect(done);
    run.maxStallMs = std::max(0.0, run.maxStallMs - 10.0);
    run.found = work.foundSize.load();
    // Let the last worker deregister before the next run.
    while (work.HasRegisteredRun())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    return run;
}

ScanTiming::Comparison ScanTiming::compare(IWork& work, IWork::WorkStatus finished,
                                           const std::function<double()>& reference, int rounds) {
    reference();
    timeScan(work, finished);
    Comparison result;
    for (int round = 0; round < rounds; ++round) {
        result.referenceMs = std::min(result.referenceMs, reference());
        const Run run = timeScan(work, finished);
        result.scanMs = std::min(result.scanMs, run.ms);
        result.maxStallMs = std::max(result.maxStallMs, run.maxStallMs);
        result.found = run.found;
    }
    return result;
}
