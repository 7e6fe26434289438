#include "ShellFixture.h"

#include <QProcess>
#include <QSettings>
#include <QtTest>

namespace {
const QString fontSource = QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc");

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

// Starts a copy of the real executable in a private folder, from another working
// directory, and looks at what it leaves beside itself.
class tst_Startup : public QObject {
    Q_OBJECT
private slots:
    void startsAndLogsBesideTheExecutable_data();
    void startsAndLogsBesideTheExecutable();
    void reportsAnUnreadableRegistryOnce_data();
    void reportsAnUnreadableRegistryOnce();

private:
    // A copy of the real executable in the fixture's program folder.
    static QString copyExecutable(const ShellFixture& fixture);
    // Runs the copy until its log holds `lines` lines, then ends it.
    bool runUntilLogged(const QString& executable, const QString& workingDir, int lines);
};

bool tst_Startup::runUntilLogged(const QString& executable, const QString& workingDir, int lines) {
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.setProgram(executable);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForStarted())
        return false;
    const QString log = QFileInfo(executable).absolutePath() + "/application.log";
    QElapsedTimer timer;
    timer.start();
    while (readText(log).count('\n') < lines && process.state() == QProcess::Running &&
           timer.elapsed() < 60000)
        QTest::qWait(50);
    const bool running = process.state() == QProcess::Running;
    process.kill();
    process.waitForFinished();
    return running && readText(log).count('\n') >= lines;
}

QString tst_Startup::copyExecutable(const ShellFixture& fixture) {
    const QString appDir = fixture.folder() + "/程序";
    const QString executable = appDir + "/Merivane";
    if (!QDir().mkpath(appDir) || !QFile::copy(QStringLiteral(MERIVANE_EXECUTABLE), executable))
        return QString();
    return executable;
}

void tst_Startup::startsAndLogsBesideTheExecutable_data() {
    QTest::addColumn<bool>("withFont");
    QTest::newRow("shipped font present") << true;
    QTest::newRow("no fonts folder") << false;
}

void tst_Startup::startsAndLogsBesideTheExecutable() {
    QFETCH(bool, withFont);
    ShellFixture fixture;
    const QString executable = copyExecutable(fixture);
    QVERIFY(!executable.isEmpty());
    const QString appDir = QFileInfo(executable).absolutePath();
    if (withFont) {
        if (!QFile::exists(fontSource))
            QSKIP("fonts-wqy-microhei is not installed");
        QVERIFY(QDir(appDir).mkdir("fonts"));
        QVERIFY(QFile::copy(fontSource, appDir + "/fonts/HarmonyOS_SansSC_Regular.otf"));
    }
    const QString elsewhere = fixture.folder() + "/elsewhere";
    QVERIFY(QDir().mkpath(elsewhere));

    // Four font files are looked for; only the first can be there.
    QVERIFY(runUntilLogged(executable, elsewhere, 4));
    const QString log = readText(appDir + "/application.log");
    const QStringList lines = log.split('\n', Qt::SkipEmptyParts);
    if (withFont) {
        QVERIFY2(lines[0].contains(QRegularExpression(" DEBUG fontFamilies \\(\".+\"\\) \\(")),
                 qPrintable(log));
    } else {
        QVERIFY2(lines[0].contains(
                     " DEBUG Failed to load font: \"./fonts/HarmonyOS_SansSC_Regular.otf\""),
                 qPrintable(log));
    }
    QVERIFY(lines.last().contains("Failed to load font: \"./fonts/SourceHanSansCN-Medium.otf\""));
    QVERIFY(!QFile::exists(elsewhere + "/application.log"));

    QSettings config(appDir + "/config.ini", QSettings::IniFormat);
    QCOMPARE(config.value("isTray").toString(), QStringLiteral("true"));
    fixture.paths.applicationName = "Merivane";
    const QString command = QString(executable).replace('/', '\\');
    QCOMPARE(fixture.runValue(), std::optional<std::string>(command.toStdString()));

    // A second start keeps the user's choice to drop autostart.
    fixture.removeRunValue();
    QVERIFY(runUntilLogged(executable, elsewhere, 8));
    QVERIFY(!fixture.runValue());
}

void tst_Startup::reportsAnUnreadableRegistryOnce_data() {
    QTest::addColumn<QByteArray>("store"); // empty: no store file
    QTest::addColumn<int>("reports");
    const QByteArray header("Windows Registry Editor Version 5.00\n\n");
    QTest::newRow("corrupt") << header + "[HKEY_CURRENT_USER\\Software\n" << 1;
    QTest::newRow("good") << header + "[HKEY_CURRENT_USER\\Software\\梅里]\n\"a\"=\"b\"\n" << 0;
    QTest::newRow("missing") << QByteArray() << 0;
}

// Autostart cannot work on a store that cannot be read; the log must say which and why.
void tst_Startup::reportsAnUnreadableRegistryOnce() {
    QFETCH(QByteArray, store);
    QFETCH(int, reports);
    ShellFixture fixture;
    const QString registry = fixture.folder() + "/registry.reg";
    if (!store.isEmpty()) {
        QFile file(registry);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(store) == store.size());
    }
    const QString executable = copyExecutable(fixture);
    QVERIFY(!executable.isEmpty());

    // The report comes first, before the four font lines.
    QVERIFY(runUntilLogged(executable, fixture.folder(), 4));
    const QString log = readText(QFileInfo(executable).absolutePath() + "/application.log");
    const QStringList lines = log.split('\n').filter(" registry: ");
    QCOMPARE(lines.size(), reports);
    if (reports > 0) {
        QVERIFY2(lines[0].contains(" WARNING registry: " + registry + ": line 3: "),
                 qPrintable(log));
    }
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_Startup.moc"
