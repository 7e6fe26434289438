#include "TimedRun.h"

#include "WorkBroker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <algorithm>

TimedRun TimedRun::of(IWork& work, IWork::WorkStatus finished, const std::function<int()>& start) {
    TimedRun run;
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
    start();
    loop.exec();
    run.ms = clock.nsecsElapsed() / 1e6;
    heartbeat.stop();
    QObject::disconnect(done);
    run.maxStallMs = std::max(0.0, run.maxStallMs - 10.0);
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
