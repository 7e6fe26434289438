#include "LM_SoftWareInfoModel.h"
#include "SoftwareFixture.h"
#include "TestUninstallWork.h"
#include "Work_UninstallSoftHost.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QtTest>

namespace fs = std::filesystem;
using Start = TestUninstallWork::Start;

// What the page reaches through the host: the confirmed uninstall and the icons.
class tst_Work_UninstallSoftHost : public QObject {
    Q_OBJECT
private slots:
    void cleanAsksFirst_data();
    void cleanAsksFirst();
    void icons_data();
    void icons();
    void diskSentence();
};

namespace {

QImage Decode(const QString& base64) {
    return QImage::fromData(QByteArray::fromBase64(base64.toLatin1()), "PNG");
}

// A 48 x 48 icon file of one colour.
void WriteIcon(const fs::path& file, const QColor& colour) {
    fs::create_directories(file.parent_path());
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(colour);
    QVERIFY(image.save(QString::fromStdString(file.native()), "ICO"));
}

} // namespace

void tst_Work_UninstallSoftHost::cleanAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("duringInventory"); // the first "卸载" meets a new inventory
    QTest::newRow("是") << true << false;
    QTest::newRow("否") << false << false;
    QTest::newRow("是, refused during the inventory") << true << true;
}

void tst_Work_UninstallSoftHost::cleanAsksFirst() {
    QFETCH(bool, yes);
    QFETCH(bool, duringInventory);
    SoftwareFixture fixture;
    fixture.add("Alpha", "C:\\Apps\\Alpha\\uninst.exe /S");
    fixture.add("Beta", "C:\\Apps\\Beta\\uninst.exe");
    // Folders with a file in them: each program is measured once.
    fixture.write(fixture.c("Apps/Alpha/uninst.exe"), 100);
    fixture.write(fixture.c("Apps/Beta/uninst.exe"), 100);
    TestUninstallWork work;
    Work_UninstallSoftHost host(&work, work.model());
    QVERIFY(work.scan());
    LM_SoftWareInfoModel* model = work.model();
    QStringList asked;
    host.setConfirm([&](const QString& question) {
        asked << question;
        return yes;
    });
    TestUninstallWork::Gate gate;
    QSignalSpy status(model, &LM_SoftWareInfoModel::scanStatusChanged);
    if (duringInventory) {
        // A new inventory, held at Beta once Alpha's row is listed again.
        work.measureGate = &gate;
        QCOMPARE(work.StartScan(), 1);
        QVERIFY(gate.reached.tryAcquire(1, 10000));
        // Past the batch interval (50 ms), Alpha's row goes out as soon as it is measured.
        QTest::qSleep(60);
        gate.open.release(1);
        QVERIFY(gate.reached.tryAcquire(1, 10000));
        QTRY_COMPARE(model->rowCount(), 1);
    }

    // As the page's "卸载" button does: tick the row, then ask the host.
    QVERIFY(model->setData(model->index(0), true, LM_SoftWareInfoModel::CheckedRole));
    QTest::ignoreMessage(QtDebugMsg, yes ? "user select YES" : "user select NO");
    host.clean();
    if (duringInventory) {
        gate.open.release(100);
        QTRY_VERIFY(!status.isEmpty() && status.constLast().at(0).toInt() == 3);
    }
    QVERIFY(work.waitIdle());
    QCOMPARE(asked, QStringList({"请确定是否卸载选中软件(如恢复需要手动安装)？"}));
    // No tick is left behind for a later uninstall to pick up.
    for (const TSoftwareInfo& record : model->records())
        QCOMPARE(record.checked, false);
    if (duringInventory) {
        // Refused: nothing started, and the next confirmed uninstall starts only its own row.
        QVERIFY(work.starts().isEmpty());
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->records().at(1).softName, QStringLiteral("Beta"));
        QVERIFY(model->setData(model->index(1), true, LM_SoftWareInfoModel::CheckedRole));
        QTest::ignoreMessage(QtDebugMsg, "user select YES");
        host.clean();
        QVERIFY(work.waitIdle());
        QCOMPARE(work.starts(), QList<Start>({{R"(C:\Apps\Beta\uninst.exe)", ""}}));
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->records().at(0).softName, QStringLiteral("Alpha"));
        QCOMPARE(model->records().at(0).checked, false);
    } else if (yes) {
        QCOMPARE(work.starts(), QList<Start>({{R"(C:\Apps\Alpha\uninst.exe)", "/S"}}));
        QCOMPARE(model->rowCount(), 1);
    } else {
        QVERIFY(work.starts().isEmpty());
        QCOMPARE(model->rowCount(), 2);
    }
}

void tst_Work_UninstallSoftHost::icons_data() {
    QTest::addColumn<QString>("displayIcon");
    QTest::addColumn<QString>("sameAs"); // empty: no icon at all
    QTest::addColumn<QColor>("colour");  // of an icon file's centre
    QTest::newRow("icon file") << R"(C:\App\app.ico)"
                               << R"(C:\App\app.ico)" << QColor(Qt::red);
    QTest::newRow("icon file, upper case, quoted") << R"("C:\App\APP2.ICO")"
                                                   << R"(C:\App\APP2.ICO)" << QColor(Qt::blue);
    QTest::newRow("program with an icon index") << R"(C:\App\app.exe,0)"
                                                << R"(C:\App\app.exe)" << QColor();
    QTest::newRow("quoted program") << R"("C:\App\app.exe",0)"
                                    << R"(C:\App\app.exe)" << QColor();
    QTest::newRow("missing icon file") << R"(C:\App\gone.ico)"
                                       << "" << QColor();
    QTest::newRow("none") << ""
                          << "" << QColor();
}

void tst_Work_UninstallSoftHost::icons() {
    QFETCH(QString, displayIcon);
    QFETCH(QString, sameAs);
    QFETCH(QColor, colour);
    SoftwareFixture fixture;
    WriteIcon(fixture.c("App/app.ico"), Qt::red);
    WriteIcon(fixture.c("App/APP2.ICO"), Qt::blue);
    fixture.write(fixture.c("App/app.exe"), 100);
    TestUninstallWork work;
    Work_UninstallSoftHost host(&work, work.model());

    const QString icon = host.getProgramIconBase64(displayIcon);
    QCOMPARE(icon, host.getProgramIconBase64(sameAs));
    if (sameAs.isEmpty()) {
        QVERIFY(icon.isEmpty());
        return;
    }
    const QImage image = Decode(icon);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() <= 32 && image.height() <= 32);
    QVERIFY(image.width() == 32 || image.height() == 32);
    if (colour.isValid())
        QCOMPARE(image.pixelColor(image.rect().center()), colour);
}

void tst_Work_UninstallSoftHost::diskSentence() {
    SoftwareFixture fixture;
    TestUninstallWork work;
    Work_UninstallSoftHost host(&work, work.model());
    QVERIFY(
        QRegularExpression(QStringLiteral("^C盘\\(系统盘\\)共\\d+\\.\\d\\dGB,可用\\d+\\.\\d\\dGB$"))
            .match(host.diskSentence())
            .hasMatch());
}

QTEST_MAIN(tst_Work_UninstallSoftHost)
#include "tst_Work_UninstallSoftHost.moc"
