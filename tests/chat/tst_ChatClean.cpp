// Cleans of the WeChat and QQ works: exactly the ticked files go, whatever their names;
// files the program holds stay and their rows are hidden; nothing below a category's folder
// is followed, though the folder itself may be reached through a link. Every destructive
// test compares the whole fixture before and after.
#include "ChatFixture.h"
#include "EitherChatWork.h"
#include "UndeletableFolder.h"
#include "WorkBroker.h"

#include <QMutex>
#include <QtTest>
#include <platform/WinError.h>

namespace fs = std::filesystem;

namespace {

// Log lines of every thread, for the clean's information lines.
QMutex logMutex;
QStringList logLines;
void Capture(QtMsgType, const QMessageLogContext&, const QString& text) {
    QMutexLocker lock(&logMutex);
    logLines << text;
}

QStringList RemovedLines(QStringList files) {
    for (QString& file : files)
        file = QStringLiteral("removed: ") + file;
    files.sort();
    return files;
}

} // namespace

class tst_ChatClean : public QObject {
    Q_OBJECT
private slots:
    void deletesTheTickedFilesOnly();
    void nothingTicked_data();
    void nothingTicked();
    void heldFileHidesItsRow_data();
    void heldFileHidesItsRow();
    void failedDeleteHidesItsRow_data();
    void failedDeleteHidesItsRow();
    void cleanLogLines_data();
    void cleanLogLines();
    void linksBelowNeverFollowed_data();
    void linksBelowNeverFollowed();
    void categoryFolderThroughLink();
};

void tst_ChatClean::deletesTheTickedFilesOnly() {
    ChatFixture tree;
    const fs::path folder = tree.weChatOnD({"wxid_a", "wxid_b"});
    const fs::path temp = folder / "wxid_a/FileStorage/Temp"; // ticked by the rules
    tree.write(temp / "1.tmp", 100);
    tree.write(temp / "深层/缓存.dat", 200);
    tree.write(temp / fs::path("\xff\xfe-bad.bin"), 300);
    tree.write(temp / "keep.tmp", 400);                              // unticked below
    tree.write(folder / "wxid_b/FileStorage/Video/片段.mp4", 1000);  // unticked category
    tree.write(folder / "wxid_b/FileStorage/File/wanted.doc", 2000); // ticked below
    tree.write(folder / "wxid_b/notes.txt", 50);                     // in no category
    tree.write(tree.d("微信数据/outside.tmp"), 5);
    TestVX work;
    QVERIFY(work.scan());
    work.files(8).setItemChecked(RowNamed(work.files(8), "keep.tmp"), false);
    work.files(3).setItemChecked(0, true);
    const int bad = RowNamed(work.files(8), "\xff\xfe-bad.bin");
    QVERIFY(bad >= 0);
    // A name that is not text still shows, as the replacement character.
    QVERIFY(work.files(8)
                .data(work.files(8).index(bad), LM_ChatFilesModel::PathRole)
                .toString()
                .endsWith(QStringLiteral("Temp\\\uFFFD\uFFFD-bad.bin")));
    QCOMPARE(work.selectedSize.load(), std::uint64_t(100 + 200 + 300 + 2000));

    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(tree.changesSince(before),
             RemovedLines({"d/微信数据/WeChat Files/wxid_a/FileStorage/Temp/1.tmp",
                           "d/微信数据/WeChat Files/wxid_a/FileStorage/Temp/深层/缓存.dat",
                           QString::fromStdString(
                               "d/微信数据/WeChat Files/wxid_a/FileStorage/Temp/\xff\xfe-bad.bin"),
                           "d/微信数据/WeChat Files/wxid_b/FileStorage/File/wanted.doc"}));
    QCOMPARE(work.GetFreedSize(), std::uint64_t(2600));
    QCOMPARE(work.statuses(), QList<int>({IWork::VXCleanScanning, IWork::VXCleanScanFinished,
                                          IWork::VXCleanCleaning, IWork::VXCleanCleanFinished}));
    // Deleted rows are gone and the sizes shown follow; what stays is as it was.
    QCOMPARE(work.files(8).rows(), 1);
    QCOMPARE(work.files(8).totalSize(), std::uint64_t(400));
    QCOMPARE(work.list().data(work.list().index(8), LM_ChatListModel::SizeRole).toString(),
             QStringLiteral("0.39KB"));
    QCOMPARE(work.files(3).rows(), 0);
    QCOMPARE(work.files(1).rows(), 1);
    QCOMPARE(work.selectedSize.load(), std::uint64_t(0));
    QCOMPARE(work.foundSize.load(), std::uint64_t(4000)); // what the scan found
}

void tst_ChatClean::nothingTicked_data() {
    QTest::addColumn<bool>("qq");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QList<int>>("statuses"); // after the scan's
    // WeChat runs the clean and frees nothing; QQ asks the user to tick something first.
    QTest::newRow("WeChat") << false << 0 << QStringList()
                            << QList<int>({IWork::VXCleanCleaning, IWork::VXCleanCleanFinished});
    QTest::newRow("QQ") << true << 1 << QStringList({"没有勾选要清理的项"}) << QList<int>();
}

void tst_ChatClean::nothingTicked() {
    QFETCH(bool, qq);
    QFETCH(int, result);
    QFETCH(QStringList, messages);
    QFETCH(QList<int>, statuses);
    ChatFixture tree;
    if (qq)
        tree.qqJunk();
    else
        tree.weChatJunk();
    EitherChatWork work(qq);
    QVERIFY(work.scan());
    work->chatListModel()->SetCheckedIndexs(false, {0, 1, 2, 3, 4, 5, 6, 7, 8});
    const TempTree::Snapshot before = tree.snapshot();
    const int scanned = work.statuses().size();
    QCOMPARE(work->StartClean(), result);
    QTRY_COMPARE(work.statuses().mid(scanned), statuses);
    QTRY_VERIFY(!work->HasRegisteredRun());
    QCOMPARE(work.messages(), messages);
    QCOMPARE(work->GetFreedSize(), std::uint64_t(0));
    QVERIFY(tree.changesSince(before).isEmpty());
}

void tst_ChatClean::heldFileHidesItsRow_data() {
    QTest::addColumn<bool>("qq");
    QTest::newRow("WeChat") << false;
    QTest::newRow("QQ") << true;
}

void tst_ChatClean::heldFileHidesItsRow() {
    QFETCH(bool, qq);
    ChatFixture tree;
    // A category folder whose files cannot be deleted, beside one whose files can.
    fs::path held, free;
    if (qq) {
        const fs::path folder = tree.qqOnD({"12345"});
        held = folder / "12345/nt_qq/nt_data/Emoji"; // part of the ticked picture category
        free = folder / "12345/nt_qq/nt_data/Pic";
    } else {
        const fs::path folder = tree.weChatOnD({"wxid_a"});
        held = folder / "wxid_a/FileStorage/Temp";
        free = folder / "wxid_a/FileStorage/Sns";
    }
    tree.write(free / "gone.dat", 10);
    UndeletableFolder undeletable(held, {{"held.dat", 1000}});
    if (!undeletable.problem().isEmpty())
        QSKIP(qPrintable(undeletable.problem()));
    EitherChatWork work(qq);
    QVERIFY(work.scan());
    LM_ChatListModel& list = work.list();
    const int category = qq ? 2 : 8;
    LM_ChatFilesModel& files = *list.category(category).files;
    const int row = RowNamed(files, "held.dat");
    QVERIFY(row >= 0);
    QVERIFY(files.at(row).checked);
    QSignalSpy changed(&files, &QAbstractItemModel::dataChanged);
    QSignalSpy told(workBroker, qq ? &WorkBroker::OnQQCleanCheckedChanged
                                   : &WorkBroker::OnVXCleanCheckedChanged);

    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(tree.changesSince(before).size(), 1);
    QVERIFY(tree.changesSince(before).at(0).endsWith("/gone.dat"));
    QCOMPARE(work->GetFreedSize(), std::uint64_t(10));
    // The held file's row stays in its model, hidden and out of the selected amount.
    const int held_row = RowNamed(files, "held.dat");
    QVERIFY(held_row >= 0);
    QVERIFY(!files.at(held_row).visible);
    QCOMPARE(files.data(files.index(held_row), LM_ChatFilesModel::VisibleRole).toBool(), false);
    QCOMPARE(work->selectedSize.load(), std::uint64_t(0));
    // Ticked but hidden: no longer counted among the ticked rows.
    QVERIFY(files.at(held_row).checked);
    QCOMPARE(files.checkedCount(), 0);
    // The page hears of the clean through its end, not of each row it takes away or hides.
    QCOMPARE(told.count(), 0);
    bool toldHidden = false;
    for (const QList<QVariant>& args : changed)
        toldHidden |= args.at(2).value<QVector<int>>().contains(LM_ChatFilesModel::VisibleRole);
    QVERIFY(toldHidden);
    // A second clean leaves the hidden row alone: nothing is ticked that the page shows.
    if (qq) {
        QCOMPARE(work->StartClean(), 1);
        QCOMPARE(work.messages(), QStringList({"没有勾选要清理的项"}));
    } else {
        QVERIFY(work.clean());
        QCOMPARE(work->GetFreedSize(), std::uint64_t(0));
    }
    QCOMPARE(tree.changesSince(before).size(), 1);
}

void tst_ChatClean::failedDeleteHidesItsRow_data() {
    QTest::addColumn<bool>("qq");
    QTest::addColumn<uint>("error"); // a WinError of the failed delete
    QTest::addColumn<bool>("hidden");
    // A failing disk answers with any error of its family: WeChat hides the row for each.
    QTest::newRow("WeChat, I/O device error") << false << uint(platform::ErrorIoDevice) << true;
    QTest::newRow("WeChat, CRC error") << false << uint(platform::ErrorCrc) << true;
    QTest::newRow("WeChat, write fault") << false << uint(platform::ErrorWriteFault) << true;
    QTest::newRow("WeChat, read fault") << false << uint(platform::ErrorReadFault) << true;
    QTest::newRow("WeChat, held file") << false << uint(platform::ErrorSharingViolation) << true;
    QTest::newRow("WeChat, bad name") << false << uint(platform::ErrorBadPathname) << false;
    // QQ keeps a failing disk's rows for the user to try again.
    QTest::newRow("QQ, CRC error") << true << uint(platform::ErrorCrc) << false;
    QTest::newRow("QQ, access denied") << true << uint(platform::ErrorAccessDenied) << true;
}

void tst_ChatClean::failedDeleteHidesItsRow() {
    QFETCH(bool, qq);
    QFETCH(uint, error);
    QFETCH(bool, hidden);
    ChatFixture tree;
    fs::path ticked; // a folder of a ticked category
    if (qq)
        ticked = tree.qqOnD({"12345"}) / "12345/nt_qq/nt_data/Pic";
    else
        ticked = tree.weChatOnD({"wxid_a"}) / "wxid_a/FileStorage/Temp";
    tree.write(ticked / "bad.dat", 1000);
    const fs::path gone = fs::canonical(tree.write(ticked / "gone.dat", 10));
    EitherChatWork work(qq);
    work.failDelete([error](const fs::path& file) -> std::optional<std::uint32_t> {
        if (file.filename() == "bad.dat")
            return error;
        return std::nullopt;
    });
    QVERIFY(work.scan());
    LM_ChatFilesModel& files = *work.list().category(qq ? 2 : 8).files;
    QCOMPARE(work->selectedSize.load(), std::uint64_t(1010));

    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(tree.changesSince(before), tree.removedLines({gone}));
    QCOMPARE(work->GetFreedSize(), std::uint64_t(10));
    const int row = RowNamed(files, "bad.dat");
    QVERIFY(row >= 0);
    QCOMPARE(files.at(row).visible, !hidden);
    QCOMPARE(work->selectedSize.load(), std::uint64_t(hidden ? 0 : 1000));
}

void tst_ChatClean::cleanLogLines_data() {
    QTest::addColumn<bool>("qq");
    QTest::addColumn<QStringList>("lines"); // the information lines a clean writes
    QTest::newRow("WeChat") << false << QStringList{"user select wechat files count is 2"};
    QTest::newRow("QQ") << true << QStringList();
}

void tst_ChatClean::cleanLogLines() {
    QFETCH(bool, qq);
    QFETCH(QStringList, lines);
    ChatFixture tree;
    fs::path ticked;
    if (qq)
        ticked = tree.qqOnD({"12345"}) / "12345/nt_qq/nt_data/Pic";
    else
        ticked = tree.weChatOnD({"wxid_a"}) / "wxid_a/FileStorage/Temp";
    tree.write(ticked / "1.dat", 10);
    tree.write(ticked / "2.dat", 20);
    EitherChatWork work(qq);
    QVERIFY(work.scan());
    {
        QMutexLocker lock(&logMutex);
        logLines.clear();
    }
    const QtMessageHandler previous = qInstallMessageHandler(Capture);
    const bool cleaned = work.clean();
    qInstallMessageHandler(previous);
    QVERIFY(cleaned);
    QMutexLocker lock(&logMutex);
    QCOMPARE(logLines.filter(QStringLiteral("user select")), lines);
}

void tst_ChatClean::linksBelowNeverFollowed_data() {
    QTest::addColumn<QString>("target"); // below the fixture root
    QTest::newRow("link to a folder outside") << "outside";
    QTest::newRow("link to a file outside") << "outside/secret.doc";
    QTest::newRow("link to a folder inside")
        << "d/微信数据/WeChat Files/wxid_a/FileStorage/Temp/real";
    QTest::newRow("link to a missing file") << "nowhere";
}

void tst_ChatClean::linksBelowNeverFollowed() {
    QFETCH(QString, target);
    ChatFixture tree;
    const fs::path folder = tree.weChatOnD({"wxid_a"});
    const fs::path temp = folder / "wxid_a/FileStorage/Temp";
    tree.write(temp / "real/keep.tmp", 10);
    tree.write(tree.root() / "outside/secret.doc", 4000);
    tree.write(tree.root() / "outside/deep/more.doc", 8000);
    // Links among many files: a link must not end the listing of its folder.
    for (int i = 0; i < 20; ++i) {
        tree.write(temp / ("f" + std::to_string(i) + ".tmp"), 1);
        fs::create_symlink(tree.root() / target.toStdString(), temp / ("link" + std::to_string(i)));
    }
    TestVX work;
    QVERIFY(work.scan());
    QCOMPARE(work.foundSize.load(), std::uint64_t(30));
    QCOMPARE(work.files(8).rows(), 21);

    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QStringList expected{"d/微信数据/WeChat Files/wxid_a/FileStorage/Temp/real/keep.tmp"};
    for (int i = 0; i < 20; ++i)
        expected
            << QStringLiteral("d/微信数据/WeChat Files/wxid_a/FileStorage/Temp/f%1.tmp").arg(i);
    QCOMPARE(tree.changesSince(before), RemovedLines(expected));
}

void tst_ChatClean::categoryFolderThroughLink() {
    ChatFixture tree;
    const fs::path folder = tree.weChatOnD({"wxid_a"});
    // The user moved FileStorage to drive C: and left a link in its place.
    tree.write(tree.c("搬走/FileStorage/Temp/moved.tmp"), 70);
    tree.write(tree.c("搬走/FileStorage/Temp/sub/deeper.tmp"), 30);
    tree.write(tree.c("搬走/other/keep.doc"), 5);
    fs::create_directory_symlink(tree.c("搬走/other"), tree.c("搬走/FileStorage/Temp/sub/out"));
    fs::create_directory_symlink(tree.c("搬走/FileStorage"), folder / "wxid_a/FileStorage");
    TestVX work;
    QVERIFY(work.scan());
    QCOMPARE(work.files(8).rows(), 2);
    QCOMPARE(work.files(8).data(work.files(8).index(0), LM_ChatFilesModel::AccountRole).toString(),
             QStringLiteral("wxid_a"));

    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(tree.changesSince(before), RemovedLines({"c/搬走/FileStorage/Temp/moved.tmp",
                                                      "c/搬走/FileStorage/Temp/sub/deeper.tmp"}));
    QCOMPARE(work.GetFreedSize(), std::uint64_t(100));
}

QTEST_MAIN(tst_ChatClean)
#include "tst_ChatClean.moc"
