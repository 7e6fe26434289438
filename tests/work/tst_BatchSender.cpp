// Values collected on worker threads reach the GUI thread in batches, in order, whole.
#include "BatchSender.h"

#include <QtTest>
#include <thread>

class tst_BatchSender : public QObject {
    Q_OBJECT
private slots:
    void batchesArriveInOrderOnTheReceiversThread();
    void dueBatchIsSentAfterTheInterval();
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

void tst_BatchSender::dueBatchIsSentAfterTheInterval() {
    QObject receiver;
    int batches = 0;
    BatchSender<int> sender(
        &receiver, [&](std::vector<int>&) { ++batches; }, 1000, std::chrono::milliseconds(30));
    sender.add(1);
    sender.sendIfDue(); // not due yet
    QTest::qWait(50);
    QCOMPARE(batches, 0);
    sender.sendIfDue();
    QTRY_COMPARE(batches, 1);
    sender.sendIfDue(); // nothing collected: nothing sent
    QTest::qWait(50);
    sender.sendIfDue();
    QTest::qWait(20);
    QCOMPARE(batches, 1);
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
