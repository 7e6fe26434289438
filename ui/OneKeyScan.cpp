#include "OneKeyScan.h"

#include <QDebug>

OneKeyScan::OneKeyScan(std::vector<Step> steps, RowAnimation animate, QObject* parent)
    : QObject(parent), steps_(std::move(steps)), counts_(steps_.size()),
      animate_(std::move(animate)) {}

void OneKeyScan::start() {
    if (running_)
        return;
    running_ = true;
    finished_ = 0;
    emit runningChanged(true);
    qDebug() << "home scan：start ";
    runFrom(0);
}

void OneKeyScan::cancel() {
    if (!running_)
        return;
    for (const Step& step : steps_) {
        if (step.work)
            step.work->RequestStop();
    }
    qDebug() << "home scan：stop";
    end();
}

void OneKeyScan::end() {
    running_ = false;
    emit runningChanged(false);
}

std::size_t OneKeyScan::stepOf(IWork::WorkStatus ws, bool& started, bool& finished) const {
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        IWork* work = steps_[i].work;
        if (!work || work->Kind() == IWork::WorkKind::Other)
            continue;
        started = ws == IWork::StartedStatus(work->Kind(), IWork::RunKind::Scan);
        finished = ws == IWork::FinishedStatus(work->Kind(), IWork::RunKind::Scan);
        if (started || finished)
            return i;
    }
    return steps_.size();
}

void OneKeyScan::statusSeen(IWork::WorkStatus ws) {
    bool started = false;
    bool finished = false;
    const std::size_t step = stepOf(ws, started, finished);
    if (step == steps_.size())
        return;
    // Kept whether or not the sequence runs: a scan that started before it still owes its
    // finished status, which must not be taken for the sequence's own.
    counts_[step].started += started ? 1 : 0;
    counts_[step].finished += finished ? 1 : 0;
}

void OneKeyScan::scanFinished(IWork::WorkStatus ws) {
    bool started = false;
    bool finished = false;
    const std::size_t step = stepOf(ws, started, finished);
    if (!running_ || !finished || step != current_ || counts_[step].finished < awaited_)
        return;
    ++finished_;
    runFrom(current_ + 1);
}

void OneKeyScan::runFrom(std::size_t index) {
    for (; index < steps_.size(); ++index) {
        if (IWork::Quitting())
            break;
        const Step& step = steps_[index];
        current_ = index;
        animate_(step.homeRow, true);
        const Counts before = counts_[index];
        // Each scan reports its end once, in the order they started: scans started earlier
        // report first, and this one's end is the n-th, n its start's number. Known before
        // the start, since a scan that starts no worker reports its end inside StartScan.
        awaited_ = before.started + 1;
        if (step.work)
            step.work->StartScan();
        // The scan-started status arrives during StartScan when the scan really starts. An
        // end reported inside it has already moved the sequence on.
        if (counts_[index].started > before.started)
            return;
        animate_(step.homeRow, false);
        ++finished_;
    }
    end();
}
