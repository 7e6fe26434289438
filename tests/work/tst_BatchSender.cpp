// Values collected on worker threads reach the GUI thread in batches, in order, whole.
#include "BatchSender.h"

#include <QtTest>
#include <thread>

class tst_BatchSender : public QObject {
    Q_OBJECT
private slots:
    void batchesArriveInOrderOnTheReceiversThread();
    void dueBatchIsSentOnce_data();
    void dueBatchIsSentOnce();
    void receiverGoneDropsTheBatch();
};

void tst_BatchSender::batchesArriveInOrderOnTheReceiversThread() {
    QObject receiver;
    std::vector<int> got;
    std::vector<std::size_t> sizes;
    bool offThread = false;
    const auto gui = QThread::currentThread();
    std::thread worker([&] {
        BatchSender<int> sender(
            &receiver,
            [&](std::vector<int>& batch) {
                offThread |= QThread::currentThread() != gui;
                sizes.push_back(batch.size());
                got.insert(got.end(), batch.begin(), batch.end());
            },
            100);
        for (int i = 0; i < 1050; ++i)
            sender.add(i);
        // The last 50 go when the sender is done.
    });
    worker.join();
    QVERIFY(got.empty()); // nothing runs on the worker
    QTRY_COMPARE(got.size(), std::size_t(1050));
    QVERIFY(!offThread);
    QCOMPARE(sizes.size(), std::size_t(11));
    QCOMPARE(sizes.back(), std::size_t(50));
    for (int i = 0; i < 1050; ++i)
        QCOMPARE(got[std::size_t(i)], i);
}

void tst_BatchSender::dueBatchIsSentOnce_data() {
    // An interval no test run reaches is never due; no interval at all always is.
    QTest::addColumn<qint64>("intervalMs");
    QTest::addColumn<int>("sentWhileCollecting");
    QTest::newRow("not due: hours to wait") << qint64(6 * 3600 * 1000) << 0;
    QTest::newRow("due: nothing to wait") << qint64(0) << 1;
}

void tst_BatchSender::dueBatchIsSentOnce() {
    QFETCH(qint64, intervalMs);
    QFETCH(int, sentWhileCollecting);
    QObject receiver;
    std::vector<std::vector<int>> batches;
    {
        BatchSender<int> sender(
            &receiver, [&](std::vector<int>& batch) { batches.push_back(batch); }, 1000,
            std::chrono::milliseconds(intervalMs));
        sender.add(1);
        sender.add(2);
        sender.sendIfDue();
        sender.sendIfDue(); // nothing collected since, or still not due: nothing more sent
        QCoreApplication::sendPostedEvents();
        QCOMPARE(int(batches.size()), sentWhileCollecting);
    }
    // What was not due goes when the sender is done; nothing goes twice.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(batches, (std::vector<std::vector<int>>{{1, 2}}));
}

void tst_BatchSender::receiverGoneDropsTheBatch() {
    auto* receiver = new QObject;
    int received = 0;
    {
        BatchSender<int> sender(receiver, [&](std::vector<int>&) { ++received; });
        sender.add(1);
    }
    delete receiver;
    QTest::qWait(20);
    QCOMPARE(received, 0);
}

QTEST_MAIN(tst_BatchSender)
#include "tst_BatchSender.moc"
