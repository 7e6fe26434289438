#include "LM_SoftWareInfoModel.h"
#include "SoftwareFixture.h"
#include "TestUninstallWork.h"

#include <QSignalSpy>
#include <QtTest>
#include <filesystem>
#include <sys/time.h>

namespace fs = std::filesystem;
using Start = TestUninstallWork::Start;

// The inventory (what is listed, with which date and size) and the uninstall loop (what
// starts, what stays, one run at a time).
class tst_Work_UninstallSoft : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listedRecord();
    void installDate_data();
    void installDate();
    void calcSoftSize_data();
    void calcSoftSize();
    void measuredFolder_data();
    void measuredFolder();
    void emptyInventory();
    void secondScanWhileRunningIsRefused();
    void uninstallStartsTheTickedInRowOrder();
    void failedStartKeepsItsRowUnticked();
    void uninstallWhileUninstallingJoinsTheQueue();
    // Last: quitting cannot be undone.
    void quitStopsTheQueue();
};

namespace {

// Sets a file's last write to noon of a local date.
void SetModified(const fs::path& file, const QDate& date) {
    const qint64 seconds = QDateTime(date, QTime(12, 0)).toSecsSinceEpoch();
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    QVERIFY(::lutimes(file.c_str(), times) == 0);
}

const TSoftwareInfo* Find(LM_SoftWareInfoModel* model, const QString& name) {
    for (const TSoftwareInfo& record : model->records()) {
        if (record.softName == name)
            return &record;
    }
    return nullptr;
}

QStringList Names(LM_SoftWareInfoModel* model) {
    QStringList names;
    for (const TSoftwareInfo& record : model->records())
        names << record.softName;
    return names;
}

void Tick(LM_SoftWareInfoModel* model, const QString& name) {
    const TSoftwareInfo* record = Find(model, name);
    QVERIFY2(record, qPrintable(name));
    QVERIFY(model->setData(model->index(model->rowOf(record->id)), true,
                           LM_SoftWareInfoModel::CheckedRole));
}

// Three programs whose uninstallers live in C:\Apps\<name>, listed by a work.
struct ThreePrograms {
    ThreePrograms() {
        for (const char* name : {"Alpha", "Beta", "Gamma"})
            fixture.add(name, QStringLiteral("C:\\Apps\\%1\\uninst.exe /S").arg(name),
                        {{"InstallDate", QStringLiteral("2023010%1").arg(name[0] - 'A' + 1)}});
    }
    SoftwareFixture fixture;
    // Destroyed first: it waits for its runs.
    TestUninstallWork work;
};

} // namespace

void tst_Work_UninstallSoft::initTestCase() {
    qRegisterMetaType<TestUninstallWork::Start>();
}

void tst_Work_UninstallSoft::listedRecord() {
    SoftwareFixture fixture;
    fixture.write(fixture.c("Program Files/Lumen/unins000.exe"), 1000);
    fixture.write(fixture.c("Program Files/Lumen/data/pack.dat"), 24000);
    // The same name under the 32-bit key, with other data: the 64-bit entry wins.
    fixture.add(SoftwareFixture::Key::Machine32, "Lumen_is1",
                {{"DisplayName", "Lumen Player"}, {"UninstallString", "C:\\Old\\u.exe"}});
    fixture.add(
        "Lumen Player", "\"C:\\Program Files\\Lumen\\unins000.exe\" /SILENT",
        {{"DisplayIcon", "C:\\Program Files\\Lumen\\lumen.exe,0"}, {"InstallDate", "20230115"}});

    TestUninstallWork work;
    QSignalSpy finished(work.model(), &LM_SoftWareInfoModel::scanFinishedInfo);
    QVERIFY(work.scan());
    QCOMPARE(Names(work.model()), QStringList({"Lumen Player"}));
    const TSoftwareInfo& record = work.model()->records().front();
    QCOMPARE(record.uninstString,
             QStringLiteral("\"C:\\Program Files\\Lumen\\unins000.exe\" /SILENT"));
    QCOMPARE(record.iconPath, QStringLiteral("C:\\Program Files\\Lumen\\lumen.exe,0"));
    QCOMPARE(record.isIcon, false);
    QCOMPARE(record.size, 25000u);
    QCOMPARE(record.installDate, QDate(2023, 1, 15));
    QCOMPARE(record.checked, false);
    QCOMPARE(record.visible, true);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0), QVariantList({1, QStringLiteral("24.41KB"), 0}));
}

void tst_Work_UninstallSoft::installDate_data() {
    QTest::addColumn<SoftwareFixture::Values>("values");
    QTest::addColumn<QString>("shown");
    const QString icon = "C:\\App\\app.exe";
    QTest::newRow("InstallDate") << SoftwareFixture::Values{{"InstallDate", "20230115"}}
                                 << "2023/01/15";
    QTest::newRow("with dashes: invalid")
        << SoftwareFixture::Values{{"InstallDate", "2023-01-15"}, {"DisplayIcon", icon}} << "";
    QTest::newRow("InstallTime when no InstallDate")
        << SoftwareFixture::Values{{"InstallTime", "20200202"}} << "2020/02/02";
    QTest::newRow("icon file's date")
        << SoftwareFixture::Values{{"DisplayIcon", icon + ",0"}} << "2021/06/30";
    QTest::newRow("quoted icon file")
        << SoftwareFixture::Values{{"DisplayIcon", "\"" + icon + "\",0"}} << "2021/06/30";
    QTest::newRow("Windows Installer's icon")
        << SoftwareFixture::Values{{"DisplayIcon", "C:\\Windows\\System32\\msiexec.exe,0"}} << "";
    QTest::newRow("missing icon file")
        << SoftwareFixture::Values{{"DisplayIcon", "C:\\App\\gone.exe,0"}} << "";
    // Neither time can be read: the file gives no date, and the inventory goes on.
    QTest::newRow("icon name too long")
        << SoftwareFixture::Values{{"DisplayIcon", "C:\\App\\" + QString(300, 'x') + ".exe"}} << "";
    QTest::newRow("icon behind a link loop")
        << SoftwareFixture::Values{{"DisplayIcon", "C:\\Loop\\app.exe"}} << "";
}

void tst_Work_UninstallSoft::installDate() {
    QFETCH(SoftwareFixture::Values, values);
    QFETCH(QString, shown);
    SoftwareFixture fixture;
    SetModified(fixture.write(fixture.c("App/app.exe"), 10), QDate(2021, 6, 30));
    fs::create_symlink("Loop", fixture.c("Loop"));
    fixture.add("Tested", "", values);
    fixture.add("Next", "", {{"InstallDate", "20240520"}});

    TestUninstallWork work;
    QVERIFY(work.scan());
    LM_SoftWareInfoModel* model = work.model();
    QCOMPARE(model->rowCount(), 2);
    const TSoftwareInfo* tested = Find(model, "Tested");
    QVERIFY(tested);
    QCOMPARE(
        model->data(model->index(model->rowOf(tested->id)), LM_SoftWareInfoModel::InstallDateRole)
            .toString(),
        shown);
}

void tst_Work_UninstallSoft::calcSoftSize_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<quint64>("bytes");
    QTest::newRow("folder") << R"(C:\Program Files\App)" << quint64(3500);
    QTest::newRow("trailing separator") << R"(C:\Program Files\App\)" << quint64(3500);
    QTest::newRow("quoted") << R"("C:\Program Files\App")" << quint64(3500);
    QTest::newRow("forward slashes") << "C:/Program Files/App/" << quint64(3500);
    QTest::newRow("parent: both programs") << R"(C:\Program Files)" << quint64(7500);
    QTest::newRow("Chinese name") << R"(C:\Program Files\应用)" << quint64(4000);
    QTest::newRow("bare drive") << "C:" << quint64(0);
    QTest::newRow("drive root") << R"(C:\)" << quint64(0);
    QTest::newRow("drive root in disguise") << R"(C:\.\)" << quint64(0);
    QTest::newRow("climbing out") << R"(C:\Program Files\App\..\..)" << quint64(0);
    QTest::newRow("no drive") << R"(Program Files\App)" << quint64(0);
    QTest::newRow("empty") << "" << quint64(0);
    QTest::newRow("missing") << R"(C:\Program Files\Gone)" << quint64(0);
}

void tst_Work_UninstallSoft::calcSoftSize() {
    QFETCH(QString, folder);
    QFETCH(quint64, bytes);
    SoftwareFixture fixture;
    fixture.write(fixture.c("Program Files/App/a.bin"), 1000);
    fixture.write(fixture.c("Program Files/App/sub/b.bin"), 2000);
    // A name that is not valid UTF-8 counts like any other.
    fixture.write(fixture.c("Program Files/App") / fs::path("\xff\xfe.dll"), 500);
    fixture.write(fixture.c("Program Files/应用/c.bin"), 4000);
    fixture.write(fixture.c("Big/huge.bin"), 1 << 20);
    // Links to a folder and a file elsewhere are neither entered nor counted.
    fs::create_directory_symlink(fixture.c("Big"), fixture.c("Program Files/App/linked"));
    fs::create_symlink(fixture.c("Big/huge.bin"), fixture.c("Program Files/App/huge.bin"));
    const std::atomic<bool> stop{false};
    QCOMPARE(quint64(Work_UninstallSoft::CalcSoftSize(folder, stop)), bytes);
}

void tst_Work_UninstallSoft::measuredFolder_data() {
    QTest::addColumn<QString>("uninstString");
    QTest::addColumn<QString>("installLocation");
    QTest::addColumn<QByteArray>("systemRoot"); // %SystemRoot%; empty: unset
    QTest::addColumn<quint64>("size");
    QTest::newRow("the uninstaller's folder, not its parent")
        << R"(C:\Program Files\App\unins000.exe /S)"
        << R"(C:\Program Files)" << QByteArray() << quint64(3000);
    QTest::newRow("Windows Installer: the install folder")
        << "MsiExec.exe /X{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21}"
        << R"(C:\Program Files\App)" << QByteArray() << quint64(3000);
    QTest::newRow("Windows Installer: install folder with separator")
        << "MsiExec.exe /X{6F1B3C2A}"
        << R"(C:\Program Files\App\)" << QByteArray() << quint64(3000);
    QTest::newRow("uninstaller at the drive's root: the install folder")
        << R"(C:\uninst.exe)"
        << R"(C:\Program Files\App)" << QByteArray() << quint64(3000);
    // The Windows folder is no program's size, in whatever letter case it is written.
    QTest::newRow("msiexec.exe in System32: the install folder")
        << R"(C:\WINDOWS\system32\msiexec.exe /x{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21})"
        << R"(C:\Program Files\App)" << QByteArray() << quint64(3000);
    QTest::newRow("rundll32.exe in SysWOW64: the install folder")
        << R"(c:\windows\SysWOW64\rundll32.exe "C:\Program Files\App\app.dll",Uninstall)"
        << R"(C:\Program Files\App)" << QByteArray() << quint64(3000);
    QTest::newRow("uninstaller in the Windows folder itself: the install folder")
        << R"("C:\Windows\uninst.exe")"
        << R"(C:\Program Files\App)" << QByteArray() << quint64(3000);
    QTest::newRow("install folder in the Windows folder: nothing")
        << "MsiExec.exe /X{6F1B3C2A}"
        << R"(C:\Windows\System32\)" << QByteArray() << quint64(0);
    QTest::newRow("the Windows folder named by SystemRoot")
        << R"(D:\WinNT\System32\uninst.exe /S)"
        << R"(C:\Program Files\App)" << QByteArray(R"(D:\WINNT)") << quint64(3000);
    QTest::newRow("neither") << "MsiExec.exe /X{6F1B3C2A}"
                             << "" << QByteArray() << quint64(0);
}

void tst_Work_UninstallSoft::measuredFolder() {
    QFETCH(QString, uninstString);
    QFETCH(QString, installLocation);
    QFETCH(QByteArray, systemRoot);
    QFETCH(quint64, size);
    SoftwareFixture fixture;
    fixture.write(fixture.c("Program Files/App/unins000.exe"), 1000);
    fixture.write(fixture.c("Program Files/App/app.dat"), 2000);
    fixture.write(fixture.c("Program Files/Other/other.dat"), 50000);
    fixture.write(fixture.c("uninst.exe"), 70000);
    // The Windows folder, spelt as the uninstall strings spell it (this file system is not
    // case-blind), so that each would measure something.
    fixture.write(fixture.c("WINDOWS/system32/msiexec.exe"), 60000);
    fixture.write(fixture.c("windows/SysWOW64/rundll32.exe"), 80000);
    fixture.write(fixture.c("Windows/uninst.exe"), 90000);
    fixture.write(fixture.c("Windows/System32/kernel32.dll"), 40000);
    fixture.drives().write(fixture.drives().d("WinNT/System32/uninst.exe"), 30000);
    if (!systemRoot.isEmpty())
        fixture.drives().setEnv("SystemRoot", systemRoot);
    fixture.add("App", uninstString, {{"InstallLocation", installLocation}});
    TestUninstallWork work;
    QVERIFY(work.scan());
    QCOMPARE(work.model()->rowCount(), 1);
    QCOMPARE(quint64(work.model()->records().front().size), size);
}

void tst_Work_UninstallSoft::emptyInventory() {
    SoftwareFixture fixture;
    TestUninstallWork work;
    QList<QVariantList> heard;
    connect(work.model(), &LM_SoftWareInfoModel::scanFinishedInfo, this,
            [&](int count, const QString& size, int checked) {
                heard << QVariantList{count, size, checked};
            });
    connect(work.model(), &LM_SoftWareInfoModel::scanStatusChanged, this,
            [&](int status) { heard << QVariantList{status}; });
    QVERIFY(work.scan());
    QCOMPARE(heard, QList<QVariantList>({{2}, {0, QStringLiteral("0.00KB"), 0}, {3}}));
}

void tst_Work_UninstallSoft::secondScanWhileRunningIsRefused() {
    ThreePrograms three;
    TestUninstallWork& work = three.work;
    QVERIFY(work.scan());
    Tick(work.model(), "Beta");

    TestUninstallWork::Gate gate;
    work.measureGate = &gate;
    QSignalSpy status(work.model(), &LM_SoftWareInfoModel::scanStatusChanged);
    QCOMPARE(work.StartScan(), 1);
    QVERIFY(gate.reached.tryAcquire(1, 10000));
    QCOMPARE(work.model()->rowCount(), 0); // the old list is gone at once
    QCOMPARE(work.StartScan(), 2);
    QCOMPARE(work.StartClean(), 2);
    gate.open.release(100);
    QTRY_COMPARE(status.count(), 2);
    QCOMPARE(status.at(0).at(0).toInt(), 2);
    QCOMPARE(status.at(1).at(0).toInt(), 3);
    QVERIFY(work.waitIdle());
    QCOMPARE(Names(work.model()), QStringList({"Alpha", "Beta", "Gamma"}));
    QVERIFY(work.starts().isEmpty());
    QVERIFY(work.scan());
}

void tst_Work_UninstallSoft::uninstallStartsTheTickedInRowOrder() {
    ThreePrograms three;
    TestUninstallWork& work = three.work;
    QVERIFY(work.scan());
    Tick(work.model(), "Gamma");
    Tick(work.model(), "Alpha");
    QCOMPARE(work.StartClean(), 32);
    QVERIFY(work.waitIdle());
    QCOMPARE(work.starts(), QList<Start>({{R"(C:\Apps\Alpha\uninst.exe)", "/S"},
                                          {R"(C:\Apps\Gamma\uninst.exe)", "/S"}}));
    QCOMPARE(Names(work.model()), QStringList({"Beta"}));
    // Nothing ticked: nothing starts.
    QCOMPARE(work.StartClean(), 32);
    QVERIFY(work.waitIdle());
    QCOMPARE(work.starts().size(), 2);
}

void tst_Work_UninstallSoft::failedStartKeepsItsRowUnticked() {
    ThreePrograms three;
    TestUninstallWork& work = three.work;
    QVERIFY(work.scan());
    work.failing = {R"(C:\Apps\Beta\uninst.exe)"};
    Tick(work.model(), "Alpha");
    Tick(work.model(), "Beta");
    QTest::ignoreMessage(QtWarningMsg,
                         "unistall cmd ShellExecute return (true=success) false \n and cmd is "
                         "C:\\Apps\\Beta\\uninst.exe /S");
    QCOMPARE(work.StartClean(), 32);
    QVERIFY(work.waitIdle());
    QCOMPARE(Names(work.model()), QStringList({"Beta", "Gamma"}));
    QCOMPARE(Find(work.model(), "Beta")->checked, false);
    // The next "卸载" of another program does not start the failed one again.
    Tick(work.model(), "Gamma");
    QCOMPARE(work.StartClean(), 32);
    QVERIFY(work.waitIdle());
    QCOMPARE(work.starts(), QList<Start>({{R"(C:\Apps\Alpha\uninst.exe)", "/S"},
                                          {R"(C:\Apps\Beta\uninst.exe)", "/S"},
                                          {R"(C:\Apps\Gamma\uninst.exe)", "/S"}}));
    QCOMPARE(Names(work.model()), QStringList({"Beta"}));
}

void tst_Work_UninstallSoft::uninstallWhileUninstallingJoinsTheQueue() {
    ThreePrograms three;
    TestUninstallWork& work = three.work;
    QVERIFY(work.scan());
    TestUninstallWork::Gate gate;
    work.startGate = &gate;
    Tick(work.model(), "Alpha");
    QCOMPARE(work.StartClean(), 32);
    QVERIFY(gate.reached.tryAcquire(1, 10000));

    // Alpha is being started; ticking it again must not start it twice.
    Tick(work.model(), "Alpha");
    Tick(work.model(), "Gamma");
    QCOMPARE(work.StartClean(), 32);
    QCOMPARE(work.StartScan(), 2); // a new list would drop the rows being uninstalled
    gate.open.release();
    QVERIFY(gate.reached.tryAcquire(1, 10000));
    gate.open.release();
    QVERIFY(work.waitIdle());
    QCOMPARE(work.starts(), QList<Start>({{R"(C:\Apps\Alpha\uninst.exe)", "/S"},
                                          {R"(C:\Apps\Gamma\uninst.exe)", "/S"}}));
    QCOMPARE(Names(work.model()), QStringList({"Beta"}));
    QCOMPARE(work.StartScan(), 1);
    QVERIFY(work.waitIdle());
}

void tst_Work_UninstallSoft::quitStopsTheQueue() {
    ThreePrograms three;
    TestUninstallWork& work = three.work;
    QVERIFY(work.scan());
    TestUninstallWork::Gate gate;
    work.startGate = &gate;
    for (const char* name : {"Alpha", "Beta", "Gamma"})
        Tick(work.model(), name);
    QCOMPARE(work.StartClean(), 32);
    QVERIFY(gate.reached.tryAcquire(1, 10000));

    IWork::BeginQuit();
    work.RequestStop();
    gate.open.release(100);
    QVERIFY(work.waitIdle());
    QCOMPARE(work.starts(), QList<Start>({{R"(C:\Apps\Alpha\uninst.exe)", "/S"}}));
    QCOMPARE(Names(work.model()), QStringList({"Beta", "Gamma"}));
    Tick(work.model(), "Beta");
    QCOMPARE(work.StartClean(), 2);
    QCOMPARE(work.StartScan(), 2);
    QCOMPARE(work.starts().size(), 1);
}

QTEST_MAIN(tst_Work_UninstallSoft)
#include "tst_Work_UninstallSoft.moc"
