#include "CliProgram.h"
#include "DriveFixture.h"
#include "UndeletableFile.h"

#include <QJsonArray>
#include <QtTest>
#include <chrono>

namespace fs = std::filesystem;

// "duplicates" as a user runs it: the groups of byte-equal copies per type, and a clean that
// keeps the copy --keep names in each group and deletes the others.
class tst_CliDuplicates : public QObject {
    Q_OBJECT
private slots:
    void scan();
    void clean_data();
    void clean();
    void failingCopy();

private:
    // Three equal pictures (two on C:) and two equal videos (one on C:), each copy of its
    // own age.
    static void layOut(DriveFixture& drives);
    CliProgram cli_;
};

namespace {

const QString desktop = "c/Users/u/Desktop/a - 副本.jpg";
const QString pictures = "c/Users/u/Pictures/a.jpg";
const QString backup = "d/备份/a.jpg";
const QString videoC = "c/Users/u/Videos/v.mp4";
const QString videoD = "d/v.mp4";

void written(DriveFixture& drives, const QString& path, std::uintmax_t size, int daysOld) {
    const fs::path file = drives.write(drives.root() / path.toStdString(), size);
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(24 * daysOld));
}

} // namespace

void tst_CliDuplicates::layOut(DriveFixture& drives) {
    written(drives, pictures, 150000, 100);
    written(drives, desktop, 150000, 50);
    written(drives, backup, 150000, 1);
    written(drives, videoC, 200000, 30);
    written(drives, videoD, 200000, 2);
    // Alone of its size: no copy of anything.
    written(drives, "c/Users/u/Pictures/b.jpg", 160000, 5);
}

void tst_CliDuplicates::scan() {
    DriveFixture drives;
    layOut(drives);
    const CliProgram::Result all = cli_.run({"duplicates", "scan", "--drive", "all", "--json"});
    QCOMPARE(all.status, 0);
    QCOMPARE(all.errText(), QString());
    QJsonObject json = all.json();
    QCOMPARE(json.value("drive").toString(), QStringLiteral("all"));
    QCOMPARE(json.value("total").toObject().value("bytes").toInt(), 3 * 150000 + 2 * 200000);
    const QJsonArray types = json.value("categories").toArray();
    QCOMPARE(types.size(), 6);
    const QJsonObject images = types[0].toObject();
    QCOMPARE(images.value("name").toString(), QStringLiteral("重复图片"));
    QCOMPARE(images.value("groups").toInt(), 1);
    QCOMPARE(images.value("count").toInt(), 3);
    const QJsonArray rows = images.value("rows").toArray();
    QCOMPARE(rows[0].toObject().value("path").toString(),
             QStringLiteral("C:\\Users\\u\\Desktop\\a - 副本.jpg"));
    for (const QJsonValue& row : rows) {
        QCOMPARE(row.toObject().value("group").toInt(), 1);
        QVERIFY(QRegularExpression("^[0-9a-f]{8}$")
                    .match(row.toObject().value("crc").toString())
                    .hasMatch());
        QCOMPARE(row.toObject().value("crc"), rows[0].toObject().value("crc"));
    }
    QCOMPARE(types[2].toObject().value("groups").toInt(), 1);

    // The page's quick scan: drive C: only.
    json = cli_.run({"duplicates", "scan", "--json"}).json();
    QCOMPARE(json.value("drive").toString(), QStringLiteral("C:\\"));
    QCOMPARE(json.value("categories").toArray()[0].toObject().value("count").toInt(), 2);
    QCOMPARE(json.value("categories").toArray()[2].toObject().value("groups").toInt(), 0);
}

void tst_CliDuplicates::clean_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("gone");
    QTest::newRow("keep the first of every type")
        << QStringList{"--all"} << QStringList{pictures, backup, videoD};
    QTest::newRow("keep the newest")
        << QStringList{"--all", "--keep", "newest"} << QStringList{desktop, pictures, videoC};
    QTest::newRow("keep the oldest")
        << QStringList{"--all", "--keep", "oldest"} << QStringList{desktop, backup, videoD};
    QTest::newRow("the type the page ticks") << QStringList() << QStringList{videoD};
    QTest::newRow("a type by the name on the type bar")
        << QStringList{"--select", "图片", "--keep", "oldest"} << QStringList{desktop, backup};
}

void tst_CliDuplicates::clean() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, gone);
    DriveFixture drives;
    layOut(drives);
    const TempTree::Snapshot before = drives.snapshot();
    const QStringList arguments = QStringList{"duplicates", "clean", "--drive", "all"} + options;

    const CliProgram::Result dry = cli_.run(arguments);
    QCOMPARE(dry.status, 0);
    QCOMPARE(drives.changesSince(before), QStringList());
    // The plan says which copy stays.
    const int kept = dry.outText().count(QStringLiteral("  保留  "));
    QCOMPARE(kept, options.contains("--all") ? 2 : 1);
    QCOMPARE(dry.outText().count(QStringLiteral("  删除  ")), gone.size());

    const CliProgram::Result acted = cli_.run(arguments + QStringList{"--yes"});
    QCOMPARE(acted.status, 0);
    QCOMPARE(acted.errText(), QString());
    QCOMPARE(drives.changesSince(before), CliProgram::removed(gone));
}

void tst_CliDuplicates::failingCopy() {
    DriveFixture drives;
    layOut(drives);
    UndeletableFile held(drives.root() / backup.toStdString());
    QVERIFY(held.ok());
    const TempTree::Snapshot before = drives.snapshot();
    const CliProgram::Result result =
        cli_.run({"duplicates", "clean", "--drive", "all", "--select", "1", "--yes", "--json"});
    QCOMPARE(result.status, 3);
    QCOMPARE(drives.changesSince(before), CliProgram::removed({pictures}));
    const QJsonArray failures = result.json().value("failures").toArray();
    QCOMPARE(failures.size(), 1);
    QCOMPARE(failures[0].toObject().value("path").toString(), QStringLiteral("D:\\备份\\a.jpg"));
    QCOMPARE(failures[0].toObject().value("reason").toString(), QStringLiteral("access-denied"));
}

QTEST_GUILESS_MAIN(tst_CliDuplicates)
#include "tst_CliDuplicates.moc"
