#include "DriveFixture.h"
#include "FixtureRegistry.h"
#include "LM_PrivacyFolderModel.h"
#include "LM_PrivacyGroupData.h"
#include "LogFiles.h"
#include "RuleFiles.h"
#include "TPrivacyGroup.h"
#include "TPrivacyItem.h"
#include "TestPrivacyWork.h"
#include "WorkBroker.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const QString runMru = QString::fromLatin1(TestPrivacyWork::runMruKey);
const QString recentKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs");
const QString recentPath = QStringLiteral("Users/u/AppData/Roaming/Microsoft/Windows/Recent");

// A user of drive C: with a Run history of four commands, MRUList "dcba", next to values
// and keys the clean must never touch: a value not in the list, the key's default value,
// a value named "/", a sub-key, a sibling key.
struct Machine {
    DriveFixture tree;
    FixtureRegistry registry{tree};

    Machine() {
        const QStringList commands = {"notepad", "cmd", "regedit", "\\\\server\\共享"};
        for (int i = 0; i < commands.size(); ++i)
            registry.set(runMru, QString(QChar('a' + i)), commands.at(i) + "\\1");
        registry.set(runMru, "MRUList", "dcba");
        registry.set(runMru, "e", "calc\\1");
        registry.set(runMru, "", "默认");
        registry.set(runMru, "/", "slash");
        registry.set(runMru + "\\Sub", "a", "nested");
        registry.set(recentKey, "MRUListEx", "01");
    }
    fs::path recent(const fs::path& name = {}) const {
        return name.empty() ? tree.c(recentPath.toStdString())
                            : tree.c(recentPath.toStdString()) / name;
    }
    void writeRecent(const fs::path& name) const { tree.write(recent(name), 100); }
    // What changed in the tree's files since `before`; the registry file has its own diff.
    QStringList filesChanged(const TempTree::Snapshot& before) const {
        QStringList changes = tree.changesSince(before);
        changes.removeAll(QStringLiteral("changed: registry.reg"));
        return changes;
    }
};

// Registry lines of the Run history's values, as the store writes them.
QString valueLine(const QString& name, const QString& data) {
    QString escaped = data;
    escaped.replace("\\", "\\\\");
    return QStringLiteral("[HKEY_CURRENT_USER\\%1] \"%2\"=\"%3\"").arg(runMru, name, escaped);
}

const QMap<QString, QString> runValues = {
    {"a", "notepad\\1"}, {"b", "cmd\\1"}, {"c", "regedit\\1"}, {"d", "\\\\server\\共享\\1"}};

QStringList removedLines(const QStringList& changes) {
    QStringList lines;
    for (const QString& change : changes)
        lines << "removed: " + change;
    lines.sort();
    return lines;
}

QString readAppLog(const QTemporaryDir& dir) {
    QFile log(dir.filePath("app.log"));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

} // namespace

class tst_Work_Privacy : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void shippedGroups();
    void runHistory_data();
    void runHistory();
    void recentItems_data();
    void recentItems();
    void unexpandedFolderIsNeverRelative();
    void untickedItemsUntouched_data();
    void untickedItemsUntouched();
    void failedEraseShowsWhatRemains_data();
    void failedEraseShowsWhatRemains();
    void twoScansGiveTheSameCounts();
    void secondRunRefusedWhileScanning();

private:
    std::unique_ptr<QTemporaryDir> logDir;
};

void tst_Work_Privacy::init() {
    logDir = std::make_unique<QTemporaryDir>();
    LogFiles::setDirectory(logDir->path());
}

void tst_Work_Privacy::cleanup() {
    LogFiles::setDirectory(QString());
    logDir.reset();
}

void tst_Work_Privacy::shippedGroups() {
    Machine machine;
    TestPrivacyWork work(RuleFiles::LoadPrivacyData());
    QStringList ids, titles;
    QList<int> counts;
    for (const TPrivacyGroup* group : work.groupsModel()->groups()) {
        ids << group->id;
        titles << group->title;
        counts << group->model->rowCount();
    }
    QCOMPARE(ids, QStringList({"group0", "group1", "group2", "group3"}));
    QCOMPARE(titles, QStringList({"Windows运行痕迹", "软件使用痕迹", "浏览器记录", "高危隐私"}));
    QCOMPARE(counts, QList<int>({6, 0, 4, 2}));
    const QList<TPrivacyItem*>& items = work.items(0)->items();
    QCOMPARE(items.at(0)->id, QStringLiteral("001"));
    QCOMPARE(items.at(0)->description, QStringLiteral("Win+R运行痕迹"));
    QCOMPARE(items.at(1)->path,
             QStringLiteral("C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Recent"));
    QCOMPARE(items.at(2)->checked, false);
    QCOMPARE(work.countShown(5), QStringLiteral("0条"));

    // The shipped rules on this machine: the history and the recent items are counted,
    // items without an id never are, even those pointing at a folder full of files.
    machine.writeRecent("报告.docx.lnk");
    machine.tree.write(machine.tree.c("Users/u/AppData/Local/Temp/x.tmp"), 10);
    QVERIFY(work.scan());
    QCOMPARE(work.countShown(0), QStringLiteral("4条"));
    QCOMPARE(work.countShown(1), QStringLiteral("1条"));
    QCOMPARE(work.countShown(1, 2), QStringLiteral("0条"));
    int found = 0, selected = 0;
    work.GetRecordCounts(found, selected);
    QCOMPARE(found, 5);
    QCOMPARE(selected, 5);
    QCOMPARE(work.foundSize.load(), std::uint64_t(5));

    Work_Privacy* instance = Work_Privacy::GetInstance();
    QCOMPARE(Work_Privacy::GetInstance(), instance);
    QCOMPARE(instance->groupsModel()->rowCount(), 4);
}

void tst_Work_Privacy::runHistory_data() {
    QTest::addColumn<QString>("mruList"); // null: no MRUList value
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("erased"); // the letters whose values go
    QTest::newRow("dcba") << "dcba" << 4 << "abcd";
    QTest::newRow("upper case names the same values") << "DCBA" << 4 << "abcd";
    QTest::newRow("a letter twice") << "aab" << 2 << "ab";
    QTest::newRow("a slash between letters") << "d/c" << 2 << "cd";
    QTest::newRow("a slash alone") << "/" << 0 << "";
    QTest::newRow("a backslash") << "\\" << 0 << "";
    QTest::newRow("the default value's sign") << "@" << 0 << "";
    QTest::newRow("a letter without a value") << "dz" << 1 << "d";
    QTest::newRow("Chinese and a letter") << "中a" << 1 << "a";
    QTest::newRow("empty") << "" << 0 << "";
    QTest::newRow("no MRUList") << QString() << 0 << "";
}

void tst_Work_Privacy::runHistory() {
    QFETCH(QString, mruList);
    QFETCH(int, count);
    QFETCH(QString, erased);
    Machine machine;
    TestPrivacyWork work(TestPrivacyWork::standardRules());
    if (mruList.isNull()) {
        auto key =
            platform::RegistryKey::open(platform::RegistryRoot::CurrentUser, runMru.toStdString(),
                                        platform::RegistryAccess::ReadWrite);
        QCOMPARE(key.deleteValue("MRUList"), 0u);
    } else {
        machine.registry.set(runMru, "MRUList", mruList);
    }

    QVERIFY(work.scan());
    QCOMPARE(work.countShown(0), QStringLiteral("%1条").arg(count));

    const QStringList before = machine.registry.entries();
    QVERIFY(work.clean());
    QCOMPARE(work.countShown(0), QStringLiteral("0条"));
    // Exactly the listed values go and MRUList is emptied; nothing else changes.
    QStringList expected;
    for (const QChar letter : erased)
        expected << "removed: " + valueLine(letter, runValues.value(letter));
    if (!mruList.isEmpty()) {
        expected << "removed: " + valueLine("MRUList", mruList)
                 << "added: " + valueLine("MRUList", "");
    }
    expected.sort();
    QCOMPARE(FixtureRegistry::diff(before, machine.registry.entries()), expected);
}

void tst_Work_Privacy::recentItems_data() {
    QTest::addColumn<QByteArrayList>("files");  // "dir/" a folder, "->" a link outside
    QTest::addColumn<QByteArrayList>("traces"); // what is counted and erased
    QTest::addColumn<QStringList>("logged");    // regular files named in app.log
    QTest::newRow("only desktop.ini")
        << QByteArrayList{"desktop.ini"} << QByteArrayList{} << QStringList{"desktop.ini"};
    // Windows names are blind to letter case: the folder's settings in any spelling.
    QTest::newRow("Desktop.ini") << QByteArrayList{"Desktop.ini", "a.lnk"}
                                 << QByteArrayList{"a.lnk"} << QStringList{"Desktop.ini", "a.lnk"};
    QTest::newRow("DESKTOP.INI") << QByteArrayList{"DESKTOP.INI", "a.lnk"}
                                 << QByteArrayList{"a.lnk"} << QStringList{"DESKTOP.INI", "a.lnk"};
    QTest::newRow("desktop.ini with a shortcut")
        << QByteArrayList{"desktop.ini", "a.lnk"} << QByteArrayList{"a.lnk"}
        << QStringList{"desktop.ini", "a.lnk"};
    QTest::newRow("a shortcut named like it is a trace")
        << QByteArrayList{"desktop.ini.lnk", "desktop.ini"} << QByteArrayList{"desktop.ini.lnk"}
        << QStringList{"desktop.ini.lnk", "desktop.ini"};
    QTest::newRow("shortcuts, one name not UTF-8")
        << QByteArrayList{"报告.docx.lnk", "a b.lnk", "\xff\xfe.lnk"}
        << QByteArrayList{"报告.docx.lnk", "a b.lnk", "\xff\xfe.lnk"}
        << QStringList{"报告.docx.lnk", "a b.lnk"};
    QTest::newRow("sub-folders and links are no traces")
        << QByteArrayList{"a.lnk", "AutomaticDestinations/1.automaticDestinations-ms",
                          "->outside.lnk"}
        << QByteArrayList{"a.lnk"} << QStringList{"a.lnk"};
}

void tst_Work_Privacy::recentItems() {
    QFETCH(QByteArrayList, files);
    QFETCH(QByteArrayList, traces);
    QFETCH(QStringList, logged);
    Machine machine;
    fs::create_directories(machine.recent());
    const fs::path outside = machine.tree.write(machine.tree.root() / "secret.doc", 999);
    for (const QByteArray& file : files) {
        if (file.startsWith("->"))
            fs::create_symlink(outside, machine.recent(file.mid(2).toStdString()));
        else
            machine.writeRecent(file.toStdString());
    }
    TestPrivacyWork work(TestPrivacyWork::standardRules());

    QVERIFY(work.scan());
    QCOMPARE(work.countShown(1), QStringLiteral("%1条").arg(traces.size()));
    const QString log = readAppLog(*logDir);
    for (const QString& name : logged) {
        const QString line =
            " - C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\" + name + "\n";
        QVERIFY2(log.contains(line), qPrintable(log));
    }
    // One line for each regular file, whatever its name.
    const auto regular = std::count_if(files.begin(), files.end(), [](const QByteArray& file) {
        return !file.startsWith("->") && !file.contains('/');
    });
    QCOMPARE(log.count('\n'), int(regular));

    const TempTree::Snapshot before = machine.tree.snapshot();
    QVERIFY(work.clean());
    QStringList expected;
    for (const QByteArray& trace : traces)
        expected << QString::fromStdString("removed: c/" + recentPath.toStdString() + "/" +
                                           trace.toStdString());
    expected.sort();
    QCOMPARE(machine.filesChanged(before), expected);
    QCOMPARE(work.countShown(1), QStringLiteral("0条"));
}

void tst_Work_Privacy::unexpandedFolderIsNeverRelative() {
    Machine machine;
    machine.tree.setEnv("APPDATA", QByteArray()); // restored with the fixture
    qunsetenv("APPDATA");
    // The rule's folder, taken as written, would lie below the current folder.
    struct CurrentFolder {
        QString saved = QDir::currentPath();
        ~CurrentFolder() { QDir::setCurrent(saved); }
    } restore;
    QVERIFY(QDir::setCurrent(QString::fromStdString(machine.tree.root().native())));
    machine.tree.write(machine.tree.root() / "%APPDATA%/Microsoft/Windows/Recent/a.lnk", 10);
    TestPrivacyWork work(TestPrivacyWork::standardRules());

    QVERIFY(work.scan());
    QCOMPARE(work.countShown(1), QStringLiteral("0条"));
    QVERIFY(readAppLog(*logDir).contains("cannot list %APPDATA%\\Microsoft\\Windows\\Recent"));
    const TempTree::Snapshot before = machine.tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(machine.filesChanged(before), QStringList());
}

void tst_Work_Privacy::untickedItemsUntouched_data() {
    QTest::addColumn<int>("unticked"); // row of the standard rules' group
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("Run history unticked") << 0 << 2;
    QTest::newRow("recent items unticked") << 1 << 4;
}

void tst_Work_Privacy::untickedItemsUntouched() {
    QFETCH(int, unticked);
    QFETCH(int, selectedAfter);
    Machine machine;
    machine.writeRecent("a.lnk");
    machine.writeRecent("b.lnk");
    // The ticked item without an id points at %TEMP%: it must never clean it.
    machine.tree.write(machine.tree.c("Users/u/AppData/Local/Temp/keep.tmp"), 10);
    TestPrivacyWork work(TestPrivacyWork::standardRules());
    QVERIFY(work.scan());
    QSignalSpy checkedChanged(workBroker, &WorkBroker::OnPrivacyCheckedChanged);
    work.setChecked(unticked, false);
    QCOMPARE(checkedChanged.count(), 1);
    int found = 0, selected = 0;
    work.GetRecordCounts(found, selected);
    QCOMPARE(found, 6);
    QCOMPARE(selected, selectedAfter);
    QCOMPARE(work.selectedSize.load(), std::uint64_t(selectedAfter));

    const QStringList registryBefore = machine.registry.entries();
    const TempTree::Snapshot before = machine.tree.snapshot();
    QVERIFY(work.clean());
    const QStringList registryChanges =
        FixtureRegistry::diff(registryBefore, machine.registry.entries());
    const QStringList treeChanges = machine.filesChanged(before);
    if (unticked == 0) {
        QCOMPARE(registryChanges, QStringList());
        QCOMPARE(treeChanges,
                 removedLines({"c/" + recentPath + "/a.lnk", "c/" + recentPath + "/b.lnk"}));
        QCOMPARE(work.countShown(0), QStringLiteral("4条"));
    } else {
        QCOMPARE(registryChanges.size(), 6); // four values and MRUList's old and new line
        QCOMPARE(treeChanges, QStringList());
        QCOMPARE(work.countShown(1), QStringLiteral("2条"));
    }
}

void tst_Work_Privacy::failedEraseShowsWhatRemains_data() {
    QTest::addColumn<bool>("readOnlyRegistry");
    QTest::addColumn<QStringList>("undeletable");
    QTest::addColumn<int>("runLeft");
    QTest::addColumn<int>("recentLeft");
    QTest::addColumn<QString>("journal");     // what app.log says about it
    QTest::addColumn<QString>("erased");      // the Run history's letters whose values go
    QTest::addColumn<QStringList>("removed"); // the recent items that go
    QTest::newRow("a file cannot be deleted")
        << false << QStringList{"b.lnk"} << 0 << 1 << "Recent\\b.lnk: error 5"
        << "abcd" << QStringList{"a.lnk", "c.lnk"};
    QTest::newRow("the registry cannot be written")
        << true << QStringList() << 4 << 0 << "Run history not fully erased: error 5"
        << "" << QStringList{"a.lnk", "b.lnk", "c.lnk"};
}

void tst_Work_Privacy::failedEraseShowsWhatRemains() {
    QFETCH(bool, readOnlyRegistry);
    QFETCH(QStringList, undeletable);
    QFETCH(int, runLeft);
    QFETCH(int, recentLeft);
    QFETCH(QString, journal);
    QFETCH(QString, erased);
    QFETCH(QStringList, removed);
    Machine machine;
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk"})
        machine.writeRecent(name);
    TestPrivacyWork work(TestPrivacyWork::standardRules());
    QVERIFY(work.scan());
    work.readOnlyRegistry = readOnlyRegistry;
    work.undeletable = QSet<QString>(undeletable.begin(), undeletable.end());

    const QStringList registryBefore = machine.registry.entries();
    const TempTree::Snapshot before = machine.tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(work.countShown(0), QStringLiteral("%1条").arg(runLeft));
    QCOMPARE(work.countShown(1), QStringLiteral("%1条").arg(recentLeft));
    int found = 0, selected = 0;
    work.GetRecordCounts(found, selected);
    QCOMPARE(found, runLeft + recentLeft);
    QCOMPARE(selected, runLeft + recentLeft);
    // Whatever could go went, and nothing else changed.
    QStringList registryExpected;
    for (const QChar letter : erased)
        registryExpected << "removed: " + valueLine(letter, runValues.value(letter));
    if (!erased.isEmpty()) {
        registryExpected << "removed: " + valueLine("MRUList", "dcba")
                         << "added: " + valueLine("MRUList", "");
    }
    registryExpected.sort();
    QCOMPARE(FixtureRegistry::diff(registryBefore, machine.registry.entries()), registryExpected);
    if (readOnlyRegistry)
        QCOMPARE(FixtureRegistry::diff(registryBefore, machine.registry.entries()), QStringList());
    QStringList filesExpected;
    for (const QString& name : removed)
        filesExpected << "c/" + recentPath + "/" + name;
    QCOMPARE(machine.filesChanged(before), removedLines(filesExpected));
    for (const QString& name : undeletable)
        QVERIFY(fs::exists(machine.recent(name.toStdString())));
    QVERIFY(readAppLog(*logDir).contains(journal));
}

void tst_Work_Privacy::twoScansGiveTheSameCounts() {
    Machine machine;
    machine.writeRecent("a.lnk");
    TestPrivacyWork work(TestPrivacyWork::standardRules());
    QVERIFY(work.scan());
    QVERIFY(work.scan());
    QCOMPARE(work.countShown(0), QStringLiteral("4条"));
    QCOMPARE(work.countShown(1), QStringLiteral("1条"));
    QCOMPARE(work.foundSize.load(), std::uint64_t(5));
    QCOMPARE(work.statuses(), QList<int>({IWork::PrivacyScanning, IWork::PrivacyScanFinished,
                                          IWork::PrivacyScanning, IWork::PrivacyScanFinished}));
}

void tst_Work_Privacy::secondRunRefusedWhileScanning() {
    Machine machine;
    machine.writeRecent("a.lnk");
    // Long enough a scan that the second request surely meets it.
    TestPrivacyWork work(TestPrivacyWork::standardRules(), std::chrono::seconds(30));
    const TempTree::Snapshot before = machine.tree.snapshot();
    QCOMPARE(work.StartScan(), 1);
    QCOMPARE(work.StartScan(), 2);
    QCOMPARE(work.StartClean(), 2);
    QCOMPARE(work.statuses(), QList<int>({IWork::PrivacyScanning}));
    work.RequestStop(); // ends the scan's minimum time
    QVERIFY(work.waitForFinished(IWork::PrivacyScanFinished, 0));
    QCOMPARE(work.statuses(), QList<int>({IWork::PrivacyScanning, IWork::PrivacyScanFinished}));
    QCOMPARE(work.countShown(0), QStringLiteral("4条"));
    QCOMPARE(work.countShown(1), QStringLiteral("1条"));
    QCOMPARE(work.foundSize.load(), std::uint64_t(5));
    QCOMPARE(machine.filesChanged(before), QStringList());
}

QTEST_MAIN(tst_Work_Privacy)
#include "tst_Work_Privacy.moc"
