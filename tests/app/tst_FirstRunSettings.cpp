#include "AutostartEntry.h"
#include "InitFirstRunSettings.h"
#include "ShellFixture.h"

#include <QSettings>
#include <QtTest>

class tst_FirstRunSettings : public QObject {
    Q_OBJECT
private slots:
    void cleanStartWritesConfigAndRunValue_data();
    void cleanStartWritesConfigAndRunValue();
    void staleRunValueIsRewrittenOnFirstStart();
    void secondStartLeavesRunKeyAlone_data();
    void secondStartLeavesRunKeyAlone();
    void autostartNeedsTheExactPath_data();
    void autostartNeedsTheExactPath();
};

void tst_FirstRunSettings::cleanStartWritesConfigAndRunValue_data() {
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("command");
    QTest::newRow("Windows path") << "C:/Program Files/Merivane/Merivane.exe"
                                  << "C:\\Program Files\\Merivane\\Merivane.exe";
    QTest::newRow("Chinese folder") << "D:/工具/梅里/Merivane.exe"
                                    << "D:\\工具\\梅里\\Merivane.exe";
    QTest::newRow("Linux path") << "/opt/merivane/bin/Merivane"
                                << "\\opt\\merivane\\bin\\Merivane";
}

void tst_FirstRunSettings::cleanStartWritesConfigAndRunValue() {
    QFETCH(QString, executable);
    QFETCH(QString, command);
    ShellFixture fixture(executable);
    QVERIFY(!QFile::exists(fixture.paths.configFile));
    InitFirstRunSettings(fixture.paths);

    QVERIFY(QFile::exists(fixture.paths.configFile));
    QSettings config(fixture.paths.configFile, QSettings::IniFormat);
    QCOMPARE(config.allKeys(), QStringList{"isTray"});
    QCOMPARE(config.value("isTray").toString(), QStringLiteral("true"));
    QCOMPARE(fixture.runValue(), std::optional<std::string>(command.toStdString()));
    QVERIFY(AutostartEntry(fixture.paths).isRegistered());
}

void tst_FirstRunSettings::staleRunValueIsRewrittenOnFirstStart() {
    ShellFixture fixture;
    fixture.setRunValue("C:\\Old\\Merivane.exe");
    InitFirstRunSettings(fixture.paths);
    QCOMPARE(fixture.runValue(),
             std::optional<std::string>("C:\\Program Files\\梅里\\Merivane.exe"));
}

void tst_FirstRunSettings::secondStartLeavesRunKeyAlone_data() {
    QTest::addColumn<QString>("between"); // what the user did to the Run value in between
    QTest::newRow("value removed") << QString();
    QTest::newRow("value points elsewhere") << "C:\\Elsewhere\\Merivane.exe";
}

void tst_FirstRunSettings::secondStartLeavesRunKeyAlone() {
    QFETCH(QString, between);
    ShellFixture fixture;
    InitFirstRunSettings(fixture.paths);
    if (between.isEmpty())
        fixture.removeRunValue();
    else
        fixture.setRunValue(between);
    {
        QSettings config(fixture.paths.configFile, QSettings::IniFormat);
        config.setValue("isTray", false);
    }
    const QByteArray registry = fixture.registryFile();

    InitFirstRunSettings(fixture.paths);
    QCOMPARE(fixture.registryFile(), registry);
    QSettings config(fixture.paths.configFile, QSettings::IniFormat);
    QCOMPARE(config.value("isTray").toBool(), false);
}

void tst_FirstRunSettings::autostartNeedsTheExactPath_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("registered");
    QTest::newRow("same path") << "C:\\Program Files\\梅里\\Merivane.exe" << true;
    QTest::newRow("other case") << "c:\\program files\\梅里\\merivane.exe" << false;
    QTest::newRow("forward slashes") << "C:/Program Files/梅里/Merivane.exe" << false;
    QTest::newRow("moved executable") << "C:\\Old\\Merivane.exe" << false;
    QTest::newRow("quoted") << "\"C:\\Program Files\\梅里\\Merivane.exe\"" << false;
    QTest::newRow("no value") << QString() << false;
}

void tst_FirstRunSettings::autostartNeedsTheExactPath() {
    QFETCH(QString, stored);
    QFETCH(bool, registered);
    ShellFixture fixture;
    if (!stored.isNull())
        fixture.setRunValue(stored);
    QCOMPARE(AutostartEntry(fixture.paths).isRegistered(), registered);
}

QTEST_GUILESS_MAIN(tst_FirstRunSettings)
#include "tst_FirstRunSettings.moc"
