#include "CliProgram.h"
#include "DriveFixture.h"
#include "FixtureRegistry.h"
#include "UndeletableFile.h"

#include <QJsonArray>
#include <QtTest>

namespace fs = std::filesystem;

// "privacy" as a user runs it: the Run history in the registry and the recent items, counted
// in records, and their erasure, the registry compared entry by entry.
class tst_CliPrivacy : public QObject {
    Q_OBJECT
private slots:
    void scan();
    void clean_data();
    void clean();
    void failingTrace();

private:
    CliProgram cli_;
};

namespace {

const QString runMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const fs::path recent("Users/u/AppData/Roaming/Microsoft/Windows/Recent");

// A Run history of three commands, most recent first "c", and two recent items beside the
// folder's own desktop.ini.
struct Machine {
    DriveFixture drives;
    FixtureRegistry registry{drives};
    Machine() {
        registry.set(runMru, "a", "notepad\\1");
        registry.set(runMru, "b", "cmd\\1");
        registry.set(runMru, "c", "\\\\nas\\照片\\1");
        registry.set(runMru, "MRUList", "cba");
        drives.write(drives.c(recent / "报告.lnk"), 10);
        drives.write(drives.c(recent / "x.lnk"), 10);
        drives.write(drives.c(recent / "desktop.ini"), 10);
    }
    // The tree's changes but the registry file, whose entries are compared on their own.
    QStringList filesChanged(const TempTree::Snapshot& before) const {
        QStringList changes = drives.changesSince(before);
        changes.removeAll(QStringLiteral("changed: registry.reg"));
        return changes;
    }
};

QString entry(const QString& name, const QString& data) {
    return QStringLiteral("[HKEY_CURRENT_USER\\%1] \"%2\"=\"%3\"")
        .arg(runMru, name, QString(data).replace("\\", "\\\\"));
}

} // namespace

void tst_CliPrivacy::scan() {
    Machine m;
    const CliProgram::Result result = cli_.run({"privacy", "scan", "--json"});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.errText(), QString());
    const QJsonObject json = result.json();
    // Records, not bytes.
    const QJsonObject total = json.value("total").toObject();
    QCOMPARE(total.value("count").toInt(), 5);
    QCOMPARE(total.value("selectedCount").toInt(), 5);
    QVERIFY(!total.contains("bytes"));
    const QJsonArray items = json.value("categories").toArray();
    const QJsonObject history = items[0].toObject();
    QCOMPARE(history.value("id").toString(), QStringLiteral("001"));
    QCOMPARE(history.value("group").toString(), QStringLiteral("Windows运行痕迹"));
    QCOMPARE(history.value("count").toInt(), 3);
    QVERIFY(!history.contains("bytes"));
    // Most recent first, as MRUList has them.
    QStringList names;
    for (const QJsonValue& row : history.value("rows").toArray())
        names << row.toObject().value("name").toString() + "=" +
                     row.toObject().value("value").toString();
    QCOMPARE(names, QStringList({"c=\\\\nas\\照片\\1", "b=cmd\\1", "a=notepad\\1"}));
    const QJsonObject items2 = items[1].toObject();
    QCOMPARE(items2.value("id").toString(), QStringLiteral("002"));
    QCOMPARE(items2.value("count").toInt(), 2);
    QCOMPARE(items2.value("rows").toArray()[0].toObject().value("path").toString(),
             QStringLiteral("C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\x.lnk"));
    // A tile without a location is listed but never scanned.
    QCOMPARE(items[2].toObject().value("supported").toBool(true), false);
}

void tst_CliPrivacy::clean_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("history");
    QTest::addColumn<bool>("items");
    QTest::newRow("what the page ticks") << QStringList() << true << true;
    QTest::newRow("the recent items by id") << QStringList{"--select", "002"} << false << true;
    QTest::newRow("the Run history by name")
        << QStringList{"--select", "Win+R运行痕迹"} << true << false;
}

void tst_CliPrivacy::clean() {
    QFETCH(QStringList, options);
    QFETCH(bool, history);
    QFETCH(bool, items);
    Machine m;
    const TempTree::Snapshot before = m.drives.snapshot();
    const QStringList entries = m.registry.entries();

    const CliProgram::Result dry = cli_.run(QStringList{"privacy", "clean"} + options);
    QCOMPARE(dry.status, 0);
    QCOMPARE(m.drives.changesSince(before), QStringList());
    QCOMPARE(m.registry.entries(), entries);

    const CliProgram::Result acted =
        cli_.run(QStringList{"privacy", "clean", "--yes", "--json"} + options);
    QCOMPARE(acted.status, 0);
    QCOMPARE(acted.errText(), QString());
    QStringList registryChanges;
    if (history) {
        registryChanges << "removed: " + entry("a", "notepad\\1")
                        << "removed: " + entry("b", "cmd\\1")
                        << "removed: " + entry("c", "\\\\nas\\照片\\1")
                        << "removed: " + entry("MRUList", "cba")
                        << "added: " + entry("MRUList", "");
        registryChanges.sort();
    }
    QCOMPARE(FixtureRegistry::diff(entries, m.registry.entries()), registryChanges);
    QStringList fileChanges;
    if (items) {
        fileChanges << "removed: c/" + QString::fromStdString((recent / "x.lnk").string())
                    << "removed: c/" + QString::fromStdString((recent / "报告.lnk").string());
        fileChanges.sort();
    }
    QCOMPARE(m.filesChanged(before), fileChanges);
    QCOMPARE(acted.json().value("result").toObject().value("count").toInt(),
             (history ? 3 : 0) + (items ? 2 : 0));
}

void tst_CliPrivacy::failingTrace() {
    Machine m;
    UndeletableFile held(m.drives.c(recent / "x.lnk"));
    QVERIFY(held.ok());
    const TempTree::Snapshot before = m.drives.snapshot();
    const CliProgram::Result result = cli_.run({"privacy", "clean", "--select", "002", "--yes"});
    QCOMPARE(result.status, 3);
    QVERIFY2(result.errText().contains(
                 "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\x.lnk：拒绝访问"),
             qPrintable(result.errText()));
    // The held one stays; the other goes, or stays too where the whole folder is held.
    const QStringList changes = m.filesChanged(before);
    QVERIFY2(changes.isEmpty() ||
                 changes == QStringList({"removed: c/" +
                                         QString::fromStdString((recent / "报告.lnk").string())}),
             qPrintable(changes.join('\n')));
}

QTEST_GUILESS_MAIN(tst_CliPrivacy)
#include "tst_CliPrivacy.moc"
