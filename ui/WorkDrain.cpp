#include "WorkDrain.h"

#include "IWork.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <algorithm>

void WorkDrain::watch(IWork* work) {
    if (work && std::find(works.begin(), works.end(), work) == works.end())
        works.push_back(work);
}

bool WorkDrain::idle() const {
    return std::none_of(works.begin(), works.end(),
                        [](IWork* work) { return work->HasRegisteredRun(); });
}

bool WorkDrain::drain(int timeoutMs) {
    for (IWork* work : works)
        work->RequestStop();
    // Events are served while we wait, not slept through: workers may be blocked on a call
    // into the GUI thread, and their results and statuses keep arriving. (No nested event
    // loop: once the application was told to quit, one would return at once.) The timer
    // only wakes the wait to look again.
    const QDeadlineTimer deadline(timeoutMs);
    QTimer wake;
    wake.start(10);
    while (!idle() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return idle();
}
