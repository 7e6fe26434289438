// The duplicate work end to end on a fixture machine: which files become groups (byte
// equality, types, sizes, links, hidden and system folders, drives), cancel, a rescan
// refused until the previous run's end reached the GUI thread, and what a clean deletes
// and keeps, checked against the whole fixture tree.
#include "Crc32.h"
#include "DriveFixture.h"
#include "DuplicateTestFiles.h"
#include "HeldDuplicateWork.h"
#include "LM_DuplicateFileListModel.h"
#include "LM_DuplicateFileListNode.h"
#include "LM_DuplicateFileListNodes.h"
#include "RowLimitProxyModel.h"
#include "RuleFiles.h"
#include "UndeletableFile.h"
#include "WorkHarness.h"
#include "Work_DuplicateFile.h"
#include "Work_DuplicateFileHost.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>
#include <fcntl.h>
#include <fstream>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSize = 200 * 1024;

// The shipped types (or other rules) on a fixture machine, driven as the page drives them,
// with the user's answers recorded instead of shown.
struct Machine {
    DriveFixture tree;
    HeldDuplicateWork work;
    Work_DuplicateFileHost host{work};
    WorkHarness harness{work};
    QStringList criticals;
    QSignalSpy codes{work.typeModel(), &LM_DuplicateFileListModel::scanStatusChanged};
    QSignalSpy tips{work.typeModel(), &LM_DuplicateFileListModel::popMsgTip};

    explicit Machine(const QJsonDocument& rules = RuleFiles::LoadDuplicateFileData())
        : work(rules) {
        work.showCritical = [this](const QString& text) { criticals << text; };
        host.askYesNo = [](const QString&) { return true; };
    }
    // A failed check must not leave a worker waiting.
    ~Machine() { work.release(); }
    bool scan(const QString& drive = QStringLiteral("C:\\")) {
        return harness.run([&] { return work.ScanDrive(drive); }, 21, IWork::RunKind::Scan);
    }
    int clean() {
        const int before = harness.statuses().count(IWork::DuplicateCleanFinished);
        const int started = work.StartClean();
        if (started == 0 && !harness.waitForFinished(IWork::DuplicateCleanFinished, before))
            return -1;
        return started;
    }
    LM_DuplicateFileListNode* table(int type) const {
        return work.typeModel()->types().at(std::size_t(type)).allTable;
    }
    QString relative(const fs::path& path) const {
        return QString::fromStdString(path.lexically_relative(tree.root()).string());
    }
    // "重复图片:c/a.jpg|c/b.jpg" per group, sorted.
    QStringList groups() const {
        QStringList found;
        for (const auto& type : work.typeModel()->types()) {
            for (const auto& group : type.nodes->groups()) {
                QStringList files;
                for (const DuplicateFile& file : group.files)
                    files << relative(file.row.path);
                found << type.title + ":" + files.join('|');
            }
        }
        found.sort();
        return found;
    }
};

// Contents by name: "A" is seed A, "A!" has A's last byte changed, "A~" other bytes with
// A's CRC-32; "=>x" a hard link to x, "->x" a symbolic link to x. "name:bytes" sets a size.
void Build(DriveFixture& tree, const QByteArrayList& entries) {
    for (const QByteArray& entry : entries) {
        const int eq = entry.indexOf('=');
        QByteArray name = entry.left(eq);
        const QByteArray content = entry.mid(eq + 1);
        const fs::path file = tree.root() / name.toStdString();
        if (content.startsWith("=>") || content.startsWith("->")) {
            fs::create_directories(file.parent_path());
            const fs::path target = tree.root() / content.mid(2).toStdString();
            if (content.startsWith("=>"))
                fs::create_hard_link(target, file);
            else
                fs::create_symlink(target, file);
            continue;
        }
        const int colon = content.indexOf(':');
        const std::size_t size =
            colon < 0 ? kSize : std::size_t(content.mid(colon + 1).toULongLong());
        const unsigned seed = static_cast<unsigned char>(content.at(0));
        std::string bytes = Bytes(seed, size);
        if (content.contains('!'))
            bytes.back() = static_cast<char>(bytes.back() ^ 1);
        if (content.contains('~'))
            bytes = WithCrc(Bytes(seed + 1000, size - 4), Crc32Update(0, bytes.data(), size));
        tree.tree().write(file, bytes);
    }
}

// While it lives, this thread and the threads it starts (the workers) have no privileges,
// so that a file without read permission cannot be read even by root. Capabilities set by
// the raw system call belong to one thread; the permitted set stays, so they come back.
class WithoutPrivileges {
public:
    WithoutPrivileges() {
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct none[_LINUX_CAPABILITY_U32S_3];
        std::copy(std::begin(saved_), std::end(saved_), std::begin(none));
        for (auto& set : none)
            set.effective = 0;
        ok_ = ::syscall(SYS_capset, &header_, none) == 0;
    }
    ~WithoutPrivileges() {
        if (ok_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    bool ok() const { return ok_; }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[_LINUX_CAPABILITY_U32S_3]{};
    bool ok_ = false;
};

} // namespace

class tst_Work_DuplicateFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { WorkHarness::ensureBroker(); }
    void shippedTypes();
    void noTypesNoGroups();
    void groups_data();
    void groups();
    void groupRowsAndFigures();
    void unreadableFilesJoinNoGroup();
    void cancelEndsWithConfirmedGroups_data();
    void cancelEndsWithConfirmedGroups();
    void rescanRefusedUntilTheEndReachedThePage();
    void clean_data();
    void clean();
    void permissionDeniedHidesTheRow();
    void drives();
};

void tst_Work_DuplicateFile::shippedTypes() {
    DriveFixture tree;
    Work_DuplicateFile work(RuleFiles::LoadDuplicateFileData());
    LM_DuplicateFileListModel* model = work.typeModel();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model->rowCount(), 6);
    QCOMPARE(model->item(0).value("title").toString(), QStringLiteral("重复图片"));
    QCOMPARE(model->item(5).value("id").toString(), QStringLiteral("6"));
    QVERIFY(model->item(6).isEmpty());
    QCOMPARE(model->roleNames().value(LM_DuplicateFileListModel::AllTableRole),
             QByteArray("allTable"));
    QCOMPARE(int(LM_DuplicateFileListModel::AllTableRole), 264);
    QCOMPARE(int(LM_DuplicateFileListModel::IconRole), 267);
    const auto& pictures = model->types().front();
    QCOMPARE(pictures.extensions, (std::set<std::string>{".jpg", ".jpeg", ".png"}));
    QCOMPARE(pictures.nodesProxy->maxRows(), 5);
    QCOMPARE(model->data(model->index(0), LM_DuplicateFileListModel::SizeRole).toString(),
             QStringLiteral("0.00KB"));
    QCOMPARE(model->data(model->index(2), LM_DuplicateFileListModel::CheckedRole).toBool(), true);
}

void tst_Work_DuplicateFile::noTypesNoGroups() {
    DriveFixture tree;
    Build(tree, {"c/p/a.jpg=A", "c/p/b.jpg=A"});
    Work_DuplicateFile work{QJsonDocument()};
    WorkHarness harness(work);
    QSignalSpy finished(work.typeModel(), &LM_DuplicateFileListModel::scanFinishedInfo);
    QVERIFY(
        harness.run([&] { return work.ScanDrive(QStringLiteral("*")); }, 21, IWork::RunKind::Scan));
    QCOMPARE(work.typeModel()->rowCount(), 0);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.last(), QList<QVariant>({0, QStringLiteral("0.00KB"), 0}));
}

void tst_Work_DuplicateFile::groups_data() {
    QTest::addColumn<QByteArrayList>("files");
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QStringList>("expected");
    const QByteArray p = "c/Users/u/Pictures/";
    QTest::newRow("copies of one type across folders")
        << QByteArrayList{p + "a.jpg=A", p + "b.png=A", p + "sub/c.jpeg=A", p + "d.jpg=B"} << "C:\\"
        << QStringList{"重复图片:c/Users/u/Pictures/a.jpg|c/Users/u/Pictures/b.png|"
                       "c/Users/u/Pictures/sub/c.jpeg"};
    QTest::newRow("a file without a copy")
        << QByteArrayList{p + "a.jpg=A", p + "b.jpg=B"} << "C:\\" << QStringList{};
    QTest::newRow("100 KiB is not enough, one byte more is")
        << QByteArrayList{p + "a.zip=A:102400", p + "b.zip=A:102400", p + "c.zip=C:102401",
                          p + "d.zip=C:102401"}
        << "C:\\" << QStringList{"重复压缩包:c/Users/u/Pictures/c.zip|c/Users/u/Pictures/d.zip"};
    QTest::newRow("extensions without case")
        << QByteArrayList{p + "IMG_0001.JPG=A", p + "copy.Jpg=A", p + "x.JPEG.txt=A"} << "C:\\"
        << QStringList{"重复图片:c/Users/u/Pictures/IMG_0001.JPG|c/Users/u/Pictures/copy.Jpg"};
    QTest::newRow("same bytes, other types")
        << QByteArrayList{p + "a.jpg=A", p + "b.mp3=A", p + "c.zip=A"} << "C:\\" << QStringList{};
    QTest::newRow("copies per type")
        << QByteArrayList{p + "a.jpg=A", p + "b.mp3=A", p + "c.jpg=A", p + "d.mp3=A"} << "C:\\"
        << QStringList{"重复图片:c/Users/u/Pictures/a.jpg|c/Users/u/Pictures/c.jpg",
                       "重复音频:c/Users/u/Pictures/b.mp3|c/Users/u/Pictures/d.mp3"};
    QTest::newRow("last byte differs")
        << QByteArrayList{p + "a.mp4=A", p + "b.mp4=A!"} << "C:\\" << QStringList{};
    QTest::newRow("equal CRC-32, other bytes")
        << QByteArrayList{p + "a.docx=A", p + "b.docx=A~"} << "C:\\" << QStringList{};
    QTest::newRow("a hard link is the same file")
        << QByteArrayList{p + "a.jpg=A", p + "b.jpg==>" + p + "a.jpg"} << "C:\\" << QStringList{};
    QTest::newRow("a hard link and a real copy")
        << QByteArrayList{p + "a.jpg=A", p + "b.jpg==>" + p + "a.jpg", p + "c.jpg=A"} << "C:\\"
        << QStringList{"重复图片:c/Users/u/Pictures/a.jpg|c/Users/u/Pictures/c.jpg"};
    QTest::newRow("links are not followed")
        << QByteArrayList{p + "a.jpg=A", p + "l.jpg=->" + p + "a.jpg", "c/Users/u/Loop=->c/Users/u",
                          "c/Users/u/Away=->d/Stuff", "d/Stuff/b.jpg=A"}
        << "C:\\" << QStringList{};
    QTest::newRow("hidden, system and program folders are passed over")
        << QByteArrayList{"c/Windows/a.jpg=A",       "c/programdata/b.jpg=A",
                          "c/PROGRAM FILES/c.jpg=A", "c/Users/u/.cache/d.jpg=A",
                          "c/Users/u/e.jpg=A",       "d/ProgramData/f.jpg=A",
                          "d/Windows/g.jpg=A"}
        << "*" << QStringList{"重复图片:c/Users/u/e.jpg|d/ProgramData/f.jpg|d/Windows/g.jpg"};
    QTest::newRow("one drive only") << QByteArrayList{"c/x/a.jpg=A", "d/x/b.jpg=A", "d/y/c.jpg=A"}
                                    << "D:\\" << QStringList{"重复图片:d/x/b.jpg|d/y/c.jpg"};
    QTest::newRow("names that are not UTF-8")
        << QByteArrayList{p + "\xff\xfe.jpg=A", p + "照片.jpg=A"} << "C:\\"
        << QStringList{QString::fromStdString("重复图片:c/Users/u/Pictures/照片.jpg|"
                                              "c/Users/u/Pictures/\xff\xfe.jpg")};
}

void tst_Work_DuplicateFile::groups() {
    QFETCH(QByteArrayList, files);
    QFETCH(QString, drive);
    QFETCH(QStringList, expected);
    Machine m;
    Build(m.tree, files);
    const auto before = m.tree.snapshot();
    QVERIFY(m.scan(drive));
    QCOMPARE(m.groups(), expected);
    QCOMPARE(m.harness.statuses(),
             QList<int>({IWork::DuplicateScanning, IWork::DuplicateScanFinished}));
    QCOMPARE(m.codes.last().at(0).toInt(), 4);
    QVERIFY(m.tree.changesSince(before).isEmpty());
}

void tst_Work_DuplicateFile::groupRowsAndFigures() {
    Machine m;
    const QByteArray p = "c/Users/u/Pictures/";
    Build(m.tree, {p + "a.jpg=A", p + "b.jpg=A", p + "c.png=B", p + "d.png=B", p + "e.png=B",
                   p + "v.mp4=C:3000000", p + "w.mp4=C:3000000"});
    LM_DuplicateFileListNode* pictures = m.table(0);
    QAbstractItemModelTester tester(pictures,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester nodesTester(m.work.typeModel()->types()[0].nodesProxy,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(pictures, &QAbstractItemModel::rowsInserted);
    QSignalSpy info(pictures, &LM_DuplicateFileListNode::nodeInfoTableChanged);
    QSignalSpy finished(m.work.typeModel(), &LM_DuplicateFileListModel::scanFinishedInfo);
    QVERIFY(m.scan());

    QCOMPARE(pictures->rows(), 5);
    QVERIFY(inserted.count() <= 2); // in batches, not one insertion per file
    // Groups are numbered from 1 in the order found; all rows of a group share its ID.
    QList<int> ids;
    for (int row = 0; row < pictures->rows(); ++row) {
        const QModelIndex index = pictures->index(row);
        ids << pictures->data(index, LM_DuplicateFileListNode::IDRole).toInt();
        QCOMPARE(pictures->data(index, LM_DuplicateFileListNode::CheckedRole).toBool(), false);
        QCOMPARE(pictures->data(index, LM_DuplicateFileListNode::VisibleRole).toBool(), true);
    }
    QVERIFY(ids == QList<int>({1, 1, 1, 2, 2}) || ids == QList<int>({1, 1, 2, 2, 2}));
    const QModelIndex first = pictures->index(0);
    QCOMPARE(pictures->data(first, LM_DuplicateFileListNode::PathRole).toString(),
             QStringLiteral("C:\\Users\\u\\Pictures"));
    QCOMPARE(pictures->data(first, LM_DuplicateFileListNode::SizeRole).toString(),
             QStringLiteral("200.00KB"));
    QVERIFY(QDateTime::fromString(
                pictures->data(first, LM_DuplicateFileListNode::CreateTimeRole).toString(),
                QStringLiteral("yyyy-MM-dd hh:mm"))
                .secsTo(QDateTime::currentDateTime()) < 600);
    const auto& nodes = m.work.typeModel()->types()[0].nodes->groups();
    QCOMPARE(nodes.size(), std::size_t(2));
    const std::string a = Bytes('A', kSize);
    QVERIFY(nodes[0].crc32 == Crc32Text(Crc32Update(0, a.data(), a.size())) ||
            nodes[1].crc32 == Crc32Text(Crc32Update(0, a.data(), a.size())));

    // A group's own table holds its copies, with the group's ID.
    LM_DuplicateFileListNodes* pictureGroups = m.work.typeModel()->types()[0].nodes;
    const QVariant table =
        pictureGroups->data(pictureGroups->index(1), LM_DuplicateFileListNodes::NodeRole);
    auto* second = qobject_cast<LM_DuplicateFileListNode*>(table.value<QObject*>());
    QVERIFY(second && !second->isAllTable());
    QCOMPARE(second->rows(), int(nodes[1].files.size()));
    QCOMPARE(second->at(0).group, 2);
    QCOMPARE(pictureGroups->table(1), second);
    QCOMPARE(pictureGroups->table(2), nullptr);

    QVERIFY(!info.isEmpty());
    QCOMPARE(info.last(), QList<QVariant>({2, QStringLiteral("1000.00KB"), 0}));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.last(), QList<QVariant>({3, QStringLiteral("6.70MB"), 0}));
    QCOMPARE(m.codes.count(), 2);
    QCOMPARE(m.codes.at(0).at(0).toInt(), 1);
    QCOMPARE(m.codes.at(1).at(0).toInt(), 4);

    // A tick from the page counts at once; out of range is ignored.
    QSignalSpy checked(pictures, &LM_DuplicateFileListNode::nodeCheckedCountChanged);
    const QString icon = m.work.typeModel()->types()[0].icon;
    m.host.SetCheckedFromQml(icon, 1, true);
    m.host.SetCheckedFromQml(icon, 99, true);
    m.host.SetCheckedFromQml(QStringLiteral("qrc:/nothing.png"), 0, true);
    QCOMPARE(checked.last().at(0).toInt(), 1);
    m.host.SetCheckedFromQml(icon, 1, false);
    QCOMPARE(checked.last().at(0).toInt(), 0);
    QCOMPARE(pictures->checkedCount(), 0);
    pictures->setItemVisible(0, false);
    QCOMPARE(pictures->at(0).checked, false);

    // A second scan starts the numbering again and leaves no old row behind.
    QVERIFY(m.scan());
    QCOMPARE(pictures->rows(), 5);
    QCOMPARE(pictures->data(pictures->index(0), LM_DuplicateFileListNode::IDRole).toInt(), 1);
    QCOMPARE(m.groups().size(), 3);
}

void tst_Work_DuplicateFile::unreadableFilesJoinNoGroup() {
    Machine m;
    Build(m.tree, {"c/p/a.jpg=A", "c/p/b.jpg=A", "c/p/c.jpg=A", "c/p/x.zip=X", "c/p/y.zip=X",
                   "c/p/u.mp4=U", "c/p/v.mp4=V"});
    for (const char* name : {"c/p/b.jpg", "c/p/y.zip", "c/p/u.mp4", "c/p/v.mp4"})
        fs::permissions(m.tree.root() / name, fs::perms::none);
    {
        WithoutPrivileges ordinary;
        QVERIFY(ordinary.ok());
        QVERIFY(m.scan());
    }
    // Unreadable files are not copies of anything, and never of each other.
    QCOMPARE(m.groups(), QStringList{"重复图片:c/p/a.jpg|c/p/c.jpg"});
}

void tst_Work_DuplicateFile::cancelEndsWithConfirmedGroups_data() {
    QTest::addColumn<bool>("quitting");
    QTest::newRow("the page cancels") << false;
    QTest::newRow("the program quits") << true;
}

void tst_Work_DuplicateFile::cancelEndsWithConfirmedGroups() {
    QFETCH(bool, quitting);
    Machine m;
    QByteArrayList files;
    for (int i = 0; i < 30; ++i) {
        const QByteArray seed(1, char('A' + i));
        files << "c/v/" + QByteArray::number(i) + "a.mp4=" + seed + ":2000000"
              << "c/v/" + QByteArray::number(i) + "b.mp4=" + seed + ":2000000";
    }
    Build(m.tree, files);
    const int before = m.harness.statuses().count(IWork::DuplicateScanFinished);
    // The stop comes once the walk is over and a worker is about to read a pair.
    m.work.hold.store(true);
    QCOMPARE(m.work.ScanDrive(QStringLiteral("C:\\")), 21);
    QVERIFY(m.work.reached.tryAcquire(1, 30000));
    if (quitting)
        m.work.RequestStop();
    else
        QCOMPARE(m.work.CancelScan(), 0);
    m.work.release();
    QVERIFY(m.harness.waitForFinished(IWork::DuplicateScanFinished, before));
    QCOMPARE(m.codes.last().at(0).toInt(), 3);
    // Whatever was confirmed before the stop is shown, and only whole pairs.
    for (const QString& group : m.groups())
        QCOMPARE(group.count('|'), 1);
    QVERIFY(m.groups().size() < 30);
    // The next scan is a whole one again.
    QVERIFY(m.scan());
    QCOMPARE(m.groups().size(), 30);
    QCOMPARE(m.codes.last().at(0).toInt(), 4);
}

void tst_Work_DuplicateFile::rescanRefusedUntilTheEndReachedThePage() {
    Machine m;
    Build(m.tree, {"c/p/a.jpg=A", "c/p/b.jpg=A"});
    QCOMPARE(m.work.ScanDrive(QStringLiteral("C:\\")), 21);
    QCOMPARE(m.work.ScanDrive(QStringLiteral("C:\\")), 2);
    QCOMPARE(m.work.StartClean(), 2);
    // The workers are gone, but the end of the scan has not reached this thread yet: a new
    // scan now would mix its rows with the old ones.
    while (m.work.HasRegisteredRun())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    QCOMPARE(m.work.ScanDrive(QStringLiteral("C:\\")), 2);
    // The page hears the refusal, and the drive it asked for is not taken as scanned.
    QVERIFY(!m.host.scan(QStringLiteral("D:\\")));
    QCOMPARE(m.host.GetCurrentDrive(), QString());
    // The scan still counts as running until its end is here: a cancel is taken.
    QVERIFY(m.host.cancelScan());
    QVERIFY(m.harness.waitForFinished(IWork::DuplicateScanFinished, 0));
    QVERIFY(!m.host.cancelScan());
    QCOMPARE(m.groups().size(), 1);
    QVERIFY(m.scan());
    QCOMPARE(m.groups().size(), 1);
    QCOMPARE(m.table(0)->rows(), 2);
    // Started as any work is, it scans drive C: and ends like a scan of the page.
    QVERIFY(m.harness.scan());
    QCOMPARE(m.groups().size(), 1);
    QCOMPARE(m.codes.last().at(0).toInt(), 4);
}

void tst_Work_DuplicateFile::clean_data() {
    QTest::addColumn<QList<int>>("pictureTicks");
    QTest::addColumn<QList<int>>("archiveTicks");
    QTest::addColumn<QList<int>>("packageTicks");
    QTest::addColumn<QByteArray>("changeBeforeClean");
    QTest::addColumn<int>("started");
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<QString>("tip");
    // What the work lists as not done, "reason:name", sorted.
    QTest::addColumn<QStringList>("failed");
    // Pictures: a, b, c.jpg (one group); archives: x, y.zip (one group); packages, a type
    // that shares ".zip" with the archives: x, y.zip again.
    QTest::newRow("the ticked copies")
        << QList<int>{1, 2} << QList<int>{0} << QList<int>{} << QByteArray() << 0
        << QStringList{"b.jpg", "c.jpg", "x.zip"} << QString() << QStringList{};
    QTest::newRow("every copy ticked keeps the first")
        << QList<int>{0, 1, 2} << QList<int>{0, 1} << QList<int>{} << QByteArray() << 0
        << QStringList{"b.jpg", "c.jpg", "y.zip"} << QStringLiteral("已为2组保留") << QStringList{};
    QTest::newRow("nothing ticked") << QList<int>{} << QList<int>{} << QList<int>{} << QByteArray()
                                    << 1 << QStringList{} << QString() << QStringList{};
    QTest::newRow("the copy that stays is gone")
        << QList<int>{} << QList<int>{0} << QList<int>{} << QByteArray("remove y.zip") << 0
        << QStringList{} << QStringLiteral("1个文件") << QStringList{"changed:x.zip"};
    QTest::newRow("ticked file rewritten since the scan")
        << QList<int>{1} << QList<int>{} << QList<int>{} << QByteArray("touch b.jpg") << 0
        << QStringList{} << QStringLiteral("1个文件") << QStringList{"changed:b.jpg"};
    QTest::newRow("ticked file replaced by another file")
        << QList<int>{1, 2} << QList<int>{} << QList<int>{} << QByteArray("replace c.jpg") << 0
        << QStringList{"b.jpg"} << QStringLiteral("1个文件") << QStringList{"changed:c.jpg"};
    QTest::newRow("the copy that stays changed")
        << QList<int>{1, 2} << QList<int>{} << QList<int>{} << QByteArray("touch a.jpg") << 0
        << QStringList{} << QStringLiteral("2个文件")
        << QStringList{"changed:b.jpg", "changed:c.jpg"};
    // Edited in place, size and time as they were: only the bytes tell.
    QTest::newRow("ticked copy edited in place")
        << QList<int>{1} << QList<int>{} << QList<int>{} << QByteArray("edit b.jpg") << 0
        << QStringList{} << QStringLiteral("1个文件的内容与保留的副本已不相同")
        << QStringList{"differs:b.jpg"};
    QTest::newRow("the copy that stays edited in place")
        << QList<int>{1, 2} << QList<int>{0} << QList<int>{} << QByteArray("edit a.jpg") << 0
        << QStringList{"x.zip"} << QStringLiteral("2个文件的内容与保留的副本已不相同")
        << QStringList{"differs:b.jpg", "differs:c.jpg"};
    QTest::newRow("the copy that stays cannot be read")
        << QList<int>{1} << QList<int>{} << QList<int>{} << QByteArray("lock a.jpg") << 0
        << QStringList{} << QStringLiteral("1个文件的内容与保留的副本已不相同或无法读取")
        << QStringList{"differs:b.jpg"};
    QTest::newRow("a copy that stays for the other type")
        << QList<int>{} << QList<int>{0} << QList<int>{1} << QByteArray() << 1 << QStringList{}
        << QStringLiteral("2个勾选的文件在另一类型中是要保留的那一份") << QStringList{};
}

void tst_Work_DuplicateFile::clean() {
    QFETCH(QList<int>, pictureTicks);
    QFETCH(QList<int>, archiveTicks);
    QFETCH(QList<int>, packageTicks);
    QFETCH(QByteArray, changeBeforeClean);
    QFETCH(int, started);
    QFETCH(QStringList, removed);
    QFETCH(QString, tip);
    QFETCH(QStringList, failed);
    QJsonArray rules = RuleFiles::LoadDuplicateFileData().array();
    rules.append(QJsonObject{{"id", "7"},
                             {"description", QStringLiteral("重复安装包")},
                             {"ext", QJsonArray{"zip"}},
                             {"checked", false}});
    Machine m{QJsonDocument(rules)};
    const QByteArray p = "c/Users/u/Documents/";
    Build(m.tree, {p + "a.jpg=A", p + "b.jpg=A", p + "c.jpg=A", p + "x.zip=Z", p + "y.zip=Z",
                   p + "keep.jpg=K"});
    QVERIFY(m.scan());
    LM_DuplicateFileListNode* pictures = m.table(0);
    LM_DuplicateFileListNode* archives = m.table(4);
    LM_DuplicateFileListNode* packages = m.table(6);
    QCOMPARE(pictures->rows(), 3);
    QCOMPARE(archives->rows(), 2);
    QCOMPARE(packages->rows(), 2);
    for (int row : pictureTicks)
        pictures->setChecked(row, true);
    for (int row : archiveTicks)
        archives->setChecked(row, true);
    for (int row : packageTicks)
        packages->setChecked(row, true);

    const fs::path folder = m.tree.root() / p.toStdString();
    const QList<QByteArray> change = changeBeforeClean.split(' ');
    if (change.size() == 2) {
        const fs::path file = folder / change[1].toStdString();
        if (change[0] == "touch") {
            // Same size and bytes, another time: someone saved it again.
            fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
        } else if (change[0] == "replace") {
            // Another file under the name, with the same size and time.
            const auto time = fs::last_write_time(file);
            // Written beside it first, so it cannot get the old file's inode back.
            const fs::path other =
                m.tree.tree().write(file.string() + ".new", TempTree::read(file));
            fs::last_write_time(other, time);
            fs::rename(other, file);
        } else if (change[0] == "remove") {
            fs::remove(file);
        } else if (change[0] == "edit") {
            // A byte far into the file changed in place; size and time put back as they were.
            const auto time = fs::last_write_time(file);
            std::fstream edit(file, std::ios::in | std::ios::out | std::ios::binary);
            const auto at = std::streamoff(kSize - 100);
            edit.seekg(at);
            const char byte = static_cast<char>(edit.get());
            edit.seekp(at);
            edit.put(static_cast<char>(byte ^ 0x20));
            edit.close();
            fs::last_write_time(file, time);
            QCOMPARE(fs::file_size(file), std::uintmax_t(kSize));
        } else if (change[0] == "lock") {
            fs::permissions(file, fs::perms::none);
        }
    }
    const auto before = m.tree.snapshot();
    const int freedBefore = m.harness.statuses().count(IWork::DuplicateCleanFinished);
    {
        // Without privileges a file without read permission cannot be read, even by root.
        WithoutPrivileges ordinary;
        QVERIFY(ordinary.ok());
        QCOMPARE(m.clean(), started);
    }
    if (started == 0) {
        QCOMPARE(m.harness.statuses().count(IWork::DuplicateCleanFinished), freedBefore + 1);
        QCOMPARE(m.codes.last().at(0).toInt(), 6);
    }
    QStringList expected;
    for (const QString& name : removed)
        expected << "removed: " + QString::fromUtf8(p) + name;
    QCOMPARE(m.tree.changesSince(before), expected);
    if (tip.isEmpty())
        QCOMPARE(m.tips.count(), 0);
    else
        QVERIFY2(!m.tips.isEmpty() && m.tips.last().at(0).toString().contains(tip),
                 qPrintable(m.tips.isEmpty() ? QString() : m.tips.last().at(0).toString()));
    const bool nothingTicked =
        pictureTicks.isEmpty() && archiveTicks.isEmpty() && packageTicks.isEmpty();
    QStringList listed;
    for (const ItemFailures::Failure& failure : m.work.failures.take()) {
        const bool changed = failure.reason == ItemFailures::Reason::Changed;
        QVERIFY(changed || failure.reason == ItemFailures::Reason::Differs);
        listed << QStringLiteral("%1:%2").arg(
            changed ? "changed" : "differs",
            QString::fromStdString(failure.path.filename().string()));
    }
    listed.sort();
    QCOMPARE(listed, failed);
    QCOMPARE(m.criticals,
             nothingTicked ? QStringList{QStringLiteral("没有勾选任何文件!")} : QStringList{});
    // Deleted copies leave the page's list; copies kept stay as they were.
    QCOMPARE(pictures->rows() + archives->rows(), 5 - int(removed.size()));
    for (const LM_DuplicateFileListNode* table : {pictures, archives}) {
        for (int row = 0; row < table->rows(); ++row)
            QVERIFY(fs::exists(table->at(row).path) || changeBeforeClean.startsWith("remove"));
    }
}

void tst_Work_DuplicateFile::permissionDeniedHidesTheRow() {
    Machine m;
    Build(m.tree, {"c/p/a.jpg=A", "c/q/b.jpg=A"});
    QVERIFY(m.scan());
    LM_DuplicateFileListNode* pictures = m.table(0);
    QSignalSpy visibility(pictures, &QAbstractItemModel::dataChanged);
    pictures->setChecked(1, true);
    QSignalSpy counted(pictures, &LM_DuplicateFileListNode::nodeCheckedCountChanged);
    const auto before = m.tree.snapshot();
    {
        UndeletableFile locked(pictures->at(1).path);
        if (!locked.ok())
            QSKIP("this file system cannot make a file undeletable");
        QCOMPARE(m.clean(), 0);
    }
    QVERIFY(m.tree.changesSince(before).isEmpty());
    QCOMPARE(pictures->rows(), 2);
    QCOMPARE(pictures->at(1).visible, false);
    QCOMPARE(pictures->at(1).checked, true);
    QCOMPARE(pictures->checkedCount(), 0); // ticked, but no longer shown
    QCOMPARE(visibility.last().at(2).value<QVector<int>>(),
             QVector<int>{LM_DuplicateFileListNode::VisibleRole});
    // The page hears the count without the hidden row.
    QVERIFY(!counted.isEmpty());
    QCOMPARE(counted.last().at(0).toInt(), 0);
    // A hidden row is not offered again.
    QCOMPARE(m.clean(), 1);
}

void tst_Work_DuplicateFile::drives() {
    Machine m;
    QJsonArray drives = m.host.GetDrives();
    QCOMPARE(drives.size(), 3);
    QCOMPARE(drives[0].toObject().value("name").toString(), QStringLiteral("C:\\"));
    QCOMPARE(drives[1].toObject().value("name").toString(), QStringLiteral("D:\\"));
    const QJsonObject all = drives[2].toObject();
    QCOMPARE(all.value("name").toString(), QStringLiteral("*"));
    const double total = drives[0].toObject().value("totalBytes").toDouble() +
                         drives[1].toObject().value("totalBytes").toDouble();
    QCOMPARE(all.value("totalBytes").toDouble(), total);
    QVERIFY(!all.value("total").toString().endsWith("B"));
    // The list is built once.
    m.tree.setEnv("MERIVANE_DRIVES", "C=" + QByteArray::fromStdString(m.tree.c().native()));
    QCOMPARE(m.host.GetDrives(), drives);
    QVERIFY(m.host.scan(QStringLiteral("D:\\")));
    QCOMPARE(m.host.GetCurrentDrive(), QStringLiteral("D:\\"));
    QVERIFY(m.harness.waitForFinished(IWork::DuplicateScanFinished, 0));
    // Declining the question starts nothing.
    m.host.askYesNo = [](const QString&) { return false; };
    m.host.clean();
    QVERIFY(m.criticals.isEmpty());
    QCOMPARE(m.harness.statuses().count(IWork::DuplicateCleaning), 0);
}

QTEST_MAIN(tst_Work_DuplicateFile)
#include "tst_Work_DuplicateFile.moc"
