#pragma once

#include "IWork.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

// A work whose tasks are plain counters, driven through the real pool. A gate lets a test
// hold the first task until it has done something in the middle of a run.
class FakeWork : public IWork {
public:
    explicit FakeWork(WorkKind kind = WorkKind::CClean);

    // Scans `tasks` tasks on the pool of `processors` hardware threads.
    int ScanWith(int tasks, unsigned processors);
    int StartScan() override { return ScanWith(taskCount, processors); }
    // Starts a clean run of `tasks` tasks without waiting for a registered run, as a
    // clean may be started over a running scan.
    void CleanWith(int tasks, unsigned processors);

    // Blocks the first task until Open(); returns once a worker is waiting there.
    void CloseGate();
    void WaitUntilHeldAtGate();
    void Open();

    std::set<std::thread::id> LoopThreads();
    int processed();

    int taskCount = 100;
    unsigned processors = 2;
    // LaunchWorker throws std::system_error on this call (0 = never), counted from 1.
    int failLaunchAt = 0;
    // The task loop throws after taking its first task.
    bool throwInLoop = false;

protected:
    std::thread LaunchWorker(std::function<void()> body) override;

private:
    void TaskLoop();

    std::mutex queueMutex;
    std::deque<int> queue;
    std::set<std::thread::id> loopThreads;
    int processed_ = 0;
    int launches = 0;

    std::mutex gateMutex;
    std::condition_variable gateChanged;
    bool gateClosed = false;
    bool heldAtGate = false;
};
