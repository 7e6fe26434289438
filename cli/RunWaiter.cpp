#include "RunWaiter.h"

#include "Progress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <platform/Interrupt.h>

RunWaiter::RunWaiter(IWork& work) : work_(work) {
    // From a worker the status reaches the loop queued, behind the batches posted before it.
    work_.statusCallback = [this](IWork::WorkStatus status) {
        QMetaObject::invokeMethod(
            this, [this, status] { received(status); }, Qt::QueuedConnection);
    };
}

RunWaiter::~RunWaiter() {
    work_.statusCallback = nullptr;
}

bool RunWaiter::interrupted() {
    return platform::Interrupt::requested();
}

void RunWaiter::received(IWork::WorkStatus status) {
    ++seen_[status];
    if (loop_ && status == awaited_)
        loop_->quit();
}

void RunWaiter::checkInterrupt() {
    if (stopAsked_ || !interrupted())
        return;
    stopAsked_ = true;
    IWork::BeginQuit();
    work_.RequestStop();
}

bool RunWaiter::run(const std::function<bool()>& start, IWork::WorkStatus finished,
                    Progress* progress, std::function<QString()> progressLine) {
    const int before = seen_[finished];
    if (interrupted() || !start())
        return false;
    if (progress)
        progress->start(std::move(progressLine));
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &loop, [this] { checkInterrupt(); });
    poll.start();
    if (seen_[finished] == before) {
        loop_ = &loop;
        awaited_ = finished;
        loop.exec();
        loop_ = nullptr;
        awaited_ = -1;
    }
    poll.stop();
    // The last worker leaves the pool right after its report.
    while (work_.HasRegisteredRun()) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    // Whatever it posted besides (a count, a row to hide) is handled before anyone reads.
    QCoreApplication::processEvents();
    if (progress)
        progress->stop();
    return true;
}
