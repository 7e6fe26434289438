#include "DriveFixture.h"
#include "FolderItem.h"
#include "Group.h"
#include "LM_GroupModel.h"
#include "LM_GroupsModel.h"
#include "RuleFiles.h"
#include "TestWork.h"
#include "WorkBroker.h"

#include <QSemaphore>
#include <QtTest>
#include <atomic>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

FolderItem* ItemAt(Work_CClean& work, int group, int row) {
    return work.groupsModel()->groups().at(group)->model->items().at(row);
}

QString SizeShown(Work_CClean& work, int group, int row) {
    LM_GroupModel* model = work.groupsModel()->groups().at(group)->model;
    return model->data(model->index(row), LM_GroupModel::FolderSizeRole).toString();
}

// What a destructive run should have changed: exactly these files removed.
QStringList RemovedLines(QStringList files) {
    for (QString& file : files)
        file = QStringLiteral("removed: ") + file;
    files.sort();
    return files;
}

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}

// Holds workers inside their file probe until the test opens it.
struct Gate {
    // A failed check must not leave workers stuck.
    ~Gate() { open.release(100000); }
    QSemaphore reached;
    QSemaphore open;
    std::function<bool(const fs::path&)> hook(const QString& name = {}) {
        return [this, name](const fs::path& file) {
            if (name.isEmpty() || file.filename() == name.toStdString()) {
                reached.release();
                open.acquire();
            }
            return false;
        };
    }
};

} // namespace

class tst_Work_CClean : public QObject {
    Q_OBJECT
private slots:
    void shippedGroups();
    void shippedRulesScanTheMappedDrive();
    void scanSizes();
    void tickDuringAndAfterScan();
    void stopAndSecondScan();
    void missingFolders();
    void unreadableFileNotCounted();
    void fileInUseNeitherCountedNorDeleted();
    void cleanDeletesTickedOnly();
    void fileGoneAtClean();
    void fileSwappedForLinkBeforeClean();
    void linksNeverFollowed_data();
    void linksNeverFollowed();
    void folderSwappedForLinkBeforeClean_data();
    void folderSwappedForLinkBeforeClean();
    void fileVanishingDuringScan();
};

void tst_Work_CClean::shippedGroups() {
    DriveFixture tree;
    TestWork work(RuleFiles::LoadCleanData());
    const QList<Group*>& groups = work.groupsModel()->groups();
    QStringList ids, titles;
    QList<int> counts;
    for (const Group* group : groups) {
        ids << group->id;
        titles << group->title;
        counts << group->model->rowCount();
    }
    QCOMPARE(ids, QStringList({"group0", "group1", "group2", "group2", "group3"}));
    QCOMPARE(titles.at(2), QStringLiteral("应用程序"));
    QCOMPARE(titles.at(3), QStringLiteral("Windows系列"));
    QCOMPARE(counts, QList<int>({1, 3, 8, 6, 1}));

    LM_GroupModel* windows = groups.at(3)->model;
    auto role = [&](int row, int r) { return windows->data(windows->index(row), r); };
    QCOMPARE(role(0, LM_GroupModel::PathRole).toString(), QStringLiteral("C:\\Windows\\Temp"));
    QCOMPARE(role(0, LM_GroupModel::FolderNameRole).toString(), QStringLiteral("系统临时文件"));
    QCOMPARE(role(1, LM_GroupModel::PathRole).toString(), QString::fromLocal8Bit(qgetenv("TEMP")));
    QCOMPARE(role(1, LM_GroupModel::FolderCheckedRole).toBool(), true);
    QCOMPARE(role(2, LM_GroupModel::FolderCheckedRole).toBool(), false);
    QCOMPARE(role(5, LM_GroupModel::FolderIconRole).toString(),
             QStringLiteral("qrc:/Icons/resources/icon/106.png"));
    // The program's own instance is built once from the same rules.
    Work_CClean* instance = Work_CClean::GetInstance();
    QCOMPARE(Work_CClean::GetInstance(), instance);
    QCOMPARE(instance->groupsModel()->rowCount(), 5);
    QCOMPARE(groups.at(4)->model->items().at(0)->path,
             QString::fromLocal8Bit(qgetenv("USERPROFILE")) + QStringLiteral("\\Downloads"));
}

void tst_Work_CClean::shippedRulesScanTheMappedDrive() {
    DriveFixture tree;
    tree.write(tree.c("Windows/Temp/x.log"), 1000);
    tree.write(tree.c("Windows/Temp/深层/y.tmp"), 24);
    tree.write(tree.c("Users/u/AppData/Local/Temp/z.tmp"), 2000);
    tree.write(tree.c("Windows/Prefetch/p.pf"), 500);
    tree.write(tree.c("Users/u/Downloads/d.zip"), 3000);
    TestWork work(RuleFiles::LoadCleanData());

    QVERIFY(work.scan());
    QCOMPARE(work.statuses(), QList<int>({IWork::CCleanScanning, IWork::CCleanScanFinished}));
    std::uint64_t found = 0, selected = 0;
    work.GetSizes(found, selected);
    QCOMPARE(found, std::uint64_t(6524));
    QCOMPARE(selected, std::uint64_t(3024)); // the two ticked temp folders
    QCOMPARE(ItemAt(work, 3, 0)->size, std::uint64_t(1024));
    QCOMPARE(SizeShown(work, 3, 0), QStringLiteral("1.00KB"));
    QCOMPARE(ItemAt(work, 3, 3)->size, std::uint64_t(500));
    QCOMPARE(ItemAt(work, 4, 0)->size, std::uint64_t(3000));
    // Items without a folder never find anything.
    QCOMPARE(SizeShown(work, 0, 0), QStringLiteral("0.00KB"));
    QCOMPARE(SizeShown(work, 2, 7), QStringLiteral("0.00KB"));
}

void tst_Work_CClean::scanSizes() {
    DriveFixture tree;
    tree.write(tree.c("Temp/a/1.tmp"), 100);
    tree.write(tree.c("Temp/a/sub/2.tmp"), 200);
    tree.write(tree.c("Temp/a/sub/深/缓存.dat"), 300);
    tree.write(tree.c("Temp/a") / fs::path("\xff\xfe-bad.bin"), 50);
    tree.write(tree.c("Temp/b/x"), 1000);
    fs::create_directories(tree.c("Temp/b/empty"));
    TestWork work(QJsonDocument(QJsonArray{TestWork::group(
        "g", "临时",
        {TestWork::item("C:\\Temp\\a", true, "甲"), TestWork::item("C:\\Temp\\b", false)})}));
    LM_GroupModel* model = work.groupsModel()->groups().at(0)->model;
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);

    QVERIFY(work.scan());
    QCOMPARE(ItemAt(work, 0, 0)->size, std::uint64_t(650));
    QCOMPARE(ItemAt(work, 0, 1)->size, std::uint64_t(1000));
    QCOMPARE(SizeShown(work, 0, 0), QStringLiteral("0.63KB"));
    QCOMPARE(SizeShown(work, 0, 1), QStringLiteral("0.98KB"));
    std::uint64_t found = 0, selected = 0;
    work.GetSizes(found, selected);
    QCOMPARE(found, std::uint64_t(1650));
    QCOMPARE(selected, std::uint64_t(650));
    QCOMPARE(work.FilesOf(work.groupsModel()->groups().at(0)->model, 0).size(), std::size_t(4));
    const std::vector<fs::path> files = work.FilesOf(work.groupsModel()->groups().at(0)->model, 0);
    QVERIFY(std::count(files.begin(), files.end(),
                       tree.c("Temp/a") / fs::path("\xff\xfe-bad.bin")) == 1);
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.last().at(2).value<QVector<int>>(),
             QVector<int>({LM_GroupModel::FolderSizeRole}));

    // A folder that now holds nothing must show 0, not its old size.
    fs::remove(tree.c("Temp/b/x"));
    changed.clear();
    QVERIFY(work.scan());
    QCOMPARE(SizeShown(work, 0, 1), QStringLiteral("0.00KB"));
    bool toldRow1 = false;
    for (const QList<QVariant>& args : changed)
        toldRow1 |= args.at(0).toModelIndex().row() <= 1 && args.at(1).toModelIndex().row() >= 1;
    QVERIFY(toldRow1);
}

void tst_Work_CClean::tickDuringAndAfterScan() {
    DriveFixture tree;
    for (int i = 0; i < 6; ++i)
        tree.write(tree.c("Temp/a") / std::to_string(i) / "f.tmp", 1000 + i);
    tree.write(tree.c("Temp/a/gate"), 7);
    TestWork work(QJsonDocument(
        QJsonArray{TestWork::group("g", "t", {TestWork::item("C:\\Temp\\a", false)})}));
    LM_GroupModel* model = work.groupsModel()->groups().at(0)->model;
    QSignalSpy checkedChanged(workBroker, &WorkBroker::OnCCleanFolderCheckedChanged);
    Gate gate;
    work.inUseHook = gate.hook("gate");

    QCOMPARE(work.StartScan(), 1);
    QVERIFY(gate.reached.tryAcquire(1, 10000));
    // The worker is held inside the folder: tick now, with part of it counted.
    model->setChecked(0, true);
    QCOMPARE(checkedChanged.count(), 1); // synchronous, on this thread
    gate.open.release();
    QVERIFY(work.waitForFinished(IWork::CCleanScanFinished, 0));

    const std::uint64_t total = 6 * 1000 + 15 + 7;
    QCOMPARE(ItemAt(work, 0, 0)->size, total);
    QCOMPARE(work.selectedSize.load(), total);
    model->setChecked(0, true); // no change, no double count
    QCOMPARE(work.selectedSize.load(), total);
    model->setChecked(0, false);
    QCOMPARE(work.selectedSize.load(), std::uint64_t(0));
    model->setChecked(0, true);
    QCOMPARE(work.selectedSize.load(), total);
    QCOMPARE(model->data(model->index(0), LM_GroupModel::FolderCheckedRole).toBool(), true);
}

void tst_Work_CClean::stopAndSecondScan() {
    DriveFixture tree;
    for (int i = 0; i < 10; ++i)
        tree.write(tree.c("Temp/a") / ("d" + std::to_string(i)) / "f.tmp", 100);
    TestWork work(QJsonDocument(
        QJsonArray{TestWork::group("g", "t", {TestWork::item("C:\\Temp\\a", true)})}));
    const int workers = int(IWork::WorkerCount(std::thread::hardware_concurrency()));
    Gate gate;
    work.inUseHook = gate.hook();

    QCOMPARE(work.StartScan(), 1);
    QVERIFY(gate.reached.tryAcquire(workers, 10000)); // every worker holds one folder
    QCOMPARE(work.StartScan(), 2);
    QCOMPARE(work.StartClean(), 2);
    QCOMPARE(work.CancelScan(), 2);
    QCOMPARE(work.statuses(), QList<int>({IWork::CCleanScanning, IWork::Cancelled}));
    work.RequestStop();
    gate.open.release(1000);
    QVERIFY(work.waitForFinished(IWork::CCleanScanFinished, 0));
    // Each worker finished the folder in hand, then left.
    QCOMPARE(work.foundSize.load(), std::uint64_t(100 * workers));
    QCOMPARE(work.statuses().count(IWork::CCleanScanFinished), 1);

    work.inUseHook = nullptr;
    QVERIFY(work.scan());
    QCOMPARE(work.foundSize.load(), std::uint64_t(1000));
    QCOMPARE(work.CancelScan(), 1);
}

void tst_Work_CClean::missingFolders() {
    DriveFixture tree;
    tree.write(tree.c("Temp/real/f"), 10);
    // An unexpanded variable leaves a relative path: it must not name a folder below the
    // current one.
    tree.write(tree.root() / "%UNDEFINED_MERIVANE_VAR%/x/victim.doc", 500);
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QString::fromStdString(tree.root().native())));
    TestWork work(QJsonDocument(QJsonArray{
        TestWork::group("g", "t",
                        {TestWork::item("C:\\Nowhere\\至此", true), TestWork::item("", true),
                         TestWork::item("%UNDEFINED_MERIVANE_VAR%\\x", true),
                         TestWork::item("C:\\Temp\\real", true)})}));
    QVERIFY(work.scan());
    QDir::setCurrent(before);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(SizeShown(work, 0, row), QStringLiteral("0.00KB"));
    QCOMPARE(work.foundSize.load(), std::uint64_t(10));
}

void tst_Work_CClean::unreadableFileNotCounted() {
    if (geteuid() == 0)
        QSKIP("running as root: a chmod 000 file stays readable, so it cannot be made "
              "unopenable this way (fileInUseNeitherCountedNorDeleted covers the engine side)");
    DriveFixture tree;
    tree.write(tree.c("Temp/a/ok"), 10);
    tree.write(tree.c("Temp/a/locked"), 1000);
    fs::permissions(tree.c("Temp/a/locked"), fs::perms::none);
    TestWork work(QJsonDocument(
        QJsonArray{TestWork::group("g", "t", {TestWork::item("C:\\Temp\\a", true)})}));
    QVERIFY(work.scan());
    QCOMPARE(work.foundSize.load(), std::uint64_t(10));
    fs::permissions(tree.c("Temp/a/locked"), fs::perms::owner_all);
}

void tst_Work_CClean::fileInUseNeitherCountedNorDeleted() {
    DriveFixture tree;
    tree.write(tree.c("Temp/a/ok.log"), 10);
    tree.write(tree.c("Temp/a/busy.log"), 1000);
    TestWork work(QJsonDocument(
        QJsonArray{TestWork::group("g", "t", {TestWork::item("C:\\Temp\\a", true)})}));
    work.inUseHook = [](const fs::path& file) { return file.filename() == "busy.log"; };
    QVERIFY(work.scan());
    QCOMPARE(work.foundSize.load(), std::uint64_t(10));
    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(tree.changesSince(before), RemovedLines(QStringList({"c/Temp/a/ok.log"})));
    QCOMPARE(work.GetFreedSize(), std::uint64_t(10));
}

void tst_Work_CClean::cleanDeletesTickedOnly() {
    DriveFixture tree;
    tree.write(tree.c("Temp/a/1.tmp"), 100);
    tree.write(tree.c("Temp/a/sub/2.tmp"), 200);
    tree.write(tree.c("Temp/a/sub/深/缓存.dat"), 300);
    tree.write(tree.c("Temp/a") / fs::path("\xff\xfe-bad.bin"), 50);
    tree.write(tree.c("Temp/b/keep.tmp"), 1000);
    tree.write(tree.c("Temp/c/unticked.tmp"), 2000);
    tree.write(tree.root() / "outside.tmp", 5);
    TestWork work(QJsonDocument(QJsonArray{
        TestWork::group("g", "t",
                        {TestWork::item("C:\\Temp\\a", true), TestWork::item("C:\\Temp\\b", true)}),
        TestWork::group("g", "t2", {TestWork::item("C:\\Temp\\c", true)})}));
    QVERIFY(work.scan());
    // Unticked after the scan: the clean must leave it alone.
    work.groupsModel()->groups().at(0)->model->setChecked(1, false);
    work.groupsModel()->groups().at(1)->model->setChecked(0, false);
    QCOMPARE(work.selectedSize.load(), std::uint64_t(650));

    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    const QStringList expected = Sorted({"c/Temp/a/1.tmp", "c/Temp/a/sub/2.tmp",
                                         QString::fromUtf8("c/Temp/a/sub/深/缓存.dat"),
                                         QString::fromStdString("c/Temp/a/\xff\xfe-bad.bin")});
    QCOMPARE(tree.changesSince(before), RemovedLines(expected));
    QCOMPARE(work.GetFreedSize(), std::uint64_t(650));
    QCOMPARE(work.statuses(), QList<int>({IWork::CCleanScanning, IWork::CCleanScanFinished,
                                          IWork::CCleanCleaning, IWork::CCleanCleanFinished}));
    // The tiles keep showing what the scan found.
    QCOMPARE(SizeShown(work, 0, 0), QStringLiteral("0.63KB"));
    QCOMPARE(SizeShown(work, 0, 1), QStringLiteral("0.98KB"));
}

void tst_Work_CClean::fileGoneAtClean() {
    DriveFixture tree;
    tree.write(tree.c("Temp/a/1.tmp"), 100);
    tree.write(tree.c("Temp/a/2.tmp"), 200);
    tree.write(tree.c("Temp/a/x/3.tmp"), 300);
    TestWork work(QJsonDocument(
        QJsonArray{TestWork::group("g", "t", {TestWork::item("C:\\Temp\\a", true)})}));
    QVERIFY(work.scan());
    fs::remove(tree.c("Temp/a/2.tmp"));
    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(tree.changesSince(before),
             RemovedLines(QStringList({"c/Temp/a/1.tmp", "c/Temp/a/x/3.tmp"})));
    QCOMPARE(work.GetFreedSize(), std::uint64_t(400));
}

void tst_Work_CClean::fileSwappedForLinkBeforeClean() {
    DriveFixture tree;
    tree.write(tree.c("Temp/a/1.tmp"), 100);
    tree.write(tree.c("Temp/a/2.tmp"), 200);
    tree.write(tree.root() / "home/重要.doc", 999);
    TestWork work(QJsonDocument(
        QJsonArray{TestWork::group("g", "t", {TestWork::item("C:\\Temp\\a", true)})}));
    QVERIFY(work.scan());
    fs::remove(tree.c("Temp/a/2.tmp"));
    fs::create_symlink(tree.root() / "home/重要.doc", tree.c("Temp/a/2.tmp"));
    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    // Neither the planted link nor its target goes.
    QCOMPARE(tree.changesSince(before), RemovedLines(QStringList({"c/Temp/a/1.tmp"})));
    QCOMPARE(work.GetFreedSize(), std::uint64_t(100));
}

void tst_Work_CClean::linksNeverFollowed_data() {
    QTest::addColumn<QString>("linkName");
    QTest::addColumn<QString>("target"); // relative to the fixture root
    QTest::newRow("link to a folder outside") << "外部"
                                              << "outside";
    QTest::newRow("link to a file outside") << "evil.tmp"
                                            << "outside/secret.doc";
    QTest::newRow("link to a folder inside") << "again"
                                             << "c/Temp/a/real";
    QTest::newRow("link to the drive root") << "root"
                                            << "c";
}

void tst_Work_CClean::linksNeverFollowed() {
    QFETCH(QString, linkName);
    QFETCH(QString, target);
    DriveFixture tree;
    tree.write(tree.c("Temp/a/real/keep.tmp"), 10);
    tree.write(tree.root() / "outside/secret.doc", 4000);
    tree.write(tree.root() / "outside/deep/more.doc", 8000);
    fs::create_symlink(tree.root() / target.toStdString(),
                       tree.c("Temp/a") / linkName.toStdString());
    TestWork work(QJsonDocument(
        QJsonArray{TestWork::group("g", "t", {TestWork::item("C:\\Temp\\a", true)})}));

    QVERIFY(work.scan());
    QCOMPARE(work.foundSize.load(), std::uint64_t(10));
    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(tree.changesSince(before), RemovedLines(QStringList({"c/Temp/a/real/keep.tmp"})));
}

void tst_Work_CClean::folderSwappedForLinkBeforeClean_data() {
    QTest::addColumn<QString>("swapped"); // below c/Temp
    QTest::addColumn<QStringList>("expectRemoved");
    QTest::addColumn<quint64>("expectFreed");
    QTest::newRow("sub-folder") << "a/子目录" << QStringList({"c/Temp/a/top.tmp"}) << quint64(10);
    // The top file went with the moved rule folder: nothing is left to remove.
    QTest::newRow("rule folder") << "a" << QStringList() << quint64(0);
}

void tst_Work_CClean::folderSwappedForLinkBeforeClean() {
    QFETCH(QString, swapped);
    QFETCH(QStringList, expectRemoved);
    QFETCH(quint64, expectFreed);
    DriveFixture tree;
    tree.write(tree.c("Temp/a/top.tmp"), 10);
    tree.write(tree.c("Temp/a/子目录/victim.doc"), 100);
    tree.write(tree.c("Temp/a/子目录/deeper/victim2.doc"), 200);
    TestWork work(QJsonDocument(
        QJsonArray{TestWork::group("g", "t", {TestWork::item("C:\\Temp\\a", true)})}));
    QVERIFY(work.scan());
    QCOMPARE(work.foundSize.load(), std::uint64_t(310));

    // Someone moves the folder away and plants a link to it under the old name.
    const fs::path folder = tree.c("Temp") / swapped.toStdString();
    const fs::path moved = tree.root() / "elsewhere";
    fs::rename(folder, moved);
    fs::create_symlink(moved, folder);
    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(tree.changesSince(before), RemovedLines(Sorted(expectRemoved)));
    QCOMPARE(work.GetFreedSize(), std::uint64_t(expectFreed));
}

void tst_Work_CClean::fileVanishingDuringScan() {
    DriveFixture tree;
    tree.write(tree.c("Temp/a/stay.tmp"), 10);
    tree.write(tree.c("Temp/a/vanish.tmp"), 1000);
    tree.write(tree.c("Temp/a/d/stay2.tmp"), 20);
    TestWork work(QJsonDocument(
        QJsonArray{TestWork::group("g", "t", {TestWork::item("C:\\Temp\\a", true)})}));
    // Listed, then gone before it is opened.
    work.inUseHook = [](const fs::path& file) {
        if (file.filename() == "vanish.tmp")
            fs::remove(file);
        return false;
    };
    QVERIFY(work.scan());
    QCOMPARE(work.foundSize.load(), std::uint64_t(30));
    QCOMPARE(work.FilesOf(work.groupsModel()->groups().at(0)->model, 0).size(), std::size_t(2));
}

QTEST_MAIN(tst_Work_CClean)
#include "tst_Work_CClean.moc"
