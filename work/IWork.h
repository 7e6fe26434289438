#pragma once

#include "ItemFailures.h"
#include "RunProgress.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

// Base of every scan-and-clean job. The GUI thread drives a work through the virtual
// operations; the work answers only through statusCallback. Scans and cleans run on a
// pool of detached workers started by StartWorkers().
class IWork {
public:
    // One block of four values per work: scan started, clean started, scan finished,
    // clean finished.
    enum WorkStatus : std::int32_t {
        Cancelled = 3,
        CCleanScanning = 5,
        CCleanCleaning = 6,
        CCleanScanFinished = 7,
        CCleanCleanFinished = 8,
        VXCleanScanning = 9,
        VXCleanCleaning = 10,
        VXCleanScanFinished = 11,
        VXCleanCleanFinished = 12,
        QQCleanScanning = 13,
        QQCleanCleaning = 14,
        QQCleanScanFinished = 15,
        QQCleanCleanFinished = 16,
        LargeFileScanning = 17,
        LargeFileMoving = 18,
        LargeFileScanFinished = 19,
        LargeFileMoveFinished = 20,
        DuplicateScanning = 21,
        DuplicateCleaning = 22,
        DuplicateScanFinished = 23,
        DuplicateCleanFinished = 24,
        PrivacyScanning = 25,
        PrivacyCleaning = 26,
        PrivacyScanFinished = 27,
        PrivacyCleanFinished = 28,
    };

    // Which status block a concrete work reports with; Other has none.
    enum class WorkKind { Other, CClean, VXClean, QQClean, LargeFile, DuplicateFile, Privacy };
    enum class RunKind { Scan, Clean };

    // Progress record handed to progressCallback by reference. Only the byte count is
    // kept up to date.
    struct _WorkInfo {
        std::atomic<std::uint64_t> scannedBytes{0};
        fs::path path;
        std::uint64_t value = 0;
        QString text;
    };
    // Copyable twin of _WorkInfo that travels in queued signals.
    struct TWorkInfoEx {
        std::uint64_t scannedBytes = 0;
        fs::path path;
        std::uint64_t value = 0;
        QString text;
    };

    explicit IWork(WorkKind kind = WorkKind::Other);
    virtual ~IWork();
    IWork(const IWork&) = delete;
    IWork& operator=(const IWork&) = delete;

    virtual int StartScan();
    virtual int CancelScan();
    virtual int StartClean();
    virtual QStringList GetResults();
    virtual std::uint64_t GetFreedSize();
    virtual void GetSizes(std::uint64_t& found, std::uint64_t& selected);
    virtual void AddSelectedSize(std::int64_t delta);
    virtual void RequestStop();
    virtual void Reserved();

    WorkKind Kind() const { return workKind; }
    // The status values of a kind; throws the C string "unknow scan!" for Other.
    static WorkStatus StartedStatus(WorkKind kind, RunKind run);
    static WorkStatus FinishedStatus(WorkKind kind, RunKind run);
    // Pool size for a processor count: N up to 3, N - 1 above, never less than one.
    static unsigned WorkerCount(unsigned hardwareThreads);

    // True while workers of a run are still registered; a new run must wait for false.
    bool HasRegisteredRun();
    // False while a run is registered or once the program quits: a scan, clean or move must
    // then not start (and report nothing).
    bool MayStartRun();

    // Called once when the user quits: from then on no run starts, and running cleans and
    // moves put down their work between two files.
    static void BeginQuit();
    static bool Quitting();
    // The flag behind Quitting(), for a long operation that can stop part-way (a copy).
    static const std::atomic<bool>& QuitFlag();

    _WorkInfo workInfo;
    std::vector<std::thread> threads;
    std::atomic<std::int32_t> activeWorkers{0};
    std::function<void(IWork::WorkStatus)> statusCallback;
    std::function<void(fs::directory_entry, IWork::_WorkInfo&)> progressCallback;
    std::atomic<std::uint64_t> foundSize{0};
    std::atomic<std::uint64_t> selectedSize{0};
    std::atomic<std::uint64_t> freedSize{0};
    std::atomic<bool> stopRequested{false};
    QObject* pageModel = nullptr;
    // How far the current run has come, and what a clean, move or uninstall could not do;
    // reset when a run reports its start (a clean's failures are kept until the next one).
    RunProgress progress;
    ItemFailures failures;

protected:
    // Starts WorkerCount(hardwareThreads) workers, each running taskLoop inside a
    // catch-all; the last one of them to leave runs beforeFinished (also inside a
    // catch-all) and then reports finishedStatus, once, even when another run overlaps.
    // When no thread can be started, both happen at once on the calling thread. Once the
    // program quits nothing starts and nothing is reported. Returns the workers started.
    int StartWorkers(WorkStatus finishedStatus, std::function<void()> taskLoop,
                     unsigned hardwareThreads = std::thread::hardware_concurrency(),
                     std::function<void()> beforeFinished = {});
    // The same with one worker, for works whose runs cannot be shared out.
    int StartSingleWorker(WorkStatus finishedStatus, std::function<void()> taskLoop,
                          std::function<void()> beforeFinished = {});
    // Adds to selectedSize without telling anyone: for counts that follow a scan's results.
    void AdjustSelectedSize(std::int64_t delta);
    // Creates one thread; a test seam for thread start failures.
    virtual std::thread LaunchWorker(std::function<void()> body);
    // Reports a status under statusMutex; a throwing callback is contained.
    void ReportStatus(WorkStatus status);

    WorkKind workKind;
    std::mutex threadListMutex;
    std::mutex statusMutex;

private:
    // What the workers of one StartWorkers call share; guarded by threadListMutex.
    struct Run {
        std::function<void()> taskLoop;
        std::function<void()> beforeFinished;
        WorkStatus finishedStatus;
        int workers = 0;
    };

    void Finish(Run& run);

    void RunWorker(const std::shared_ptr<Run>& run) noexcept;
    void LeavePool(Run& run);
    void EraseOwnThread();
    int ReportStarted(RunKind run);
};

Q_DECLARE_METATYPE(IWork::WorkStatus)
Q_DECLARE_METATYPE(IWork::TWorkInfoEx)
Q_DECLARE_METATYPE(fs::directory_entry)
