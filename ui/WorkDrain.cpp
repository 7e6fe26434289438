#include "WorkDrain.h"

#include "IWork.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
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
    const QDeadlineTimer deadline(timeoutMs);
    while (!idle() && !deadline.hasExpired()) {
        // Workers may be blocked on a call into the GUI thread; serve it.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return idle();
}
