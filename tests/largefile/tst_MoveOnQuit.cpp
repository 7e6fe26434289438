// Quitting during a move: the copy in hand stops, and what is left is the source, never a
// part of the copy under any name; the files not begun are not touched. Alone in its
// program, since quitting cannot be undone.
#include "DriveFixture.h"
#include "LM_LargeFilesItemModel.h"
#include "LM_LargeFilesModel.h"
#include "ScratchVolume.h"
#include "TestLargeFileWork.h"

#include <QSemaphore>
#include <QtTest>

namespace fs = std::filesystem;

class tst_MoveOnQuit : public QObject {
    Q_OBJECT
private slots:
    void quitDuringALongMove();
};

void tst_MoveOnQuit::quitDuringALongMove() {
    constexpr std::uint64_t MiB = 1024 * 1024;
    DriveFixture tree;
    ScratchVolume d(tree.d(), 256 * MiB);
    if (!d.mounted())
        QSKIP(qPrintable(d.skipReason()));
    TestLargeFileWork::sparse(tree.c("data/a.zip"), 60 * MiB);
    TestLargeFileWork::sparse(tree.c("data/b.zip"), 70 * MiB);
    TestLargeFileWork::sparse(tree.c("data/c.zip"), 80 * MiB);
    TestLargeFileWork work(QJsonDocument(
        QJsonArray{TestLargeFileWork::category("3", {"zip"}, true, QStringLiteral("压缩包"))}));
    work.destination = QStringLiteral("D:\\Moved");
    QVERIFY(work.scan());

    // Every worker holds its first file until the user has quit; then the copies begin, with
    // the quit flag already set, as a copy in progress sees it between two blocks.
    QSemaphore reached;
    work.beforeMove = [&](const fs::path&) {
        reached.release();
        while (!IWork::Quitting())
            std::this_thread::yield();
    };
    const int workers = int(IWork::WorkerCount(std::thread::hardware_concurrency()));
    const auto before = tree.snapshot();
    const int seen = work.statuses().count(IWork::LargeFileMoveFinished);
    QCOMPARE(work.StartClean(), 1);
    QVERIFY(reached.tryAcquire(std::min(workers, 3), 10000));
    IWork::BeginQuit();
    QVERIFY(work.harness().waitForFinished(IWork::LargeFileMoveFinished, seen));

    QCOMPARE(tree.changesSince(before), QStringList({"added: d/Moved"}));
    QCOMPARE(work.GetFreedSize(), std::uint64_t(0));
    QCOMPARE(work.listModel()->groups().at(0).files->rows(), 3);
    // No run starts once the program quits.
    QCOMPARE(work.StartScan(), 2);
}

QTEST_MAIN(tst_MoveOnQuit)
#include "tst_MoveOnQuit.moc"
