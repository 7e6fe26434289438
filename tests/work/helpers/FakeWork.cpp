#include "FakeWork.h"

#include <stdexcept>
#include <system_error>

FakeWork::FakeWork(WorkKind kind) : IWork(kind) {}

int FakeWork::ScanWith(int tasks, unsigned hardwareThreads) {
    if (HasRegisteredRun())
        return 2;
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        queue.clear();
        for (int i = 0; i < tasks; ++i)
            queue.push_back(i);
        processed_ = 0;
        loopThreads.clear();
    }
    foundSize.store(0);
    stopRequested.store(false);
    IWork::StartScan();
    const WorkStatus finished =
        workKind == WorkKind::Other ? CCleanScanFinished : FinishedStatus(workKind, RunKind::Scan);
    StartWorkers(
        finished, [this] { TaskLoop(); }, hardwareThreads);
    return 1;
}

void FakeWork::CleanWith(int tasks, unsigned hardwareThreads) {
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        for (int i = 0; i < tasks; ++i)
            queue.push_back(i);
    }
    IWork::StartClean();
    StartWorkers(
        CCleanCleanFinished, [this] { TaskLoop(); }, hardwareThreads);
}

void FakeWork::TaskLoop() {
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        loopThreads.insert(std::this_thread::get_id());
    }
    bool first = true;
    while (!stopRequested.load()) {
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            if (queue.empty())
                return;
            queue.pop_front();
        }
        if (throwInLoop)
            throw std::runtime_error("task failed");
        if (first) {
            first = false;
            std::unique_lock<std::mutex> lock(gateMutex);
            if (gateClosed) {
                heldAtGate = true;
                gateChanged.notify_all();
                gateChanged.wait(lock, [this] { return !gateClosed; });
            }
        }
        foundSize.fetch_add(1);
        std::lock_guard<std::mutex> lock(queueMutex);
        ++processed_;
    }
}

void FakeWork::CloseGate() {
    std::lock_guard<std::mutex> lock(gateMutex);
    gateClosed = true;
    heldAtGate = false;
}

void FakeWork::WaitUntilHeldAtGate() {
    std::unique_lock<std::mutex> lock(gateMutex);
    gateChanged.wait(lock, [this] { return heldAtGate; });
}

void FakeWork::Open() {
    std::lock_guard<std::mutex> lock(gateMutex);
    gateClosed = false;
    gateChanged.notify_all();
}

std::set<std::thread::id> FakeWork::LoopThreads() {
    std::lock_guard<std::mutex> lock(queueMutex);
    return loopThreads;
}

int FakeWork::processed() {
    std::lock_guard<std::mutex> lock(queueMutex);
    return processed_;
}

std::thread FakeWork::LaunchWorker(std::function<void()> body) {
    if (++launches == failLaunchAt)
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    return IWork::LaunchWorker(std::move(body));
}
