#include "FakeWork.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"

#include <QtTest>
#include <thread>

// Records what reaches the GUI thread through the broker.
class BrokerReceiver : public QObject {
    Q_OBJECT
public:
    QList<IWork::WorkStatus> statuses;
    QList<QThread*> statusThreads;
    QList<IWork::TWorkInfoEx> progress;
    QList<fs::directory_entry> entries;
    QList<quint64> sizes;

public slots:
    void OnWorkStatusChanging(IWork::WorkStatus WS) {
        statuses << WS;
        statusThreads << QThread::currentThread();
    }
    void OnCCleanProgress(fs::directory_entry entry, IWork::TWorkInfoEx workInfoEx) {
        entries << entry;
        progress << workInfoEx;
    }
    void updateSize(uintmax_t size) { sizes << size; }
};

class tst_WorkBroker : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void metaTypesCarryTheirSignatureNames_data();
    void metaTypesCarryTheirSignatureNames();
    void workerStatusArrivesOnceInGuiThread();
    void guiThreadStatusIsDeliveredBeforeStartReturns();
    void progressIsCopiedAcrossThreads();
    void uintmaxArgumentCrossesThreads();
};

void tst_WorkBroker::initTestCase() {
    RegisterWorkMetaTypes();
    workBroker = new WorkBroker();
}

void tst_WorkBroker::metaTypesCarryTheirSignatureNames_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("type");
    QTest::newRow("status") << QByteArray("IWork::WorkStatus") << qMetaTypeId<IWork::WorkStatus>();
    QTest::newRow("entry") << QByteArray("fs::directory_entry")
                           << qMetaTypeId<fs::directory_entry>();
    QTest::newRow("progress") << QByteArray("IWork::TWorkInfoEx")
                              << qMetaTypeId<IWork::TWorkInfoEx>();
    QTest::newRow("uintmax_t") << QByteArray("uintmax_t") << int(QMetaType::ULongLong);
}

void tst_WorkBroker::metaTypesCarryTheirSignatureNames() {
    QFETCH(QByteArray, name);
    QFETCH(int, type);
    QCOMPARE(QMetaType::type(name.constData()), type);
}

void tst_WorkBroker::workerStatusArrivesOnceInGuiThread() {
    BrokerReceiver receiver;
    connect(workBroker, &WorkBroker::OnCCleanStatusChanging, &receiver,
            &BrokerReceiver::OnWorkStatusChanging);
    FakeWork work;
    work.statusCallback = WorkBroker::StatusCallback();
    QCOMPARE(work.ScanWith(20, 4), 1);
    QTRY_VERIFY(!work.HasRegisteredRun());
    QTRY_COMPARE(receiver.statuses.size(), 2);
    QTest::qWait(50); // a duplicate report would be queued by now
    QCOMPARE(receiver.statuses,
             (QList<IWork::WorkStatus>{IWork::CCleanScanning, IWork::CCleanScanFinished}));
    QCOMPARE(receiver.statusThreads, (QList<QThread*>{QCoreApplication::instance()->thread(),
                                                      QCoreApplication::instance()->thread()}));
}

void tst_WorkBroker::guiThreadStatusIsDeliveredBeforeStartReturns() {
    BrokerReceiver receiver;
    connect(workBroker, &WorkBroker::OnCCleanStatusChanging, &receiver,
            &BrokerReceiver::OnWorkStatusChanging);
    IWork work(IWork::WorkKind::Privacy);
    work.statusCallback = WorkBroker::StatusCallback();
    work.StartClean();
    QCOMPARE(receiver.statuses, QList<IWork::WorkStatus>{IWork::PrivacyCleaning});
}

void tst_WorkBroker::progressIsCopiedAcrossThreads() {
    BrokerReceiver receiver;
    connect(workBroker, &WorkBroker::OnCCleanProgress, &receiver,
            &BrokerReceiver::OnCCleanProgress);
    QTemporaryDir dir;
    const fs::path file = fs::path(dir.path().toStdString()) / "\xe6\x97\xa5\xe5\xbf\x97.log";
    IWork work(IWork::WorkKind::CClean);
    work.progressCallback = WorkBroker::ProgressCallback();
    std::thread worker([&] {
        work.workInfo.scannedBytes = 4096;
        work.workInfo.path = file;
        work.workInfo.value = 9;
        work.workInfo.text = QStringLiteral("扫描中");
        work.progressCallback(fs::directory_entry(file), work.workInfo);
        // The work's own record changes right after; the delivered copy must not.
        work.workInfo.scannedBytes = 1;
        work.workInfo.text.clear();
    });
    worker.join();
    QTRY_COMPARE(receiver.progress.size(), 1);
    QCOMPARE(receiver.progress[0].scannedBytes, 4096u);
    QCOMPARE(receiver.progress[0].path, file);
    QCOMPARE(receiver.progress[0].value, 9u);
    QCOMPARE(receiver.progress[0].text, QStringLiteral("扫描中"));
    QCOMPARE(receiver.entries[0].path(), file);
}

void tst_WorkBroker::uintmaxArgumentCrossesThreads() {
    BrokerReceiver receiver;
    const uintmax_t size = 5368709121ull;
    std::thread worker([&] {
        QMetaObject::invokeMethod(&receiver, "updateSize", Qt::QueuedConnection,
                                  Q_ARG(uintmax_t, size));
    });
    worker.join();
    QTRY_COMPARE(receiver.sizes.size(), 1);
    QCOMPARE(receiver.sizes[0], quint64(5368709121ull));
}

QTEST_GUILESS_MAIN(tst_WorkBroker)
#include "tst_WorkBroker.moc"
