#include "IWork.h"

#include <exception>

namespace {
std::atomic<bool> quitting{false};
} // namespace

IWork::IWork(WorkKind kind) : workKind(kind) {}

IWork::~IWork() = default;

IWork::WorkStatus IWork::StartedStatus(WorkKind kind, RunKind run) {
    if (kind == WorkKind::Other)
        throw "unknow scan!";
    const int base = 4 * static_cast<int>(kind);
    return static_cast<WorkStatus>(base + (run == RunKind::Scan ? 1 : 2));
}

IWork::WorkStatus IWork::FinishedStatus(WorkKind kind, RunKind run) {
    return static_cast<WorkStatus>(StartedStatus(kind, run) + 2);
}

unsigned IWork::WorkerCount(unsigned hardwareThreads) {
    // hardware_concurrency() may answer 0; a run without workers would never finish.
    if (hardwareThreads == 0)
        return 1;
    return hardwareThreads <= 3 ? hardwareThreads : hardwareThreads - 1;
}

int IWork::ReportStarted(RunKind run) {
    if (statusCallback)
        statusCallback(StartedStatus(workKind, run));
    workInfo.scannedBytes.store(0);
    progress.reset();
    if (run == RunKind::Clean)
        failures.clear();
    return 0;
}

int IWork::StartScan() {
    return ReportStarted(RunKind::Scan);
}

int IWork::CancelScan() {
    if (statusCallback)
        statusCallback(Cancelled);
    return 0;
}

int IWork::StartClean() {
    return ReportStarted(RunKind::Clean);
}

QStringList IWork::GetResults() {
    return {};
}

std::uint64_t IWork::GetFreedSize() {
    return freedSize.load();
}

void IWork::GetSizes(std::uint64_t& found, std::uint64_t& selected) {
    found = foundSize.load();
    selected = selectedSize.load();
}

void IWork::AddSelectedSize(std::int64_t delta) {
    AdjustSelectedSize(delta);
}

void IWork::AdjustSelectedSize(std::int64_t delta) {
    // Two's complement: a negative delta subtracts, wrapping like the unsigned counter.
    selectedSize.fetch_add(static_cast<std::uint64_t>(delta));
}

void IWork::RequestStop() {
    stopRequested.store(true);
}

void IWork::Reserved() {}

bool IWork::HasRegisteredRun() {
    std::lock_guard<std::mutex> lock(threadListMutex);
    return !threads.empty();
}

bool IWork::MayStartRun() {
    return !Quitting() && !HasRegisteredRun();
}

void IWork::BeginQuit() {
    quitting.store(true);
}

bool IWork::Quitting() {
    return quitting.load();
}

const std::atomic<bool>& IWork::QuitFlag() {
    return quitting;
}

std::thread IWork::LaunchWorker(std::function<void()> body) {
    return std::thread(std::move(body));
}

void IWork::ReportStatus(WorkStatus status) {
    std::lock_guard<std::mutex> lock(statusMutex);
    if (!statusCallback)
        return;
    try {
        statusCallback(status);
    } catch (...) {
        // A worker must survive a faulty callback; the status is lost either way.
    }
}

int IWork::StartSingleWorker(WorkStatus finishedStatus, std::function<void()> taskLoop,
                             std::function<void()> beforeFinished) {
    return StartWorkers(finishedStatus, std::move(taskLoop), 1, std::move(beforeFinished));
}

int IWork::StartWorkers(WorkStatus finishedStatus, std::function<void()> taskLoop,
                        unsigned hardwareThreads, std::function<void()> beforeFinished) {
    if (Quitting())
        return 0;
    auto run = std::make_shared<Run>();
    run->taskLoop = std::move(taskLoop);
    run->beforeFinished = std::move(beforeFinished);
    run->finishedStatus = finishedStatus;
    const unsigned count = WorkerCount(hardwareThreads);
    int started = 0;
    {
        // Every worker is registered before any can reach LeavePool, so each one finds
        // its own entry and the run's count only reaches zero at its true last worker.
        std::lock_guard<std::mutex> lock(threadListMutex);
        try {
            threads.reserve(threads.size() + count);
            for (unsigned i = 0; i < count; ++i) {
                threads.push_back(LaunchWorker([this, run] { RunWorker(run); }));
                ++run->workers;
            }
        } catch (const std::exception&) {
            // Out of threads or memory: the run goes on with the workers already started.
        }
        started = run->workers;
    }
    if (started == 0)
        Finish(*run);
    return started;
}

void IWork::Finish(Run& run) {
    if (run.beforeFinished) {
        try {
            run.beforeFinished();
        } catch (...) {
            // The finished status must still go out, or the page would stay busy.
        }
    }
    ReportStatus(run.finishedStatus);
}

void IWork::RunWorker(const std::shared_ptr<Run>& run) noexcept {
    activeWorkers.fetch_add(1);
    try {
        run->taskLoop();
    } catch (...) {
        // Engines catch per task; anything left over ends this worker's loop only.
    }
    activeWorkers.fetch_sub(1);
    try {
        LeavePool(*run);
    } catch (...) {
    }
}

void IWork::LeavePool(Run& run) {
    bool last = false;
    {
        std::lock_guard<std::mutex> lock(threadListMutex);
        last = --run.workers == 0;
        if (!last)
            EraseOwnThread();
    }
    if (!last)
        return;
    // The last worker stays registered until it has reported, so a new run cannot start
    // (and report its started status) before this run's finished status is out.
    Finish(run);
    std::lock_guard<std::mutex> lock(threadListMutex);
    EraseOwnThread();
}

void IWork::EraseOwnThread() {
    const auto self = std::this_thread::get_id();
    for (auto it = threads.begin(); it != threads.end(); ++it) {
        if (it->get_id() == self) {
            it->detach();
            threads.erase(it);
            return;
        }
    }
}
