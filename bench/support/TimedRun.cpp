#include "TimedRun.h"

#include "StallMeter.h"
#include "WorkBroker.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

void RunEnd::reach() {
    reached_ = true;
    loop_.quit();
}

void RunEnd::wait() {
    // A quit() before exec() is lost, so an end reached during the start is kept apart.
    if (!reached_)
        loop_.exec();
}

TimedRun TimedRun::of(IWork& work, IWork::WorkStatus finished, int accepted,
                      const std::function<int()>& start) {
    RunEnd end;
    QObject::connect(workBroker, &WorkBroker::OnCCleanStatusChanging, &end,
                     [&](IWork::WorkStatus status) {
                         if (status == finished)
                             end.reach();
                     });
    return until(work, end, accepted, start);
}

TimedRun TimedRun::until(IWork& work, RunEnd& end, int accepted,
                         const std::function<int()>& start) {
    TimedRun run;
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    const int answer = start();
    if (answer != accepted) {
        std::fprintf(stderr, "the work refused the run (answered %d, not %d)\n", answer, accepted);
        std::exit(1);
    }
    end.wait();
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
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setWorkingDirectory(QDir::tempPath());
    QElapsedTimer clock;
    clock.start();
    process.start(name, arguments);
    // A missing tool would otherwise time as next to nothing.
    if (!process.waitForStarted(-1)) {
        std::fprintf(stderr, "could not start %s\n", qPrintable(name));
        std::exit(1);
    }
    process.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e6;
}

double TimedRun::stallOf(const std::function<void()>& action, int settleMs) {
    StallMeter stalls;
    action();
    QEventLoop loop;
    QTimer::singleShot(settleMs, &loop, &QEventLoop::quit);
    loop.exec();
    return stalls.stopMs();
}

TimedRun::Comparison TimedRun::compare(const std::function<TimedRun()>& run,
                                       const std::function<double()>& reference, int rounds) {
    reference();
    run();
    Comparison result;
    for (int round = 0; round < rounds; ++round) {
        result.referenceMs = std::min(result.referenceMs, reference());
        const TimedRun timed = run();
        result.ms = std::min(result.ms, timed.ms);
        result.maxStallMs = std::max(result.maxStallMs, timed.maxStallMs);
    }
    return result;
}

void TimedRun::Comparison::print(const char* name, const char* tool) const {
    std::printf("%s_ms: %.1f\n", name, ms);
    std::printf("%s_ms: %.1f\n", tool, referenceMs);
    std::printf("%s_vs_%s: %.2f\n", name, tool, ms / referenceMs);
}
