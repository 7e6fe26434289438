#pragma once

#include "IWork.h"

#include <QObject>
#include <functional>
#include <map>

class Progress;
class QEventLoop;

// Runs a work's scan or clean the way the window does, on an event loop, and waits for its
// end: the work's finished status has arrived (after every batch of results it posted) and
// its pool is empty. While it waits, Ctrl+C stops the run as quitting the window does: the
// program quits (no run starts any more, cleans and moves put down their work between two
// files) and the work is asked to stop its scan.
class RunWaiter : public QObject {
public:
    // Takes over the work's status callback.
    explicit RunWaiter(IWork& work);
    ~RunWaiter() override;

    // Calls `start`, which tells whether the run began, and waits for `finished`. False when
    // it did not begin.
    bool run(const std::function<bool()>& start, IWork::WorkStatus finished,
             Progress* progress = nullptr, std::function<QString()> progressLine = {});

    // Whether the user asked to stop (now or before).
    static bool interrupted();

private:
    void received(IWork::WorkStatus status);
    // Stops the work when the user asked to; once.
    void checkInterrupt();

    IWork& work_;
    std::map<int, int> seen_;
    // While run() waits: the loop and the status that ends it.
    QEventLoop* loop_ = nullptr;
    int awaited_ = -1;
    bool stopAsked_ = false;
};
