#include "FakeWork.h"
#include "StatusRecorder.h"

#include <QtTest>
#include <cstring>

Q_DECLARE_METATYPE(IWork::WorkKind)

namespace {
constexpr int longWait = 60000;

// A run is over once its last worker has reported and left the thread list.
bool waitIdle(FakeWork& work) {
    QElapsedTimer timer;
    timer.start();
    while (work.HasRegisteredRun()) {
        if (timer.elapsed() > longWait)
            return false;
        std::this_thread::yield();
    }
    return true;
}
} // namespace

class tst_WorkerPool : public QObject {
    Q_OBJECT
private slots:
    void workerCount_data();
    void workerCount();
    void runUsesWorkerCountThreads_data();
    void runUsesWorkerCountThreads();
    void exactlyOneFinishedUnderContention_data();
    void exactlyOneFinishedUnderContention();
    void stopEndsScanWithFinishedAndNextScanIsComplete();
    void secondStartWhileRegisteredIsRefused();
    void overlappingRunsEachFinishOnce();
    void threadStartFailure_data();
    void threadStartFailure();
    void throwingTaskLoopStillFinishes();
    void defaultStartedStatuses_data();
    void defaultStartedStatuses();
    void unknownKindThrowsOnlyWithCallback();
    void selectedSizeRoundTrip();
};

void tst_WorkerPool::workerCount_data() {
    QTest::addColumn<unsigned>("processors");
    QTest::addColumn<unsigned>("workers");
    QTest::newRow("unknown count") << 0u << 1u;
    QTest::newRow("1 processor") << 1u << 1u;
    QTest::newRow("2 processors") << 2u << 2u;
    QTest::newRow("3 processors") << 3u << 3u;
    QTest::newRow("4 processors") << 4u << 3u;
    QTest::newRow("16 processors") << 16u << 15u;
}

void tst_WorkerPool::workerCount() {
    QFETCH(unsigned, processors);
    QFETCH(unsigned, workers);
    QCOMPARE(IWork::WorkerCount(processors), workers);
}

void tst_WorkerPool::runUsesWorkerCountThreads_data() {
    QTest::addColumn<unsigned>("processors");
    QTest::addColumn<int>("threads");
    QTest::newRow("unknown count") << 0u << 1;
    QTest::newRow("1 processor") << 1u << 1;
    QTest::newRow("2 processors") << 2u << 2;
    QTest::newRow("4 processors") << 4u << 3;
}

void tst_WorkerPool::runUsesWorkerCountThreads() {
    QFETCH(unsigned, processors);
    QFETCH(int, threads);
    FakeWork work;
    StatusRecorder recorder;
    work.statusCallback = recorder.callback();
    QCOMPARE(work.ScanWith(50, processors), 1);
    QVERIFY(waitIdle(work));
    QCOMPARE(int(work.LoopThreads().size()), threads);
    QVERIFY(!work.LoopThreads().count(std::this_thread::get_id()));
    QCOMPARE(work.processed(), 50);
    QCOMPARE(work.foundSize.load(), 50u);
    QCOMPARE(work.activeWorkers.load(), 0);
    QCOMPARE(recorder.count(IWork::CCleanScanning), 1);
    QCOMPARE(recorder.count(IWork::CCleanScanFinished), 1);
    QCOMPARE(recorder.reports().back().status, IWork::CCleanScanFinished);
}

void tst_WorkerPool::exactlyOneFinishedUnderContention_data() {
    QTest::addColumn<unsigned>("processors");
    QTest::addColumn<int>("tasks");
    QTest::newRow("3 workers, nothing to do") << 4u << 0;
    QTest::newRow("7 workers, nothing to do") << 8u << 0;
    QTest::newRow("7 workers, a few tasks") << 8u << 7;
}

void tst_WorkerPool::exactlyOneFinishedUnderContention() {
    QFETCH(unsigned, processors);
    QFETCH(int, tasks);
    FakeWork work;
    StatusRecorder recorder;
    work.statusCallback = recorder.callback();
    const int runs = 300;
    for (int run = 1; run <= runs; ++run) {
        QCOMPARE(work.ScanWith(tasks, processors), 1);
        QVERIFY(waitIdle(work));
        // The finished status is out before the run unregisters, never twice.
        QCOMPARE(recorder.count(IWork::CCleanScanFinished), run);
    }
    QCOMPARE(recorder.count(IWork::CCleanScanning), runs);
    const auto reports = recorder.reports();
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const auto expected = i % 2 == 0 ? IWork::CCleanScanning : IWork::CCleanScanFinished;
        QCOMPARE(reports[i].status, expected);
    }
}

void tst_WorkerPool::stopEndsScanWithFinishedAndNextScanIsComplete() {
    FakeWork work;
    StatusRecorder recorder;
    work.statusCallback = recorder.callback();
    work.CloseGate();
    QCOMPARE(work.ScanWith(40, 1), 1);
    work.WaitUntilHeldAtGate();
    work.RequestStop();
    work.Open();
    QVERIFY(waitIdle(work));
    QCOMPARE(recorder.count(IWork::CCleanScanFinished), 1);
    QCOMPARE(work.foundSize.load(), 1u); // the task in hand is finished, no other is taken

    QCOMPARE(work.ScanWith(40, 1), 1);
    QVERIFY(waitIdle(work));
    QCOMPARE(recorder.count(IWork::CCleanScanFinished), 2);
    QCOMPARE(work.foundSize.load(), 40u);
}

void tst_WorkerPool::secondStartWhileRegisteredIsRefused() {
    FakeWork work;
    StatusRecorder recorder;
    work.statusCallback = recorder.callback();
    work.CloseGate();
    QCOMPARE(work.ScanWith(10, 2), 1);
    work.WaitUntilHeldAtGate();
    const auto before = recorder.reports().size();
    QCOMPARE(work.ScanWith(500, 2), 2);
    QCOMPARE(recorder.reports().size(), before);
    work.Open();
    QVERIFY(waitIdle(work));
    QCOMPARE(work.foundSize.load(), 10u); // the refused call changed no task or counter
    QCOMPARE(recorder.count(IWork::CCleanScanning), 1);
    QCOMPARE(recorder.count(IWork::CCleanScanFinished), 1);
}

void tst_WorkerPool::overlappingRunsEachFinishOnce() {
    FakeWork work;
    StatusRecorder recorder;
    work.statusCallback = recorder.callback();
    work.CloseGate();
    QCOMPARE(work.ScanWith(10, 2), 1);
    work.WaitUntilHeldAtGate();
    work.CleanWith(20, 4);
    work.Open();
    QVERIFY(waitIdle(work));
    QCOMPARE(recorder.count(IWork::CCleanScanFinished), 1);
    QCOMPARE(recorder.count(IWork::CCleanCleanFinished), 1);
    QCOMPARE(work.foundSize.load(), 30u);
}

void tst_WorkerPool::threadStartFailure_data() {
    QTest::addColumn<unsigned>("processors");
    QTest::addColumn<int>("failAt");
    QTest::addColumn<int>("running");
    QTest::newRow("no thread starts") << 4u << 1 << 0;
    QTest::newRow("second of three fails") << 4u << 2 << 1;
    QTest::newRow("third of three fails") << 4u << 3 << 2;
}

void tst_WorkerPool::threadStartFailure() {
    QFETCH(unsigned, processors);
    QFETCH(int, failAt);
    QFETCH(int, running);
    FakeWork work;
    StatusRecorder recorder;
    work.statusCallback = recorder.callback();
    work.failLaunchAt = failAt;
    QCOMPARE(work.ScanWith(30, processors), 1);
    QVERIFY(waitIdle(work));
    QCOMPARE(int(work.LoopThreads().size()), running);
    QCOMPARE(recorder.count(IWork::CCleanScanFinished), 1);
    if (running == 0) {
        QCOMPARE(recorder.reports().back().thread, std::this_thread::get_id());
        QCOMPARE(work.foundSize.load(), 0u);
    } else {
        QCOMPARE(work.foundSize.load(), 30u);
    }
    // The work is usable again afterwards.
    work.failLaunchAt = 0;
    QCOMPARE(work.ScanWith(5, processors), 1);
    QVERIFY(waitIdle(work));
    QCOMPARE(recorder.count(IWork::CCleanScanFinished), 2);
}

void tst_WorkerPool::throwingTaskLoopStillFinishes() {
    FakeWork work;
    StatusRecorder recorder;
    work.statusCallback = recorder.callback();
    work.throwInLoop = true;
    QCOMPARE(work.ScanWith(10, 4), 1);
    QVERIFY(waitIdle(work));
    QCOMPARE(recorder.count(IWork::CCleanScanFinished), 1);
    QCOMPARE(work.activeWorkers.load(), 0);
}

void tst_WorkerPool::defaultStartedStatuses_data() {
    QTest::addColumn<IWork::WorkKind>("kind");
    QTest::addColumn<int>("scanStarted");
    QTest::addColumn<int>("cleanStarted");
    QTest::addColumn<int>("scanFinished");
    QTest::addColumn<int>("cleanFinished");
    QTest::newRow("C drive") << IWork::WorkKind::CClean << 5 << 6 << 7 << 8;
    QTest::newRow("WeChat") << IWork::WorkKind::VXClean << 9 << 10 << 11 << 12;
    QTest::newRow("QQ") << IWork::WorkKind::QQClean << 13 << 14 << 15 << 16;
    QTest::newRow("large files") << IWork::WorkKind::LargeFile << 17 << 18 << 19 << 20;
    QTest::newRow("duplicates") << IWork::WorkKind::DuplicateFile << 21 << 22 << 23 << 24;
    QTest::newRow("privacy") << IWork::WorkKind::Privacy << 25 << 26 << 27 << 28;
}

void tst_WorkerPool::defaultStartedStatuses() {
    QFETCH(IWork::WorkKind, kind);
    QFETCH(int, scanStarted);
    QFETCH(int, cleanStarted);
    QFETCH(int, scanFinished);
    QFETCH(int, cleanFinished);
    IWork work(kind);
    StatusRecorder recorder;
    work.statusCallback = recorder.callback();
    work.workInfo.scannedBytes = 77;
    QCOMPARE(work.StartScan(), 0);
    QCOMPARE(work.workInfo.scannedBytes.load(), 0u);
    work.workInfo.scannedBytes = 77;
    QCOMPARE(work.StartClean(), 0);
    QCOMPARE(work.workInfo.scannedBytes.load(), 0u);
    QCOMPARE(work.CancelScan(), 0);
    const auto reports = recorder.reports();
    QCOMPARE(int(reports.size()), 3);
    QCOMPARE(int(reports[0].status), scanStarted);
    QCOMPARE(int(reports[1].status), cleanStarted);
    QCOMPARE(reports[2].status, IWork::Cancelled);
    QCOMPARE(int(IWork::FinishedStatus(kind, IWork::RunKind::Scan)), scanFinished);
    QCOMPARE(int(IWork::FinishedStatus(kind, IWork::RunKind::Clean)), cleanFinished);
}

void tst_WorkerPool::unknownKindThrowsOnlyWithCallback() {
    IWork silent(IWork::WorkKind::Other);
    QCOMPARE(silent.StartScan(), 0);
    QCOMPARE(silent.StartClean(), 0);

    IWork work(IWork::WorkKind::Other);
    StatusRecorder recorder;
    work.statusCallback = recorder.callback();
    for (int run = 0; run < 2; ++run) {
        const char* thrown = nullptr;
        try {
            if (run == 0)
                work.StartScan();
            else
                work.StartClean();
        } catch (const char* text) {
            thrown = text;
        }
        QVERIFY(thrown);
        QCOMPARE(QString::fromLatin1(thrown), QStringLiteral("unknow scan!"));
    }
    QVERIFY(recorder.reports().empty());
}

void tst_WorkerPool::selectedSizeRoundTrip() {
    IWork work(IWork::WorkKind::CClean);
    work.selectedSize = 1000;
    work.AddSelectedSize(5368709120);
    work.AddSelectedSize(-5368709120);
    std::uint64_t found = 1, selected = 0;
    work.foundSize = 42;
    work.GetSizes(found, selected);
    QCOMPARE(found, 42u);
    QCOMPARE(selected, 1000u);
    work.AddSelectedSize(-1001); // more than was added wraps like the unsigned counter
    QCOMPARE(work.selectedSize.load(), std::uint64_t(-1));
}

QTEST_GUILESS_MAIN(tst_WorkerPool)
#include "tst_WorkerPool.moc"
