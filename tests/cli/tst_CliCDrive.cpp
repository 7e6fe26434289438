#include "CliProgram.h"
#include "DriveFixture.h"
#include "UndeletableFile.h"

#include <QJsonArray>
#include <QtTest>
#include <csignal>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace fs = std::filesystem;

// "cdrive" as a user runs it: the C-drive page's tiles and the files found below them, the
// clean of the ticked tiles, a dry run that changes nothing, a file that cannot go, Ctrl+C.
class tst_CliCDrive : public QObject {
    Q_OBJECT
private slots:
    void scanText();
    void scanJson();
    void clean_data();
    void clean();
    void failingFile();
    void interruptStopsBetweenTwoFiles();
    void progressOnlyOnATerminal();

private:
    // The junk below the rule folders and files beside them that no rule names.
    static void layOut(DriveFixture& drives);
    CliProgram cli_;
};

namespace {

// A file name that is no text: bytes a Windows name could not hold.
const fs::path badName("bad\xff\xfe.tmp");

} // namespace

void tst_CliCDrive::layOut(DriveFixture& drives) {
    drives.write(drives.c("Windows/Temp/a.log"), 100);
    drives.write(drives.c("Windows/Temp/sub/b.tmp"), 200);
    drives.write(drives.c("Windows/Temp/中文/文件.tmp"), 300);
    drives.write(drives.c("Windows/Temp") / badName, 50);
    drives.write(drives.c("Users/u/AppData/Local/Temp/t1.tmp"), 1000);
    drives.write(drives.c("ProgramData/Microsoft/Windows/WER/r.wer"), 5000);
    drives.write(drives.c("Users/u/Documents/keep.doc"), 7);
    drives.write(drives.d("other.tmp"), 3);
}

void tst_CliCDrive::scanText() {
    DriveFixture drives;
    layOut(drives);
    const CliProgram::Result result = cli_.run({"cdrive", "scan"});
    QCOMPARE(result.status, 0);
    // Nothing on standard error when nothing fails and it is no terminal.
    QCOMPARE(result.errText(), QString());
    const QStringList lines = result.outText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0),
             QStringLiteral("C盘垃圾：找到 6.49KB（6 个文件），已选 1.61KB（5 个文件）"));
    const int tile = lines.indexOf(QStringLiteral(
        "[x] 4.1  系统临时文件（Windows系列）  0.63KB  4 个文件  C:\\Windows\\Temp"));
    QVERIFY2(tile > 0, qPrintable(result.outText()));
    QVERIFY(lines.contains(QStringLiteral("      C:\\Windows\\Temp\\中文\\文件.tmp  0.29KB")));
    QVERIFY(lines.contains(QStringLiteral("[ ] 4.6  崩溃报告（Windows系列）  4.88KB  1 个文件  "
                                          "C:\\ProgramData\\Microsoft\\Windows\\WER")));
    QVERIFY(lines.contains(
        QStringLiteral("[ ] 1.1  系统虚拟内存（虚拟内存(重起之后生效)）  暂不支持")));
}

void tst_CliCDrive::scanJson() {
    DriveFixture drives;
    layOut(drives);
    const CliProgram::Result result = cli_.run({"cdrive", "scan", "--json"});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.errText(), QString());
    const QJsonObject json = result.json();
    QCOMPARE(json.value("version").toInt(), 1);
    QCOMPARE(json.value("area").toString(), QStringLiteral("cdrive"));
    QCOMPARE(json.value("action").toString(), QStringLiteral("scan"));
    QCOMPARE(json.value("interrupted").toBool(true), false);
    QVERIFY(!json.contains("dryRun"));
    const QJsonObject total = json.value("total").toObject();
    QCOMPARE(total.value("bytes").toInt(), 6650);
    QCOMPARE(total.value("count").toInt(), 6);
    QCOMPARE(total.value("selectedBytes").toInt(), 1650);
    QCOMPARE(total.value("selectedCount").toInt(), 5);
    QCOMPARE(json.value("failures").toArray(), QJsonArray());

    QJsonObject tile;
    for (const QJsonValue& value : json.value("categories").toArray()) {
        if (value.toObject().value("id") == "4.1")
            tile = value.toObject();
    }
    QCOMPARE(tile.value("name").toString(), QStringLiteral("系统临时文件"));
    QCOMPARE(tile.value("group").toString(), QStringLiteral("Windows系列"));
    QCOMPARE(tile.value("checked").toBool(), true);
    QCOMPARE(tile.value("bytes").toInt(), 650);
    QCOMPARE(tile.value("count").toInt(), 4);
    QCOMPARE(tile.value("folder").toString(), QStringLiteral("C:\\Windows\\Temp"));
    QCOMPARE(CliProgram::rawPath(tile.value("folderRaw").toString()), drives.c("Windows/Temp"));
    // Each file in Windows form and as the system names it, in path order.
    QStringList paths;
    for (const QJsonValue& value : tile.value("rows").toArray()) {
        const QJsonObject row = value.toObject();
        const fs::path raw = CliProgram::rawPath(row.value("raw").toString());
        QVERIFY2(fs::exists(raw), qPrintable(row.value("raw").toString()));
        QCOMPARE(static_cast<std::uintmax_t>(row.value("bytes").toInt()), fs::file_size(raw));
        paths << row.value("path").toString();
    }
    QCOMPARE(paths,
             QStringList({"C:\\Windows\\Temp\\a.log", "C:\\Windows\\Temp\\bad\uFFFD\uFFFD.tmp",
                          "C:\\Windows\\Temp\\sub\\b.tmp", "C:\\Windows\\Temp\\中文\\文件.tmp"}));
}

void tst_CliCDrive::clean_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("gone");
    const QStringList systemTemp = {"c/Windows/Temp/a.log", "c/Windows/Temp/sub/b.tmp",
                                    "c/Windows/Temp/中文/文件.tmp",
                                    "c/Windows/Temp/bad\uFFFD\uFFFD.tmp"};
    const QString userTemp = "c/Users/u/AppData/Local/Temp/t1.tmp";
    const QString report = "c/ProgramData/Microsoft/Windows/WER/r.wer";
    QTest::newRow("what the page ticks") << QStringList() << systemTemp + QStringList{userTemp};
    QTest::newRow("a tile by its name")
        << QStringList{"--select", "崩溃报告"} << QStringList{report};
    QTest::newRow("a tile by id and a group by title")
        << QStringList{"--select", "4.2", "--select", "应用软件"} << QStringList{userTemp};
    QTest::newRow("a group by its number")
        << QStringList{"--select", "4"} << systemTemp + QStringList{userTemp, report};
    QTest::newRow("everything") << QStringList{"--all"}
                                << systemTemp + QStringList{userTemp, report};
}

void tst_CliCDrive::clean() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, gone);
    DriveFixture drives;
    layOut(drives);
    const TempTree::Snapshot before = drives.snapshot();

    // A dry run lists what would go and changes nothing.
    const CliProgram::Result dry = cli_.run(QStringList{"cdrive", "clean"} + options);
    QCOMPARE(dry.status, 0);
    QCOMPARE(dry.errText(), QString());
    QVERIFY2(dry.outText().endsWith("这是演练，什么也没有改动；加上 --yes 才会清理\n"),
             qPrintable(dry.outText()));
    QCOMPARE(drives.changesSince(before), QStringList());
    const CliProgram::Result dryJson = cli_.run(QStringList{"cdrive", "clean", "--json"} + options);
    QCOMPARE(dryJson.json().value("dryRun").toBool(false), true);
    QVERIFY(!dryJson.json().contains("result"));
    QCOMPARE(drives.changesSince(before), QStringList());

    const CliProgram::Result acted =
        cli_.run(QStringList{"cdrive", "clean", "--yes", "--json"} + options);
    QCOMPARE(acted.status, 0);
    QCOMPARE(acted.errText(), QString());
    QCOMPARE(drives.changesSince(before), CliProgram::removed(gone));
    const QJsonObject json = acted.json();
    QCOMPARE(json.value("dryRun").toBool(true), false);
    // What the plan said would go is what went.
    std::uint64_t planned = 0;
    int files = 0;
    for (const QJsonValue& category : json.value("categories").toArray()) {
        for (const QJsonValue& row : category.toObject().value("rows").toArray()) {
            planned += static_cast<std::uint64_t>(row.toObject().value("bytes").toInt());
            ++files;
        }
    }
    QCOMPARE(files, gone.size());
    const QJsonObject result = json.value("result").toObject();
    QCOMPARE(static_cast<std::uint64_t>(result.value("bytes").toInt()), planned);
    QCOMPARE(result.value("count").toInt(), gone.size());
    QCOMPARE(result.value("failed").toInt(-1), 0);
}

void tst_CliCDrive::failingFile() {
    DriveFixture drives;
    layOut(drives);
    UndeletableFile held(drives.c("Windows/Temp/sub/b.tmp"));
    QVERIFY(held.ok());
    const TempTree::Snapshot before = drives.snapshot();
    const CliProgram::Result result =
        cli_.run({"cdrive", "clean", "--yes", "--json", "--select", "4.1"});
    QCOMPARE(result.status, 3);
    // Each failure with its reason, on standard error too.
    QCOMPARE(result.errText(),
             QStringLiteral("1 项没有完成：\n  C:\\Windows\\Temp\\sub\\b.tmp：拒绝访问\n"));
    QCOMPARE(drives.changesSince(before),
             CliProgram::removed({"c/Windows/Temp/a.log", "c/Windows/Temp/中文/文件.tmp",
                                  "c/Windows/Temp/bad\uFFFD\uFFFD.tmp"}));
    const QJsonObject json = result.json();
    const QJsonArray failures = json.value("failures").toArray();
    QCOMPARE(failures.size(), 1);
    const QJsonObject failure = failures[0].toObject();
    QCOMPARE(failure.value("path").toString(), QStringLiteral("C:\\Windows\\Temp\\sub\\b.tmp"));
    QCOMPARE(CliProgram::rawPath(failure.value("raw").toString()),
             drives.c("Windows/Temp/sub/b.tmp"));
    QCOMPARE(failure.value("reason").toString(), QStringLiteral("access-denied"));
    QCOMPARE(failure.value("code").toInt(), 5);
    QCOMPARE(failure.value("message").toString(), QStringLiteral("拒绝访问"));
    QCOMPARE(json.value("result").toObject().value("count").toInt(), 3);
    QCOMPARE(json.value("result").toObject().value("failed").toInt(), 1);
}

void tst_CliCDrive::interruptStopsBetweenTwoFiles() {
    DriveFixture drives;
    const fs::path many = drives.c("Windows/Temp/many");
    constexpr int files = 20000;
    for (int i = 0; i < files; ++i)
        drives.write(many / ("f" + std::to_string(i) + ".tmp"), 1);
    drives.write(drives.c("Users/u/AppData/Local/Temp/t1.tmp"), 1000);
    const TempTree::Snapshot before = drives.snapshot();

    // Ctrl+C comes once the clean has deleted its first file.
    const int watch = ::inotify_init1(IN_CLOEXEC);
    QVERIFY(watch >= 0);
    QVERIFY(::inotify_add_watch(watch, many.c_str(), IN_DELETE) >= 0);
    std::unique_ptr<QProcess> process = cli_.start({"cdrive", "clean", "--yes", "--json"});
    pollfd event{watch, POLLIN, 0};
    const bool deleting = ::poll(&event, 1, 300000) == 1;
    if (deleting)
        ::kill(static_cast<pid_t>(process->processId()), SIGINT);
    ::close(watch);
    const CliProgram::Result result = CliProgram::finish(*process);
    QVERIFY(deleting);

    QCOMPARE(result.status, 1);
    QVERIFY2(result.errText().contains("merivane-cli: 已中断：在两个文件之间停下"),
             qPrintable(result.errText()));
    const QStringList changes = drives.changesSince(before);
    QVERIFY2(!changes.isEmpty() && changes.size() < files,
             qPrintable(QString::number(changes.size())));
    for (const QString& change : changes)
        QVERIFY2(change.startsWith("removed: c/Windows/Temp/many/f"), qPrintable(change));
    // What it reports is what it did.
    const QJsonObject json = result.json();
    QCOMPARE(json.value("interrupted").toBool(), true);
    QCOMPARE(json.value("result").toObject().value("count").toInt(), changes.size());
    QCOMPARE(json.value("result").toObject().value("bytes").toInt(), changes.size());
}

void tst_CliCDrive::progressOnlyOnATerminal() {
    DriveFixture drives;
    layOut(drives);
    // script(1) gives the program a terminal; its output comes back as one stream.
    QProcess script;
    script.setProgram("script");
    script.setArguments(
        {"-qec", cli_.folder() + "/merivane-cli cdrive scan >/dev/null", "/dev/null"});
    script.start();
    if (!script.waitForStarted())
        QSKIP("script(1) is not installed");
    QVERIFY(script.waitForFinished(600000));
    QCOMPARE(script.exitCode(), 0);
    const QString terminal = QString::fromUtf8(script.readAllStandardOutput());
    QVERIFY2(terminal.contains("\r扫描中："), qPrintable(terminal));
    // The line is cleared at the end.
    QVERIFY2(terminal.endsWith('\r') || terminal.endsWith("\r\n"), qPrintable(terminal));
}

QTEST_GUILESS_MAIN(tst_CliCDrive)
#include "tst_CliCDrive.moc"
