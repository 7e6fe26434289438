#include "CliProgram.h"
#include "DriveFixture.h"
#include "FixtureRegistry.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

namespace fs = std::filesystem;

// "software" as a user runs it: the programs of the registry's uninstall keys, and the start
// of one program's uninstaller, which here only writes down how it was started.
class tst_CliSoftware : public QObject {
    Q_OBJECT
private slots:
    void scan();
    void uninstall_data();
    void uninstall();

private:
    CliProgram cli_;
};

namespace {

const QString uninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Two programs, one of which has lost its uninstaller; the other's uninstaller appends its
// arguments to `log`.
struct Machine {
    DriveFixture drives;
    FixtureRegistry registry{drives};
    QTemporaryDir logDir;
    QString log = logDir.filePath("started.log");

    Machine() {
        const fs::path uninstaller = drives.c("Apps/墨池/uninst.exe");
        drives.tree().write(uninstaller, "#!/bin/sh\necho \"$@\" >> '" + log.toStdString() + "'\n");
        fs::permissions(uninstaller, fs::perms::owner_exec, fs::perm_options::add);
        drives.write(drives.c("Apps/墨池/ink.dat"), 3000);
        add("Inkpool", "墨池笔记", "\"C:\\Apps\\墨池\\uninst.exe\" /S /currentuser", "20240318");
        drives.write(drives.c("Apps/Broken/tool.dat"), 500);
        add("Broken", "Broken Tool", "\"C:\\Apps\\Broken\\gone.exe\"", "20200410");
    }
    void add(const QString& subKey, const QString& name, const QString& command,
             const QString& date) const {
        using Root = FixtureRegistry::Root;
        const QString key = uninstallKey + "\\" + subKey;
        registry.set(Root::LocalMachine, key, "DisplayName", name);
        registry.set(Root::LocalMachine, key, "UninstallString", command);
        registry.set(Root::LocalMachine, key, "InstallDate", date);
    }
};

} // namespace

void tst_CliSoftware::scan() {
    Machine m;
    const CliProgram::Result result = cli_.run({"software", "scan", "--json"});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.errText(), QString());
    const QJsonObject json = result.json();
    QVERIFY(!json.contains("categories"));
    const QJsonArray programs = json.value("programs").toArray();
    QCOMPARE(programs.size(), 2);
    // Oldest first, as the page lists them.
    const QJsonObject broken = programs[0].toObject();
    QCOMPARE(broken.value("name").toString(), QStringLiteral("Broken Tool"));
    QCOMPARE(broken.value("installDate").toString(), QStringLiteral("2020-04-10"));
    QCOMPARE(broken.value("bytes").toInt(), 500);
    const QJsonObject ink = programs[1].toObject();
    QCOMPARE(ink.value("name").toString(), QStringLiteral("墨池笔记"));
    QCOMPARE(ink.value("uninstallString").toString(),
             QStringLiteral("\"C:\\Apps\\墨池\\uninst.exe\" /S /currentuser"));
    QVERIFY(ink.value("bytes").toInt() > 3000);
    QCOMPARE(json.value("total").toObject().value("count").toInt(), 2);

    const CliProgram::Result text = cli_.run({"software", "scan", "--lang", "en"});
    QVERIFY2(text.outText().startsWith("Installed software: 2 programs taking "),
             qPrintable(text.outText()));
}

void tst_CliSoftware::uninstall_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("started"); // what the uninstaller wrote down
    QTest::newRow("a program, letter case aside") << "墨池笔记" << 0 << "/S /currentuser\n";
    QTest::newRow("a program whose uninstaller is gone") << "broken tool" << 3 << "";
}

void tst_CliSoftware::uninstall() {
    QFETCH(QString, name);
    QFETCH(int, status);
    QFETCH(QString, started);
    Machine m;
    const TempTree::Snapshot before = m.drives.snapshot();

    const CliProgram::Result dry = cli_.run({"software", "uninstall", name});
    QCOMPARE(dry.status, 0);
    QVERIFY2(dry.outText().contains("这是演练，没有启动卸载程序"), qPrintable(dry.outText()));
    QVERIFY(!QFile::exists(m.log));
    QCOMPARE(m.drives.changesSince(before), QStringList());

    const CliProgram::Result acted = cli_.run({"software", "uninstall", name, "--yes", "--json"});
    QCOMPARE(acted.status, status);
    const QJsonObject json = acted.json();
    QCOMPARE(json.value("programs").toArray().size(), 1);
    if (started.isEmpty()) {
        const QJsonObject failure = json.value("failures").toArray()[0].toObject();
        QCOMPARE(failure.value("name").toString(),
                 QStringLiteral("\"C:\\Apps\\Broken\\gone.exe\""));
        QCOMPARE(failure.value("reason").toString(), QStringLiteral("not-started"));
        QCOMPARE(acted.errText(),
                 QStringLiteral("1 项没有完成：\n  \"C:\\Apps\\Broken\\gone.exe\"：无法启动\n"));
    } else {
        QCOMPARE(json.value("result").toObject().value("count").toInt(), 1);
        // The uninstaller runs on its own; the engine does not wait for it.
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(TempTree::read(m.log.toStdString()).c_str()),
                                  started, 30000);
    }
    // The program itself changes nothing: what an uninstaller does is its own affair.
    QCOMPARE(m.drives.changesSince(before), QStringList());
}

QTEST_GUILESS_MAIN(tst_CliSoftware)
#include "tst_CliSoftware.moc"
