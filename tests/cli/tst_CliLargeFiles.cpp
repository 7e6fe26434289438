#include "CliProgram.h"
#include "DriveFixture.h"

#include <QJsonArray>
#include <QtTest>

namespace fs = std::filesystem;

// "largefiles" as a user runs it: the large files of the listed types on C:, and their move
// to another folder, which never replaces a file there.
class tst_CliLargeFiles : public QObject {
    Q_OBJECT
private slots:
    void scan();
    void move_data();
    void move();
    void neverReplacesAFile();

private:
    static void layOut(DriveFixture& drives);
    CliProgram cli_;
};

namespace {
constexpr std::uintmax_t mib = 1024 * 1024;
}

void tst_CliLargeFiles::layOut(DriveFixture& drives) {
    drives.write(drives.c("Users/u/Videos/电影.mp4"), 31 * mib);
    drives.write(drives.c("Users/u/Downloads/backup.zip"), 32 * mib);
    // Too small, and in a system folder.
    drives.write(drives.c("Users/u/small.zip"), mib);
    drives.write(drives.c("Windows/big.zip"), 33 * mib);
}

void tst_CliLargeFiles::scan() {
    DriveFixture drives;
    layOut(drives);
    const CliProgram::Result result = cli_.run({"largefiles", "scan", "--json"});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.errText(), QString());
    const QJsonObject json = result.json();
    QCOMPARE(json.value("total").toObject().value("bytes").toInt(), int(63 * mib));
    QCOMPARE(json.value("total").toObject().value("selectedBytes").toInt(), int(32 * mib));
    const QJsonArray categories = json.value("categories").toArray();
    QCOMPARE(categories.size(), 5);
    const QJsonObject archives = categories[2].toObject();
    QCOMPARE(archives.value("name").toString(), QStringLiteral("压缩包"));
    QCOMPARE(archives.value("checked").toBool(), true);
    QCOMPARE(archives.value("rows").toArray().size(), 1);
    QCOMPARE(archives.value("rows").toArray()[0].toObject().value("path").toString(),
             QStringLiteral("C:\\Users\\u\\Downloads\\backup.zip"));
    const QJsonObject videos = categories[4].toObject();
    QCOMPARE(videos.value("checked").toBool(), false);
    QCOMPARE(videos.value("rows").toArray()[0].toObject().value("path").toString(),
             QStringLiteral("C:\\Users\\u\\Videos\\电影.mp4"));
}

void tst_CliLargeFiles::move_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("setting"); // the window's destination
    QTest::addColumn<QStringList>("changes");
    const QStringList zip = {"added: d/搬家/backup.zip", "removed: c/Users/u/Downloads/backup.zip"};
    QTest::newRow("to a folder") << QStringList{"--to", "D:\\搬家"} << "" << zip;
    QTest::newRow("to the window's folder") << QStringList() << "D:\\搬家" << zip;
    QTest::newRow("everything") << QStringList{"--to", "D:\\搬家", "--all"} << ""
                                << QStringList{"added: d/搬家/backup.zip", "added: d/搬家/电影.mp4",
                                               "removed: c/Users/u/Downloads/backup.zip",
                                               "removed: c/Users/u/Videos/电影.mp4"};
}

void tst_CliLargeFiles::move() {
    QFETCH(QStringList, options);
    QFETCH(QString, setting);
    QFETCH(QStringList, changes);
    DriveFixture drives;
    layOut(drives);
    // Beside the program, where the window keeps it.
    cli_.setSetting("LargeFileSaveDir", setting);
    const TempTree::Snapshot before = drives.snapshot();

    const CliProgram::Result dry = cli_.run(QStringList{"largefiles", "move"} + options);
    QCOMPARE(dry.status, 0);
    QVERIFY2(dry.outText().contains("这是演练，没有移动任何文件；加上 --yes 才会移动"),
             qPrintable(dry.outText()));
    // Not even the destination folder is made.
    QCOMPARE(drives.changesSince(before), QStringList());

    const CliProgram::Result acted =
        cli_.run(QStringList{"largefiles", "move", "--yes", "--json"} + options);
    QCOMPARE(acted.status, 0);
    QCOMPARE(acted.errText(), QString());
    QStringList expected = changes;
    expected << "added: d/搬家";
    expected.sort();
    QCOMPARE(drives.changesSince(before), expected);
    const QJsonObject json = acted.json();
    QCOMPARE(json.value("destination").toString(), QStringLiteral("D:\\搬家"));
    // Both drives lie on one file system here: a move frees nothing on C:, and the question
    // the window would ask is answered by --yes.
    QCOMPARE(json.value("freesSystemDrive").toBool(true), false);
    QCOMPARE(json.value("result").toObject().value("count").toInt(), changes.size() / 2);
    QCOMPARE(json.value("result").toObject().value("bytes").toInt(-1), 0);
    QVERIFY(json.value("notes").toArray().first().toString().endsWith("仍要移动吗？（--yes：是）"));
}

void tst_CliLargeFiles::neverReplacesAFile() {
    DriveFixture drives;
    layOut(drives);
    drives.write(drives.d("搬家/backup.zip"), 10);
    const TempTree::Snapshot before = drives.snapshot();
    const CliProgram::Result result =
        cli_.run({"largefiles", "move", "--to", "D:\\搬家", "--all", "--yes", "--json"});
    QCOMPARE(result.status, 3);
    QCOMPARE(result.errText(),
             QStringLiteral("1 项没有完成：\n  C:\\Users\\u\\Downloads\\backup.zip："
                            "目标处已有同名文件\n"));
    QCOMPARE(drives.changesSince(before),
             QStringList({"added: d/搬家/电影.mp4", "removed: c/Users/u/Videos/电影.mp4"}));
    const QJsonObject failure = result.json().value("failures").toArray()[0].toObject();
    QCOMPARE(failure.value("reason").toString(), QStringLiteral("exists"));
    QCOMPARE(failure.value("code").toInt(), 183);
}

QTEST_GUILESS_MAIN(tst_CliLargeFiles)
#include "tst_CliLargeFiles.moc"
