// Scans of the WeChat and QQ works on fixture folders: what each category and account
// finds, the folders a QQ rule names, the selected amount through every kind of tick and
// when the page hears of it, the files each clean in between deletes, stopping, and refused
// starts.
#include "ChatFixture.h"
#include "TestChatWork.h"
#include "WorkBroker.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonObject>
#include <QSemaphore>
#include <QThread>
#include <QtTest>

namespace fs = std::filesystem;

namespace {

// The selected amount as the page must show it: the ticked, visible rows of all categories.
std::uint64_t TickedVisible(const LM_ChatListModel& list) {
    std::uint64_t sum = 0;
    for (int c = 0; c < list.categoryCount(); ++c)
        sum += list.category(c).files->selectedSize();
    // Cross-checked row by row, so the model's own count cannot hide a fault.
    std::uint64_t rows = 0;
    for (int c = 0; c < list.categoryCount(); ++c) {
        const LM_ChatFilesModel& files = *list.category(c).files;
        for (int r = 0; r < files.rows(); ++r)
            rows += files.at(r).checked && files.at(r).visible ? files.at(r).size : 0;
    }
    return rows == sum ? sum : ~std::uint64_t(0);
}

// "name (account)" of every row of a category, sorted.
QStringList RowsOf(const LM_ChatFilesModel& files) {
    QStringList rows;
    for (int r = 0; r < files.rows(); ++r) {
        const QModelIndex index = files.index(r);
        rows << QString::fromStdString(files.at(r).path.filename().string()) + " (" +
                    files.data(index, LM_ChatFilesModel::AccountRole).toString() + ")";
    }
    rows.sort();
    return rows;
}

// (found, selected) as the page reads them.
QPair<quint64, quint64> Sizes(IWork& work) {
    std::uint64_t found = 0, selected = 0;
    work.GetSizes(found, selected);
    return {found, selected};
}

QString SizeShown(const LM_ChatListModel& list, int row) {
    return list.data(list.index(row), LM_ChatListModel::SizeRole).toString();
}

// Holds workers inside their look at a file until the test opens it.
struct Gate {
    ~Gate() { open.release(100000); } // a failed check must not leave workers stuck
    QSemaphore reached;
    QSemaphore open;
    std::function<void(const fs::path&)> hook() {
        return [this](const fs::path&) {
            reached.release();
            open.acquire();
        };
    }
};

} // namespace

class tst_ChatScan : public QObject {
    Q_OBJECT
private slots:
    void weChatCategoriesAndAccounts();
    void qqCategoriesAndAccounts();
    void qqRuleFolders_data();
    void qqRuleFolders();
    void sameIdRefreshesItsOwnRow();
    void tickSequences_data();
    void tickSequences();
    void rowTickedByItsCategoryWhenItArrives();
    void stopKeepsWhatWasFound();
};

void tst_ChatScan::weChatCategoriesAndAccounts() {
    ChatFixture tree;
    tree.weChatJunk();
    TestVX work;
    QAbstractItemModelTester tester(&work.list(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(work.scan());
    QCOMPARE(work.statuses(), QList<int>({IWork::VXCleanScanning, IWork::VXCleanScanFinished}));
    for (int i = 1; i < 9; ++i) {
        const QString n = QString::number(i);
        QCOMPARE(RowsOf(work.files(i)),
                 QStringList({"a" + n + ".dat (wxid_a)", "b" + n + ".dat (wxid_b)"}));
    }
    // A file deep below a category's folder belongs to that category and its account.
    QCOMPARE(RowsOf(work.files(0)),
             QStringList({"a0.dat (wxid_a)", "b0.dat (wxid_b)", "c.dat (wxid_b)"}));
    QCOMPARE(SizeShown(work.list(), 0), QStringLiteral("1.08KB"));
    QCOMPARE(work.files(0).totalSize(), std::uint64_t(1107));
    QCOMPARE(work.files(8).totalSize(), std::uint64_t(9900));
    QCOMPARE(Sizes(work), qMakePair(quint64(ChatFixture::weChatJunkBytes),
                                    quint64(ChatFixture::weChatJunkTicked)));
    QCOMPARE(TickedVisible(work.list()), ChatFixture::weChatJunkTicked);
    const QModelIndex first = work.files(2).index(0);
    QCOMPARE(work.files(2).data(first, LM_ChatFilesModel::CheckedRole).toBool(), true);
    QCOMPARE(work.files(0).data(work.files(0).index(0), LM_ChatFilesModel::CheckedRole).toBool(),
             false);
    QVERIFY(work.files(2)
                .data(first, LM_ChatFilesModel::PathRole)
                .toString()
                .startsWith(QStringLiteral("D:\\微信数据\\WeChat Files\\wxid_")));
}

void tst_ChatScan::qqCategoriesAndAccounts() {
    ChatFixture tree;
    tree.qqJunk();
    TestQQ work;
    QVERIFY(work.scan());
    QCOMPARE(work.statuses(), QList<int>({IWork::QQCleanScanning, IWork::QQCleanScanFinished}));
    QCOMPARE(RowsOf(work.files(0)), QStringList({"log1 (12345)", "log2 (67890)"}));
    // One category gathers the three folders of its list, of both accounts.
    QCOMPARE(RowsOf(work.files(2)),
             QStringList({"Emoji1 (12345)", "Emoji2 (67890)", "Pic1 (12345)", "Pic2 (67890)",
                          "avatar1 (12345)", "avatar2 (67890)"}));
    // The absolute folder is listed once, for no account: its file counts once.
    QCOMPARE(RowsOf(work.files(4)), QStringList({"s.tmp ()"}));
    QCOMPARE(work.files(4).totalSize(), std::uint64_t(5));
    QCOMPARE(Sizes(work),
             qMakePair(quint64(ChatFixture::qqJunkBytes), quint64(ChatFixture::qqJunkTicked)));
    QCOMPARE(TickedVisible(work.list()), ChatFixture::qqJunkTicked);
}

void tst_ChatScan::qqRuleFolders_data() {
    QTest::addColumn<QJsonValue>("path");  // the rule's "path"
    QTest::addColumn<QStringList>("rows"); // "name (account)", sorted
    // Each account holds "nt_qq/Pic/p.jpg"; QQ's shared folder holds "s.tmp".
    QTest::newRow("below each account")
        << QJsonValue("nt_qq\\Pic") << QStringList({"p.jpg (12345)", "p.jpg (67890)"});
    QTest::newRow("a list below each account")
        << QJsonValue(QJsonArray{"nt_qq\\Pic", "nt_qq\\Missing"})
        << QStringList({"p.jpg (12345)", "p.jpg (67890)"});
    QTest::newRow("one folder all accounts share")
        << QJsonValue("%APPDATA%\\Tencent\\QQ\\STemp") << QStringList({"s.tmp ()"});
    // A list part is taken below each account; an absolute one would be the same folder
    // once per account, its files listed and counted as many times.
    QTest::newRow("a list naming an absolute folder")
        << QJsonValue(
               QJsonArray{"nt_qq\\Pic", "C:\\Users\\u\\AppData\\Roaming\\Tencent\\QQ\\STemp"})
        << QStringList({"p.jpg (12345)", "p.jpg (67890)"});
    QTest::newRow("a drive that does not exist") << QJsonValue("Q:\\QQ\\STemp") << QStringList();
}

void tst_ChatScan::qqRuleFolders() {
    QFETCH(QJsonValue, path);
    QFETCH(QStringList, rows);
    ChatFixture tree;
    const fs::path folder = tree.qqOnD({"12345", "67890"});
    tree.write(folder / "12345/nt_qq/Pic/p.jpg", 10);
    tree.write(folder / "67890/nt_qq/Pic/p.jpg", 20);
    tree.write(tree.c("Users/u/AppData/Roaming/Tencent/QQ/STemp/s.tmp"), 5);
    TestQQ work(QJsonDocument(QJsonArray{
        QJsonObject{{"id", "1"}, {"path", path}, {"description", "类别"}, {"checked", true}}}));
    QVERIFY(work.scan());
    QCOMPARE(RowsOf(work.files(0)), rows);
    // Every file listed once is counted once.
    QCOMPARE(work.foundSize.load(), work.files(0).totalSize());
    QCOMPARE(work.selectedSize.load(), work.files(0).totalSize());
}

void tst_ChatScan::sameIdRefreshesItsOwnRow() {
    ChatFixture tree;
    const fs::path folder = tree.weChatOnD({"wxid_a"});
    // Rows 5 and 6 of the shipped rules share the id "6"; only row 6's folder has files.
    tree.write(folder / "wxid_a/FileStorage/MPPageFastLoad/page.cache", 3 << 20);
    TestVX work;
    QCOMPARE(work.list().data(work.list().index(5), LM_ChatListModel::IdRole).toString(), "6");
    QCOMPARE(work.list().data(work.list().index(6), LM_ChatListModel::IdRole).toString(), "6");
    QSignalSpy changed(&work.list(), &QAbstractItemModel::dataChanged);
    QVERIFY(work.scan());
    QCOMPARE(SizeShown(work.list(), 6), QStringLiteral("3.00MB"));
    QCOMPARE(SizeShown(work.list(), 5), QStringLiteral("0.00KB"));
    bool toldRow6 = false;
    for (const QList<QVariant>& args : changed) {
        const int first = args.at(0).toModelIndex().row(), last = args.at(1).toModelIndex().row();
        const auto roles = args.at(2).value<QVector<int>>();
        toldRow6 |= first <= 6 && last >= 6 && roles.contains(LM_ChatListModel::SizeRole);
    }
    QVERIFY(toldRow6);
}

void tst_ChatScan::tickSequences_data() {
    // Steps: "cat R on|off" (a category's box), "quick R,R,... on|off" (a quick box),
    // "file R NAME on|off" (one file's box), "gone R NAME" (someone deletes the file),
    // "clean", "rescan". After every step the selected amount must equal the ticked,
    // visible rows, the page must have heard of the user's changes and of nothing else, and
    // the disk must have changed only as the step says: a clean deletes exactly the files
    // of the ticked, visible rows. `selected` is the amount at the end.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<qulonglong>("selected");
    const qulonglong ticked = ChatFixture::weChatJunkTicked;
    QTest::newRow("as scanned") << QStringList() << ticked;
    QTest::newRow("category ticked twice counts once")
        << QStringList({"cat 0 on", "cat 0 on"}) << ticked + 1107;
    QTest::newRow("quick box pressed twice counts once")
        << QStringList({"quick 4,5,6,7,8 on", "quick 4,5,6,7,8 on"})
        << qulonglong(3300 + 5500 + 6600 + 7700 + 8800 + 9900);
    QTest::newRow("quick box off") << QStringList({"quick 4,5,6,7,8 off"}) << qulonglong(3300);
    QTest::newRow("one file ticked") << QStringList({"file 0 b0.dat on"}) << ticked + 1000;
    QTest::newRow("one file unticked") << QStringList({"file 8 a8.dat off"}) << ticked - 900;
    QTest::newRow("files ticked one by one, then the category off")
        << QStringList({"file 0 a0.dat on", "file 0 c.dat on", "cat 0 off"}) << ticked;
    QTest::newRow("category on after a file was unticked")
        << QStringList({"file 8 a8.dat off", "cat 8 on"}) << ticked;
    QTest::newRow("clean removes the ticked rows") << QStringList({"clean"}) << qulonglong(0);
    QTest::newRow("a file already gone keeps its ticked row")
        << QStringList({"gone 7 b7.dat", "clean"}) << qulonglong(8000);
    QTest::newRow("rescan follows the categories, not the old rows")
        << QStringList({"cat 0 on", "file 8 a8.dat off", "file 1 a1.dat on", "rescan"})
        << ticked + 1107;
    QTest::newRow("rescan after a clean") << QStringList({"clean", "rescan"}) << qulonglong(0);
}

void tst_ChatScan::tickSequences() {
    QFETCH(QStringList, steps);
    QFETCH(qulonglong, selected);
    ChatFixture tree;
    tree.weChatJunk();
    TestVX work;
    QSignalSpy told(workBroker, &WorkBroker::OnVXCleanCheckedChanged);
    QVERIFY(work.scan());
    // The ticked rows the scan delivered are counted quietly: the page writes its sentence
    // when the scan ends.
    QCOMPARE(told.count(), 0);
    LM_ChatListModel& list = work.list();
    auto sizes = [&] { return Sizes(work).second; };
    QCOMPARE(sizes(), TickedVisible(list));
    for (const QString& step : steps) {
        const QStringList word = step.split(' ');
        const bool on = word.last() == QLatin1String("on");
        const int told0 = told.count();
        const std::uint64_t before = sizes();
        const TempTree::Snapshot disk = tree.snapshot();
        std::vector<fs::path> removed; // what the step deletes
        if (word[0] == "cat") {
            list.setData(list.index(word[1].toInt()), on, LM_ChatListModel::CheckedRole);
        } else if (word[0] == "quick") {
            QList<int> rows;
            for (const QString& row : word[1].split(','))
                rows << row.toInt();
            list.SetCheckedIndexs(on, rows);
        } else if (word[0] == "file") {
            LM_ChatFilesModel& files = work.files(word[1].toInt());
            const int row = RowNamed(files, word[2].toStdString());
            QVERIFY2(row >= 0, qPrintable(step));
            files.setItemChecked(row, on);
        } else if (word[0] == "gone") {
            const LM_ChatFilesModel& files = work.files(word[1].toInt());
            removed.push_back(files.at(RowNamed(files, word[2].toStdString())).path);
            QVERIFY(fs::remove(removed.back()));
        } else if (word[0] == "clean") {
            for (int c = 0; c < list.categoryCount(); ++c) {
                const LM_ChatFilesModel& files = *list.category(c).files;
                for (int r = 0; r < files.rows(); ++r) {
                    const FileRow& row = files.at(r);
                    if (row.checked && row.visible && fs::exists(row.path))
                        removed.push_back(row.path);
                }
            }
            QVERIFY(work.clean());
        } else if (word[0] == "rescan") {
            QVERIFY(work.scan());
        }
        QVERIFY2(sizes() == TickedVisible(list), qPrintable(step));
        QCOMPARE(tree.changesSince(disk), tree.removedLines(removed));
        // The page hears of every change the user makes, and of nothing the work does.
        if (word[0] == "cat" || word[0] == "quick" || word[0] == "file") {
            if (sizes() != before)
                QVERIFY2(told.count() > told0, qPrintable(step));
        } else {
            QCOMPARE(told.count(), told0);
        }
    }
    QCOMPARE(qulonglong(sizes()), selected);
}

void tst_ChatScan::rowTickedByItsCategoryWhenItArrives() {
    ChatFixture tree;
    tree.weChatJunk();
    TestVX work;
    QCOMPARE(work.StartScan(), int(IWork::VXCleanScanning));
    // The workers finish while this thread delivers nothing: every batch is still queued.
    QElapsedTimer clock;
    clock.start();
    while (work.HasRegisteredRun() && clock.elapsed() < 30000)
        QThread::msleep(5);
    QCOMPARE(work.files(8).rows(), 0);
    // The user unticks the category before its files reach the page.
    work.list().setData(work.list().index(8), false, LM_ChatListModel::CheckedRole);
    QVERIFY(work.waitForFinished(IWork::VXCleanScanFinished, 0));
    QCOMPARE(work.files(8).rows(), 2);
    QCOMPARE(work.files(8).checkedCount(), 0);
    QCOMPARE(work.selectedSize.load(), ChatFixture::weChatJunkTicked - 9900);
    QCOMPARE(TickedVisible(work.list()), work.selectedSize.load());
    // So the clean leaves them, and deletes the files of the two categories still ticked.
    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    for (const QString& change : tree.changesSince(before))
        QVERIFY2(!change.contains("FileStorage/Temp"), qPrintable(change));
    const QString accounts = QStringLiteral("removed: d/微信数据/WeChat Files/");
    QCOMPARE(tree.changesSince(before),
             QStringList({accounts + "wxid_a/FileStorage/General/Data/a2.dat",
                          accounts + "wxid_a/FileStorage/Sns/a7.dat",
                          accounts + "wxid_b/FileStorage/General/Data/b2.dat",
                          accounts + "wxid_b/FileStorage/Sns/b7.dat"}));
}

void tst_ChatScan::stopKeepsWhatWasFound() {
    ChatFixture tree;
    const fs::path folder = tree.weChatOnD({"wxid_a"});
    for (int i = 0; i < 12; ++i)
        tree.write(folder / "wxid_a/FileStorage/Cache" / std::to_string(i) / "f.cache", 100);
    TestVX work;
    // Every worker holds a folder of its own, as far as there are folders.
    const int workers = std::min(int(IWork::WorkerCount(std::thread::hardware_concurrency())), 12);
    Gate gate;
    work.listedHook = gate.hook();
    QCOMPARE(work.StartScan(), int(IWork::VXCleanScanning));
    QVERIFY(gate.reached.tryAcquire(workers, 10000)); // every worker holds one folder
    // Refused while the scan runs, and nothing reported for the refusals.
    QCOMPARE(work.StartScan(), 2);
    QCOMPARE(work.StartClean(), 2);
    QCOMPARE(work.CancelScan(), 0);
    work.RequestStop();
    gate.open.release(1000);
    QVERIFY(work.waitForFinished(IWork::VXCleanScanFinished, 0));
    QCOMPARE(work.statuses(), QList<int>({IWork::VXCleanScanning, IWork::VXCleanScanFinished}));
    // Each worker finished the folder in hand, then left; what they found stays.
    QCOMPARE(work.files(4).rows(), workers);
    QCOMPARE(work.foundSize.load(), std::uint64_t(100 * workers));

    work.listedHook = nullptr;
    QVERIFY(work.scan());
    QCOMPARE(work.files(4).rows(), 12);
}

QTEST_MAIN(tst_ChatScan)
#include "tst_ChatScan.moc"
