// The uninstall page in its own view over a fixture machine, used as a person would while
// something runs: the rows' "卸载" cannot be pressed while the list is still being read,
// and "重新扫描" cannot be pressed while uninstallers are being started. Screenshots of
// both go where saveScreenshot puts them.
#include "LM_SoftWareInfoModel.h"
#include "QmlItems.h"
#include "Screenshots.h"
#include "SoftwareFixture.h"
#include "TestUninstallWork.h"
#include "Work_UninstallSoftHost.h"

#include <QQuickItem>
#include <QQuickWidget>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using Start = TestUninstallWork::Start;

class tst_UninstallPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<Start>(); }
    void uninstallWaitsForTheList();
    void rescanWaitsForTheUninstallers();
};

namespace {

// Programs whose uninstallers live in C:\Apps\<name>, and the page over a work that lists
// them, with the user's answers recorded and always "是".
struct Page {
    explicit Page(int programs) {
        for (int i = 0; i < programs; ++i) {
            const QString name = QStringLiteral("Program %1").arg(i);
            fixture.add(name, QStringLiteral("C:\\Apps\\%1\\uninst.exe /S").arg(name),
                        {{"InstallDate", QStringLiteral("202301%1").arg(10 + i)}});
        }
        host.setConfirm([this](const QString& question) {
            asked << question;
            return true;
        });
        view =
            QmlItems::show(QStringLiteral("qrc:/QML/resources/QML/UninstallSoft/uninst_main.qml"),
                           {{QStringLiteral("softwareList"), work.model()},
                            {QStringLiteral("uninstHost"), &host}},
                           QSize(970, 712));
    }
    QQuickItem* find(const QString& name) const { return QmlItems::find(*view, name); }
    QQuickItem* uninstallButton(const QString& program) const {
        return QmlItems::find(find(QStringLiteral("soft_") + program),
                              QStringLiteral("uninstallButton"));
    }
    QString caption() const {
        return QmlItems::find(find(QStringLiteral("progressBtn")), QStringLiteral("caption"))
            ->property("text")
            .toString();
    }
    bool running() const {
        return find(QStringLiteral("progressBtn"))->property("running").toBool();
    }
    void shoot(const QString& name) {
        QTest::qWait(100);
        QVERIFY(!saveScreenshot(view->grabFramebuffer(), name).isEmpty());
    }

    // A failed check must not leave a worker waiting: the work waits for its runs.
    ~Page() {
        measureGate.open.release(100000);
        startGate.open.release(100000);
    }

    SoftwareFixture fixture;
    TestUninstallWork::Gate measureGate;
    TestUninstallWork::Gate startGate;
    // Destroyed before the work: the page reads its model.
    TestUninstallWork work;
    Work_UninstallSoftHost host{&work, work.model()};
    std::unique_ptr<QQuickWidget> view;
    QStringList asked;
};

} // namespace

void tst_UninstallPage::uninstallWaitsForTheList() {
    Page page(8);
    QVERIFY(page.view);
    TestUninstallWork::Gate& gate = page.measureGate;
    page.work.measureGate = &gate;
    // As the window does on the first visit.
    QCOMPARE(page.work.StartScan(), 1);
    // One folder at a time, until the first programs are on the page.
    QString first;
    const auto listedSoFar = [&] {
        if (gate.reached.tryAcquire())
            gate.open.release();
        if (page.work.model()->rowCount() > 0)
            first = page.work.model()->records().front().softName;
        return !first.isEmpty() && page.uninstallButton(first);
    };
    QTRY_VERIFY(listedSoFar());
    QVERIFY(page.work.model()->rowCount() < 8);
    QVERIFY(page.running());
    QCOMPARE(page.caption(), QStringLiteral("扫描中..."));

    // The list is still being read: the button is grey and takes no click.
    QQuickItem* button = page.uninstallButton(first);
    QCOMPARE(button->isEnabled(), false);
    page.shoot("UninstallPage-inventory");
    QVERIFY(QmlItems::click(*page.view, button));
    QCOMPARE(page.asked, QStringList());
    for (const TSoftwareInfo& record : page.work.model()->records())
        QVERIFY2(!record.checked, qPrintable(record.softName));

    gate.open.release(1000);
    QTRY_COMPARE(page.caption(), QStringLiteral("重新扫描"));
    QVERIFY(page.work.waitIdle());
    QCOMPARE(page.work.model()->rowCount(), 8);
    // Once the list is complete, it uninstalls what the user confirms.
    QTRY_VERIFY(page.uninstallButton(first) && page.uninstallButton(first)->isEnabled());
    QVERIFY(QmlItems::click(*page.view, page.uninstallButton(first)));
    QCOMPARE(page.asked, QStringList{Work_UninstallSoftHost::confirmQuestion()});
    QVERIFY(page.work.waitIdle());
    QCOMPARE(page.work.starts(),
             QList<Start>({{QStringLiteral("C:\\Apps\\%1\\uninst.exe").arg(first), "/S"}}));
}

void tst_UninstallPage::rescanWaitsForTheUninstallers() {
    Page page(3);
    QVERIFY(page.view);
    QVERIFY(page.work.scan());
    QTRY_COMPARE(page.caption(), QStringLiteral("重新扫描"));
    TestUninstallWork::Gate& gate = page.startGate;
    page.work.startGate = &gate;
    QTRY_VERIFY(page.uninstallButton("Program 1"));
    QVERIFY(QmlItems::click(*page.view, page.uninstallButton("Program 1")));
    QVERIFY(gate.reached.tryAcquire(1, 10000));

    // Its uninstaller is being started: a new list now would be refused, so the button says
    // what runs and takes no click.
    QTRY_COMPARE(page.caption(), QStringLiteral("卸载中..."));
    QVERIFY(page.running());
    page.shoot("UninstallPage-uninstalling");
    QSignalSpy status(page.work.model(), &LM_SoftWareInfoModel::scanStatusChanged);
    QVERIFY(QmlItems::click(*page.view, page.find("progressBtn")));
    QCOMPARE(status.count(), 0);

    gate.open.release();
    QVERIFY(page.work.waitIdle());
    QTRY_COMPARE(page.caption(), QStringLiteral("重新扫描"));
    QVERIFY(!page.running());
    QVERIFY(QmlItems::click(*page.view, page.find("progressBtn")));
    QCOMPARE(status.count(), 1);
    QTRY_COMPARE(status.count(), 2);
    QVERIFY(page.work.waitIdle());
    QCOMPARE(page.work.model()->rowCount(), 3);
}

QTEST_MAIN(tst_UninstallPage)
#include "tst_UninstallPage.moc"
