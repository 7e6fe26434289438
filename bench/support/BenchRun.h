#pragma once

#include "IWork.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <functional>

// What the benchmarks share: timing a standard tool, and timing a work's run while
// measuring how long the GUI thread stood still meanwhile.
namespace BenchRun {

// Milliseconds a program takes to run to its end, its output discarded.
inline double TimeProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e6;
}

struct Figures {
    double ms = 0;
    // The longest time the GUI thread went without serving a 10 ms heartbeat, beyond the
    // heartbeat's own period: how long the window would have stood still.
    double maxStallMs = 0;
};

// Calls `start` and serves events until `finished` quits `loop` (a connection the caller
// made), then waits until the work's pool is empty and its queued calls have arrived.
inline Figures TimeRun(IWork& work, QEventLoop& finished, const std::function<void()>& start) {
    constexpr int periodMs = 10;
    Figures figures;
    double longestMs = 0;
    QElapsedTimer beat;
    QTimer heartbeat;
    heartbeat.setInterval(periodMs);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        longestMs = std::max(longestMs, beat.nsecsElapsed() / 1e6);
        beat.restart();
    });
    QElapsedTimer clock;
    clock.start();
    beat.start();
    heartbeat.start();
    start();
    finished.exec();
    figures.ms = clock.nsecsElapsed() / 1e6;
    heartbeat.stop();
    figures.maxStallMs = std::max(0.0, longestMs - periodMs);
    while (work.HasRegisteredRun())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    return figures;
}

} // namespace BenchRun
