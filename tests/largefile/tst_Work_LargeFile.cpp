// The large-file work on a fixture machine: what a scan lists, the found and ticked bytes
// and when the page hears of them, and moves: refused, failing, across volumes and onto
// C:'s own volume. Destructive runs compare the whole fixture tree before and after.
#include "DriveFixture.h"
#include "LM_LargeFilesItemModel.h"
#include "LM_LargeFilesModel.h"
#include "ScratchVolume.h"
#include "TestLargeFileWork.h"
#include "WorkBroker.h"

#include <QDir>
#include <QMutex>
#include <QSignalSpy>
#include <QtTest>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t MiB = 1024 * 1024;

// Temporary files, office documents, archives (ticked), installers, videos.
QJsonDocument Rules() {
    using W = TestLargeFileWork;
    return QJsonDocument(QJsonArray{W::category("1", {"tmp"}, false, "临时文件"),
                                    W::category("2", {"doc", "docx", "xls"}, false, "办公文档"),
                                    W::category("3", {"zip", "rar"}, true, "压缩包"),
                                    W::category("4", {"exe"}, false, "安装包"),
                                    W::category("5", {"mp4"}, false, "视频文件")});
}

// "category id: windows path" of every listed file, sorted.
QStringList Listed(const Work_LargeFile& work) {
    QStringList lines;
    for (const LargeFileGroup& group : work.listModel()->groups()) {
        for (int row = 0; row < group.files->rows(); ++row)
            lines << group.id + QStringLiteral(": ") +
                         group.files
                             ->data(group.files->index(row), LM_LargeFilesItemModel::PathRole)
                             .toString();
    }
    lines.sort();
    return lines;
}

QStringList Sorted(QStringList lines) {
    lines.sort();
    return lines;
}

LM_LargeFilesItemModel* Files(const Work_LargeFile& work, int group) {
    return work.listModel()->groups().at(static_cast<std::size_t>(group)).files;
}

// Debug lines of every thread, for the move's failure lines.
QMutex logMutex;
QStringList logLines;
void Capture(QtMsgType, const QMessageLogContext&, const QString& text) {
    QMutexLocker lock(&logMutex);
    logLines << text;
}
QStringList MoveFailures() {
    QMutexLocker lock(&logMutex);
    return logLines.filter(QStringLiteral("LargeFile ==file move failed("));
}

// A fixture machine whose D: is a volume of its own, and a work moving to D:\Moved.
struct OtherVolume {
    explicit OtherVolume(std::uint64_t bytes) : d(tree.d(), bytes) {
        work.destination = QStringLiteral("D:\\Moved");
    }
    DriveFixture tree;
    ScratchVolume d;
    TestLargeFileWork work{Rules()};
};

} // namespace

class tst_Work_LargeFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void shippedCategories();
    void whatIsListed_data();
    void whatIsListed();
    void linksNeverFollowed_data();
    void linksNeverFollowed();
    void foundAndSelected();
    void boxClickReachesNoLaterScan_data();
    void boxClickReachesNoLaterScan();
    void extensionOfTwoCategoriesListedOnce();
    void moveWithNothingTicked();
    void unusableDestinationRefused_data();
    void unusableDestinationRefused();
    void moveAcrossVolumes();
    void moveOntoAnExistingName();
    void shortfallNamesTheFirstFewInOrder();
    void diskFullDuringAMove();
    void destinationOnTheSystemVolume_data();
    void destinationOnTheSystemVolume();
    void fileReplacedSinceTheScanStays();
};

void tst_Work_LargeFile::init() {
    QMutexLocker lock(&logMutex);
    logLines.clear();
    qInstallMessageHandler(Capture);
}

void tst_Work_LargeFile::shippedCategories() {
    DriveFixture tree;
    TestLargeFileWork work;
    QStringList titles;
    for (const LargeFileGroup& group : work.listModel()->groups())
        titles << group.title + (group.checked ? "+" : "");
    QCOMPARE(titles, QStringList({"临时文件", "办公文档", "压缩包+", "安装包", "视频文件"}));
    QCOMPARE(Work_LargeFile::GetInstance(), Work_LargeFile::GetInstance());
}

void tst_Work_LargeFile::whatIsListed_data() {
    QTest::addColumn<QByteArray>("file"); // below C:, as bytes
    QTest::addColumn<qulonglong>("size");
    QTest::addColumn<QString>("category"); // empty: not listed
    const qulonglong big = 100 * MiB;
    QTest::newRow("exactly 30 MiB") << QByteArray("data/backup.zip") << 31457280ull << "3";
    QTest::newRow("one byte less") << QByteArray("data/backup.zip") << 31457279ull << "";
    QTest::newRow("upper-case extension") << QByteArray("data/SETUP.EXE") << big << "4";
    QTest::newRow("mixed-case video") << QByteArray("Users/u/Videos/家庭.Mp4") << big << "5";
    QTest::newRow("last extension counts") << QByteArray("data/a.tar.ZIP") << big << "3";
    QTest::newRow("no listed type") << QByteArray("data/disk.vhd") << big << "";
    QTest::newRow("no extension") << QByteArray("data/zip") << big << "";
    QTest::newRow("only a dot name") << QByteArray("data/.zip") << big << "";
    QTest::newRow("name not UTF-8") << QByteArray("data/\xff\xfe\xb0.rar") << big << "3";
    QTest::newRow("Windows") << QByteArray("Windows/Temp/big.tmp") << big << "";
    QTest::newRow("WINDOWS spelled old-style") << QByteArray("WINDOWS/System32/x.zip") << big << "";
    QTest::newRow("program files") << QByteArray("program files/App/setup.exe") << big << "";
    QTest::newRow("Program Files (x86)") << QByteArray("Program Files (x86)/a.exe") << big << "";
    QTest::newRow("PROGRAMDATA") << QByteArray("PROGRAMDATA/x.zip") << big << "";
    QTest::newRow("Recovery") << QByteArray("Recovery/WindowsRE/winre.zip") << big << "";
    QTest::newRow("a Windows folder deeper down") << QByteArray("data/Windows/x.zip") << big << "3";
    QTest::newRow("similar top-level name") << QByteArray("Windows.old/x.zip") << big << "3";
}

void tst_Work_LargeFile::whatIsListed() {
    QFETCH(QByteArray, file);
    QFETCH(qulonglong, size);
    QFETCH(QString, category);
    DriveFixture tree;
    const fs::path path = tree.c(file.toStdString());
    TestLargeFileWork::sparse(path, size);
    TestLargeFileWork::sparse(tree.c("data/known.docx"), 31 * MiB);
    TestLargeFileWork work(Rules());

    QVERIFY(work.scan());
    QStringList expected{"2: C:\\data\\known.docx"};
    if (!category.isEmpty())
        expected << category + ": " + QString::fromStdString(platform::Drives::toWindowsPath(path));
    expected.sort();
    QCOMPARE(Listed(work), expected);
    QCOMPARE(work.foundSize.load(), 31 * MiB + (category.isEmpty() ? 0 : size));
    QCOMPARE(work.statuses(), QList<int>({IWork::LargeFileScanning, IWork::LargeFileScanFinished}));
}

void tst_Work_LargeFile::linksNeverFollowed_data() {
    QTest::addColumn<QString>("link");   // below C:
    QTest::addColumn<QString>("target"); // relative to the fixture root
    QTest::newRow("to a folder outside C:") << "data/外部"
                                            << "outside";
    QTest::newRow("to a file outside C:") << "data/evil.zip"
                                          << "outside/secret.zip";
    QTest::newRow("to a system folder") << "data/win"
                                        << "c/Windows";
    QTest::newRow("to the drive itself") << "data/loop"
                                         << "c";
}

void tst_Work_LargeFile::linksNeverFollowed() {
    QFETCH(QString, link);
    QFETCH(QString, target);
    DriveFixture tree;
    TestLargeFileWork::sparse(tree.c("data/real.zip"), 40 * MiB);
    TestLargeFileWork::sparse(tree.c("Windows/hidden.zip"), 40 * MiB);
    TestLargeFileWork::sparse(tree.root() / "outside/secret.zip", 40 * MiB);
    TestLargeFileWork::sparse(tree.root() / "outside/deep/more.rar", 40 * MiB);
    fs::create_symlink(tree.root() / target.toStdString(), tree.c(link.toStdString()));
    TestLargeFileWork work(Rules());
    QVERIFY(work.scan());
    QCOMPARE(Listed(work), QStringList{"3: C:\\data\\real.zip"});
}

void tst_Work_LargeFile::foundAndSelected() {
    DriveFixture tree;
    TestLargeFileWork::sparse(tree.c("data/a.zip"), 40 * MiB);
    TestLargeFileWork::sparse(tree.c("data/b/setup.exe"), 50 * MiB);
    TestLargeFileWork work(Rules());
    QSignalSpy checkedChanged(workBroker, &WorkBroker::OnLargeFileCheckedChanged);
    QVERIFY(work.scan());
    std::uint64_t found = 0, selected = 0;
    work.GetSizes(found, selected);
    QCOMPARE(found, 90 * MiB);
    QCOMPARE(selected, 40 * MiB);
    // The ticked files the scan delivered are counted quietly: the page writes its sentence
    // when the scan ends.
    QCOMPARE(checkedChanged.count(), 0);

    LM_LargeFilesModel* model = work.listModel();
    LM_LargeFilesItemModel* installers = Files(work, 3);
    checkedChanged.clear();
    installers->setData(installers->index(0), true, LM_LargeFilesItemModel::CheckedRole);
    QCOMPARE(work.selectedSize.load(), 90 * MiB);
    QCOMPARE(checkedChanged.count(), 1);
    // The category's flag is not a tick of its files.
    model->setData(model->index(3), false, LM_LargeFilesModel::CheckedRole);
    QCOMPARE(work.selectedSize.load(), 90 * MiB);
    model->setCheckedToChildren(2, false);
    QCOMPARE(work.selectedSize.load(), 50 * MiB);
    model->setCheckedToChildren(2, true);
    QCOMPARE(work.selectedSize.load(), 90 * MiB);

    // A new scan starts from nothing, and the page hears nothing of it before it ends. The
    // archives' box was clicked: its files arrive unticked now.
    const int told = checkedChanged.count();
    QVERIFY(work.scan());
    QCOMPARE(checkedChanged.count(), told);
    work.GetSizes(found, selected);
    QCOMPARE(found, 90 * MiB);
    QCOMPARE(selected, std::uint64_t(0));
    QCOMPARE(Listed(work).size(), 2);
}

void tst_Work_LargeFile::boxClickReachesNoLaterScan_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<QList<bool>>("clicks");    // on the category's box, in order
    QTest::addColumn<quint64>("selectedAfter"); // MiB ticked once the next scan has ended
    // The archives are ticked by the rules: 40 + 35 MiB arrive ticked unless their box was
    // clicked.
    QTest::newRow("installers ticked") << 3 << QList<bool>{true} << quint64(75);
    QTest::newRow("installers ticked, unticked, ticked")
        << 3 << QList<bool>{true, false, true} << quint64(75);
    QTest::newRow("archives unticked, ticked again") << 2 << QList<bool>{false, true} << quint64(0);
    QTest::newRow("archives unticked") << 2 << QList<bool>{false} << quint64(0);
    QTest::newRow("no click") << 2 << QList<bool>{} << quint64(75);
}

void tst_Work_LargeFile::boxClickReachesNoLaterScan() {
    QFETCH(int, category);
    QFETCH(QList<bool>, clicks);
    QFETCH(quint64, selectedAfter);
    DriveFixture tree;
    TestLargeFileWork::sparse(tree.c("data/a.zip"), 40 * MiB);
    TestLargeFileWork::sparse(tree.c("data/old.exe"), 50 * MiB);
    TestLargeFileWork work(Rules());
    LM_LargeFilesModel* model = work.listModel();
    QVERIFY(work.scan());
    std::uint64_t archives = 40 * MiB; // ticked by the rules
    std::uint64_t installers = 0;
    for (bool click : clicks) {
        model->setCheckedToChildren(category, click);
        // The box shows the click, and every file of the category follows it.
        QCOMPARE(model->data(model->index(category), LM_LargeFilesModel::CheckedRole).toBool(),
                 click);
        (category == 2 ? archives : installers) = click ? (category == 2 ? 40 : 50) * MiB : 0;
        QCOMPARE(work.selectedSize.load(), archives + installers);
    }

    // A new installer and a new archive over 30 MiB: only what the rules tick, in a
    // category whose box was never clicked, arrives ticked.
    TestLargeFileWork::sparse(tree.c("data/new.exe"), 60 * MiB);
    TestLargeFileWork::sparse(tree.c("data/new.zip"), 35 * MiB);
    QVERIFY(work.scan());
    QCOMPARE(Files(work, 3)->rows(), 2);
    QCOMPARE(Files(work, 3)->checkedCount(), 0);
    QCOMPARE(work.selectedSize.load(), selectedAfter * MiB);
    QCOMPARE(model->checkedCount(), selectedAfter ? 2 : 0);
    // The boxes tell how the files arrived.
    QCOMPARE(model->data(model->index(category), LM_LargeFilesModel::CheckedRole).toBool(),
             category == 2 && selectedAfter != 0);
    QCOMPARE(model->data(model->index(3), LM_LargeFilesModel::CheckedRole).toBool(), false);
}

void tst_Work_LargeFile::extensionOfTwoCategoriesListedOnce() {
    DriveFixture tree;
    TestLargeFileWork::sparse(tree.c("data/a.zip"), 40 * MiB);
    using W = TestLargeFileWork;
    TestLargeFileWork work(QJsonDocument(
        QJsonArray{W::category("A", {"zip"}, false), W::category("B", {"rar", "ZIP"}, true)}));
    QVERIFY(work.scan());
    QCOMPARE(Listed(work), QStringList{"A: C:\\data\\a.zip"});
    std::uint64_t found = 0, selected = 0;
    work.GetSizes(found, selected);
    QCOMPARE(found, 40 * MiB);
    QCOMPARE(selected, std::uint64_t(0));
}

void tst_Work_LargeFile::moveWithNothingTicked() {
    DriveFixture tree;
    TestLargeFileWork::sparse(tree.c("data/setup.exe"), 40 * MiB);
    TestLargeFileWork work(Rules());
    work.destination = QStringLiteral("D:\\Moved");
    QVERIFY(work.scan());
    const auto before = tree.snapshot();
    QCOMPARE(work.StartClean(), 1);
    QCOMPARE(work.messages, QStringList{"没有勾选任何文件!"});
    QCOMPARE(work.statuses(), QList<int>({IWork::LargeFileScanning, IWork::LargeFileScanFinished}));
    QVERIFY(!work.HasRegisteredRun());
    QCOMPARE(tree.changesSince(before), QStringList());
}

void tst_Work_LargeFile::unusableDestinationRefused_data() {
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("blocker"); // a file laid out below D: first; empty: none
    QTest::addColumn<QString>("message"); // part of what the user is told
    const QString incomplete = QStringLiteral("不是完整的路径");
    QTest::newRow("unset") << QString() << QString() << incomplete;
    QTest::newRow("blank") << "   " << QString() << incomplete;
    QTest::newRow("bare fallback name") << "大文件搬家" << QString() << incomplete;
    QTest::newRow("root of the current drive") << "\\大文件搬家" << QString() << incomplete;
    QTest::newRow("current folder of a drive") << "D:大文件搬家" << QString() << incomplete;
    QTest::newRow("unknown drive") << "Q:\\大文件搬家" << QString() << incomplete;
    // Nothing to ask about a folder that cannot be made.
    const QString cannotCreate = QStringLiteral("无法创建搬家目标文件夹");
    QTest::newRow("a file of that name") << "D:\\Moved"
                                         << "Moved" << cannotCreate;
    QTest::newRow("a file on the way") << "D:\\note.txt\\Moved"
                                       << "note.txt" << cannotCreate;
}

void tst_Work_LargeFile::unusableDestinationRefused() {
    QFETCH(QString, destination);
    QFETCH(QString, blocker);
    QFETCH(QString, message);
    DriveFixture tree;
    TestLargeFileWork::sparse(tree.c("data/a.zip"), 40 * MiB);
    if (!blocker.isEmpty())
        tree.tree().write(tree.d(blocker.toStdString()), "not a folder");
    TestLargeFileWork work(Rules());
    work.destination = destination;
    QVERIFY(work.scan());
    const auto before = tree.snapshot();
    QCOMPARE(work.StartClean(), 1);
    QCOMPARE(work.messages.size(), 1);
    QVERIFY2(work.messages.at(0).contains(message), qPrintable(work.messages.at(0)));
    QVERIFY(work.questions.isEmpty());
    QVERIFY(!work.statuses().contains(IWork::LargeFileMoving));
    QCOMPARE(tree.changesSince(before), QStringList());
    QVERIFY(!QDir::current().exists(QStringLiteral("大文件搬家")));
    QCOMPARE(Files(work, 2)->rows(), 1);
}

void tst_Work_LargeFile::moveAcrossVolumes() {
    OtherVolume m(256 * MiB);
    if (!m.d.mounted())
        QSKIP(qPrintable(m.d.skipReason()));
    const fs::path odd = m.tree.c("data") / fs::path("\xff\xfe-备份.zip");
    TestLargeFileWork::sparse(odd, 40 * MiB);
    TestLargeFileWork::sparse(m.tree.c("Users/u/Documents/报表.zip"), 50 * MiB);
    TestLargeFileWork::sparse(m.tree.c("data/keep.exe"), 60 * MiB);
    const std::string oddContent = TempTree::read(odd);
    QVERIFY(m.work.scan());
    QCOMPARE(m.work.selectedSize.load(), 90 * MiB);
    const QString archivesSize =
        m.work.listModel()
            ->data(m.work.listModel()->index(2), LM_LargeFilesModel::SizeRole)
            .toString();
    QCOMPARE(archivesSize, QStringLiteral("90.00MB"));

    const auto before = m.tree.snapshot();
    QSignalSpy checkedChanged(workBroker, &WorkBroker::OnLargeFileCheckedChanged);
    QVERIFY(m.work.move());
    // Rows leave as their files move, quietly: the page's sentence is the move's result.
    QCOMPARE(checkedChanged.count(), 0);
    QCOMPARE(m.tree.changesSince(before),
             Sorted({"added: d/Moved", QString::fromStdString("added: d/Moved/\xff\xfe-备份.zip"),
                     "added: d/Moved/报表.zip",
                     QString::fromStdString("removed: c/data/\xff\xfe-备份.zip"),
                     "removed: c/Users/u/Documents/报表.zip"}));
    QVERIFY(TempTree::read(m.tree.d("Moved") / odd.filename()) == oddContent);
    QCOMPARE(m.work.GetFreedSize(), 90 * MiB);
    QCOMPARE(m.work.selectedSize.load(), std::uint64_t(0));
    QCOMPARE(m.work.foundSize.load(), 150 * MiB);
    QCOMPARE(Files(m.work, 2)->rows(), 0);
    QCOMPARE(Listed(m.work), QStringList{"4: C:\\data\\keep.exe"});
    // The category's title keeps the size the scan found.
    QCOMPARE(m.work.listModel()
                 ->data(m.work.listModel()->index(2), LM_LargeFilesModel::SizeRole)
                 .toString(),
             QStringLiteral("90.00MB"));
    QVERIFY(m.work.questions.isEmpty());
    QCOMPARE(m.work.statuses().mid(2),
             QList<int>({IWork::LargeFileMoving, IWork::LargeFileMoveFinished}));
    QCOMPARE(MoveFailures(), QStringList());
}

void tst_Work_LargeFile::moveOntoAnExistingName() {
    OtherVolume m(128 * MiB);
    if (!m.d.mounted())
        QSKIP(qPrintable(m.d.skipReason()));
    TestLargeFileWork::sparse(m.tree.c("data/a.zip"), 40 * MiB);
    TestLargeFileWork::sparse(m.tree.c("data/b.zip"), 35 * MiB);
    TestLargeFileWork::sparse(m.tree.c("data/c.rar"), 31 * MiB);
    m.tree.tree().write(m.tree.d("Moved/a.zip"), "someone else's");
    QVERIFY(m.work.scan());
    const auto before = m.tree.snapshot();
    QVERIFY(m.work.move());
    QCOMPARE(m.tree.changesSince(before),
             QStringList({"added: d/Moved/b.zip", "added: d/Moved/c.rar", "removed: c/data/b.zip",
                          "removed: c/data/c.rar"}));
    // The log names the file that stayed and where it was to go.
    QCOMPARE(MoveFailures(),
             QStringList{"LargeFile ==file move failed(source C:\\data\\a.zip, "
                         "destination D:\\Moved\\a.zip) and win Error code is 183"});
    QCOMPARE(Listed(m.work), QStringList{"3: C:\\data\\a.zip"});
    QVERIFY(Files(m.work, 2)->at(0).checked);
    // Only what moved is counted; what stayed is told, and why.
    QCOMPARE(m.work.GetFreedSize(), 66 * MiB);
    QCOMPARE(m.work.selectedSize.load(), 40 * MiB);
    QCOMPARE(m.work.moveShortfall().count(), 1);
    QCOMPARE(m.work.moveShortfall().reasons(),
             QStringLiteral("未能移动: a.zip(目标文件夹中已有同名文件)"));
}

void tst_Work_LargeFile::shortfallNamesTheFirstFewInOrder() {
    OtherVolume m(128 * MiB);
    if (!m.d.mounted())
        QSKIP(qPrintable(m.d.skipReason()));
    for (const char* name : {"a.zip", "b.zip", "c.zip", "d.zip", "e.zip"}) {
        TestLargeFileWork::sparse(m.tree.c("data") / name, 31 * MiB);
        m.tree.tree().write(m.tree.d("Moved") / name, "someone else's");
    }
    QVERIFY(m.work.scan());
    // One is not the file the user ticked any more.
    fs::remove(m.tree.c("data/c.zip"));
    const auto before = m.tree.snapshot();
    QVERIFY(m.work.move());
    QCOMPARE(m.tree.changesSince(before), QStringList());
    QCOMPARE(m.work.GetFreedSize(), std::uint64_t(0));
    QCOMPARE(m.work.moveShortfall().count(), 5);
    // In the order the user sees them, whichever worker failed first.
    const QStringList names{Files(m.work, 2)->at(0).path.filename().c_str(),
                            Files(m.work, 2)->at(1).path.filename().c_str(),
                            Files(m.work, 2)->at(2).path.filename().c_str()};
    const auto reason = [](const QString& name) {
        return name + (name == "c.zip" ? QStringLiteral("(文件已被移走或更改)")
                                       : QStringLiteral("(目标文件夹中已有同名文件)"));
    };
    QCOMPARE(m.work.moveShortfall().reasons(), QStringLiteral("未能移动: ") + reason(names[0]) +
                                                   QStringLiteral("、") + reason(names[1]) +
                                                   QStringLiteral("、") + reason(names[2]) +
                                                   QStringLiteral("等5个文件"));
}

void tst_Work_LargeFile::diskFullDuringAMove() {
    OtherVolume m(8 * MiB);
    if (!m.d.mounted())
        QSKIP(qPrintable(m.d.skipReason()));
    TestLargeFileWork::sparse(m.tree.c("data/a.zip"), 40 * MiB);
    QVERIFY(m.work.scan());
    const auto before = m.tree.snapshot();
    QVERIFY(m.work.move());
    // The source as it was, and only the destination folder is new.
    QCOMPARE(m.tree.changesSince(before), QStringList({"added: d/Moved"}));
    const auto after = m.tree.snapshot();
    QCOMPARE(after.count("c/data/a.zip"), std::size_t(1));
    QCOMPARE(after.at("c/data/a.zip").size, 40 * MiB);
    QCOMPARE(TempTree::read(m.tree.c("data/a.zip")).substr(0, 10), std::string("head:a.zip"));
    // Only the destination folder itself: no part of the copy under any name.
    QCOMPARE(TempTree::snapshotOf(m.tree.d()).size(), std::size_t(1));
    QCOMPARE(MoveFailures().size(), 1);
    QVERIFY(MoveFailures().at(0).endsWith(QStringLiteral(" 112")));
    QCOMPARE(m.work.GetFreedSize(), std::uint64_t(0));
    QCOMPARE(Listed(m.work).size(), 1);
}

void tst_Work_LargeFile::destinationOnTheSystemVolume_data() {
    QTest::addColumn<bool>("goAhead");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QStringList>("changes"); // when moved
    QTest::newRow("moved anyway") << true << "D:\\大文件搬家"
                                  << QStringList({"added: d/大文件搬家",
                                                  "added: d/大文件搬家/a.zip",
                                                  "removed: c/data/a.zip"});
    QTest::newRow("declined") << false << "D:\\大文件搬家" << QStringList();
    QTest::newRow("moved anyway, two new folders")
        << true << "D:\\新建\\大文件搬家"
        << QStringList({"added: d/新建", "added: d/新建/大文件搬家",
                        "added: d/新建/大文件搬家/a.zip", "removed: c/data/a.zip"});
    QTest::newRow("declined, two new folders") << false << "D:\\新建\\大文件搬家" << QStringList();
}

void tst_Work_LargeFile::destinationOnTheSystemVolume() {
    QFETCH(bool, goAhead);
    QFETCH(QString, destination);
    QFETCH(QStringList, changes);
    // D: is a folder on C:'s own file system: another letter, the same volume.
    DriveFixture tree;
    TestLargeFileWork::sparse(tree.c("data/a.zip"), 40 * MiB);
    TestLargeFileWork work(Rules());
    work.destination = destination;
    work.confirmAnswer = goAhead;
    QVERIFY(work.scan());
    const auto before = tree.snapshot();
    if (goAhead) {
        QVERIFY(work.move());
        QCOMPARE(tree.changesSince(before), changes);
        QCOMPARE(Listed(work), QStringList());
    } else {
        QCOMPARE(work.StartClean(), 1);
        QVERIFY(!work.statuses().contains(IWork::LargeFileMoving));
        QCOMPARE(Listed(work).size(), 1);
        // Asked before anything was made: a declined move leaves no folder behind.
        QCOMPARE(tree.changesSince(before), QStringList());
    }
    QCOMPARE(work.questions.size(), 1);
    QVERIFY2(work.questions.at(0).contains(QStringLiteral("同一个磁盘分区")),
             qPrintable(work.questions.at(0)));
    // Nothing left C:'s volume.
    QCOMPARE(work.GetFreedSize(), std::uint64_t(0));
}

void tst_Work_LargeFile::fileReplacedSinceTheScanStays() {
    OtherVolume m(128 * MiB);
    if (!m.d.mounted())
        QSKIP(qPrintable(m.d.skipReason()));
    TestLargeFileWork::sparse(m.tree.c("data/a.zip"), 40 * MiB);
    QVERIFY(m.work.scan());
    // Another file now has the name the user ticked (made first, so it cannot reuse the
    // old file's number).
    TestLargeFileWork::sparse(m.tree.root() / "other.zip", 40 * MiB);
    fs::rename(m.tree.root() / "other.zip", m.tree.c("data/a.zip"));
    const auto before = m.tree.snapshot();
    QVERIFY(m.work.move());
    QCOMPARE(m.tree.changesSince(before), QStringList({"added: d/Moved"}));
    QCOMPARE(Listed(m.work).size(), 1);
    QCOMPARE(m.work.GetFreedSize(), std::uint64_t(0));
}

QTEST_MAIN(tst_Work_LargeFile)
#include "tst_Work_LargeFile.moc"
