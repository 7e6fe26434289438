// The software-uninstall page in the real window on the sample profile, whose registered
// programs uninstall through small scripts that record how they were started: the first
// visit lists them, the list sorts and filters, and "卸载" starts exactly the confirmed
// uninstaller with its arguments, and nothing else.
#include "AppPaths.h"
#include "LM_SoftWareInfoModel.h"
#include "Merivane.h"
#include "QmlItems.h"
#include "SampleWindow.h"
#include "TempTree.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_UninstallSoft.h"

#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QQuickItem>
#include <QQuickWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>
#include <memory>

namespace {
// The programs of the sample profile, oldest install date first (no valid date first).
const QStringList listed = {"ZIPPER 压缩",    "旧版打印驱动",      "Lumen Player 4", "Broken Tool",
                            "晴空输入法 5.2", "Office Suite 2021", "墨池笔记"};
} // namespace

class tst_PageUninstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void firstVisitListsThePrograms();
    void rowsShowIconSizeAndDate_data();
    void rowsShowIconSizeAndDate();
    void sortIconFlipsTheOrder();
    void searchFieldFilters_data();
    void searchFieldFilters();
    void declineStartsNothing();
    void uninstallStartsExactlyTheConfirmed();
    void rescanListsAgain();

private:
    QQuickItem* find(const QString& name) const { return QmlItems::find(*view, name); }
    QQuickItem* row(const QString& name) const { return find(QStringLiteral("soft_") + name); }
    QStringList shownOrder() const;
    // Clicks the row's "卸载" and answers the message box; returns the box's text.
    QString uninstall(const QString& name, bool yes, const QString& screenshot = {});
    QStringList started() const;

    SampleWindow sample;
    SampleProfile& profile{sample.profile()};
    Merivane* window = nullptr;
    QQuickWidget* view = nullptr;
    Work_UninstallSoft* work = nullptr;
};

void tst_PageUninstall::initTestCase() {
    QVERIFY2(sample.applyProfile(), qPrintable(sample.error()));
    work = Work_UninstallSoft::GetInstance();
    QVERIFY2(sample.open(), qPrintable(sample.error()));
    window = sample.window();
    view = window->findChild<QQuickWidget*>(QStringLiteral("qwUninstall"));
    QVERIFY(view && view->rootObject());
}

QStringList tst_PageUninstall::shownOrder() const {
    QStringList names;
    for (const TSoftwareInfo& record : work->model()->records())
        names << record.softName;
    return names;
}

QStringList tst_PageUninstall::started() const {
    QFile log(profile.root() + QStringLiteral("/uninstallers-started.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

QString tst_PageUninstall::uninstall(const QString& name, bool yes, const QString& screenshot) {
    QQuickItem* item = row(name);
    if (!item)
        return QStringLiteral("no row ") + name;
    QQuickItem* button = QmlItems::find(item, QStringLiteral("uninstallButton"));
    if (!view->rect().contains(QmlItems::centreOf(button)))
        find(QStringLiteral("softList"))->setProperty("contentY", item->y());
    if (!QTest::qWaitFor([&] { return view->rect().contains(QmlItems::centreOf(button)); }))
        return QStringLiteral("row out of view");
    QString text;
    // The box runs modally inside the click: answer it from its own event loop.
    sample.answerNextModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        if (!screenshot.isEmpty())
            qInfo("screenshot: %s", qPrintable(SampleWindow::shootModal(box, screenshot)));
        for (QAbstractButton* choice : box->buttons()) {
            if (choice->text() == (yes ? QStringLiteral("是") : QStringLiteral("否")))
                choice->click();
        }
    });
    QmlItems::click(*view, button);
    return text;
}

void tst_PageUninstall::firstVisitListsThePrograms() {
    QSignalSpy status(work->model(), &LM_SoftWareInfoModel::scanStatusChanged);
    QCOMPARE(work->model()->rowCount(), 0);
    auto* home = window->findChild<QPushButton*>(QStringLiteral("btnHome"));
    auto* button = window->findChild<QPushButton*>(QStringLiteral("btnUninstall"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(window->findChild<QTabWidget*>("twControl")->currentWidget()->objectName(),
             QStringLiteral("tsUninstall"));
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.at(0).at(0).toInt(), 2);
    QCOMPARE(find("progressBtn")->property("running").toBool(), true);
    QVERIFY(!sample.shoot("uninstall_scanning", false).isEmpty());

    QTRY_COMPARE(status.count(), 2);
    QCOMPARE(status.at(1).at(0).toInt(), 3);
    QCOMPARE(shownOrder(), listed);
    QCOMPARE(find("statusText")->property("text").toString(),
             QStringLiteral("已安装<font color=\"#FF0000\">7</font>款软件，占用<font "
                            "color=\"#FF0000\">1.93GB</font>"));
    QCOMPARE(find("progressBtn")->property("running").toBool(), false);
    QCOMPARE(find("progressBtn")->property("caption").toString(), QStringLiteral("重新扫描"));
    QVERIFY(
        find("diskLine")->property("text").toString().startsWith(QStringLiteral("C盘(系统盘)共")));
    QTRY_VERIFY(!work->HasRegisteredRun());

    // Later visits keep the list.
    QTest::mouseClick(home, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::qWait(100);
    QCOMPARE(status.count(), 2);
    QTest::qWait(300); // icons and the first frame
    const QString shot = sample.shoot("uninstall_list", false);
    QVERIFY(!shot.isEmpty());
    qInfo("screenshot: %s", qPrintable(shot));
}

void tst_PageUninstall::rowsShowIconSizeAndDate_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("ownIcon"); // an icon from the registry, not the page's own
    QTest::newRow("uninstaller's folder") << "晴空输入法 5.2"
                                          << "37.90MB"
                                          << "2021/07/07" << true;
    QTest::newRow("quoted uninstaller and icon") << "Lumen Player 4"
                                                 << "121.30MB"
                                                 << "2019/03/12" << true;
    QTest::newRow("Windows Installer: the install folder") << "Office Suite 2021"
                                                           << "1.64GB"
                                                           << "2023/01/15" << true;
    QTest::newRow("date from the program the icon is taken from") << "墨池笔记"
                                                                  << "123.50MB"
                                                                  << "2024/03/18" << true;
    QTest::newRow("date with dashes shows none") << "ZIPPER 压缩"
                                                 << "4.20MB"
                                                 << "" << true;
    QTest::newRow("no icon") << "旧版打印驱动"
                             << "2.06MB"
                             << "2017/09/05" << false;
}

void tst_PageUninstall::rowsShowIconSizeAndDate() {
    QFETCH(QString, name);
    QFETCH(QString, size);
    QFETCH(QString, date);
    QFETCH(bool, ownIcon);
    QQuickItem* item = row(name);
    QVERIFY(item);
    QCOMPARE(QmlItems::find(item, "name")->property("text").toString(), name);
    QCOMPARE(QmlItems::find(item, "size")->property("text").toString(), size);
    QCOMPARE(QmlItems::find(item, "date")->property("text").toString(), date);
    QQuickItem* icon = QmlItems::find(item, "icon");
    QTRY_COMPARE(icon->property("status").toInt(), 1); // Image.Ready
    QCOMPARE(icon->property("source").toString().startsWith("data:image/png;base64,"), ownIcon);
}

void tst_PageUninstall::sortIconFlipsTheOrder() {
    QQuickItem* sort = find("sortIcon");
    QVERIFY(sort && sort->isVisible());
    QStringList newest = listed;
    std::reverse(newest.begin(), newest.end());
    QVERIFY(QmlItems::click(*view, sort));
    QCOMPARE(shownOrder(), newest);
    QCOMPARE(sort->rotation(), 0.0); // pointing down
    QVERIFY(!sample.shoot("uninstall_newest_first").isEmpty());
    QVERIFY(QmlItems::click(*view, sort));
    QCOMPARE(shownOrder(), listed);
    QCOMPARE(sort->rotation(), 180.0);
}

void tst_PageUninstall::searchFieldFilters_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("lower case") << "lumen" << QStringList{"Lumen Player 4"};
    QTest::newRow("upper case") << "OFFICE" << QStringList{"Office Suite 2021"};
    QTest::newRow("Chinese") << "笔记" << QStringList{"墨池笔记"};
    QTest::newRow("nothing") << "zzz" << QStringList{};
}

void tst_PageUninstall::searchFieldFilters() {
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    QQuickItem* field = find("searchField");
    QVERIFY(QmlItems::click(*view, field));
    // The tests share one display, where another test's window may hold the keyboard
    // focus: the text goes to the field itself, committed as an input method does.
    QInputMethodEvent commit;
    commit.setCommitString(typed);
    QCoreApplication::sendEvent(field, &commit);
    QCOMPARE(work->model()->getFilterString(), typed);
    QStringList visible;
    for (const QString& name : listed) {
        QQuickItem* item = row(name);
        QVERIFY(item);
        if (item->isVisible() && item->height() > 0)
            visible << name;
    }
    QCOMPARE(visible, shown);
    QTRY_COMPARE(find("emptyText")->isVisible(), shown.isEmpty());
    QVERIFY(
        !sample.shoot(QStringLiteral("uninstall_filtered_") + QTest::currentDataTag()).isEmpty());

    // Emptying the field shows every row again.
    for (const auto& key : {std::make_pair(Qt::Key_A, Qt::ControlModifier),
                            std::make_pair(Qt::Key_Backspace, Qt::NoModifier)}) {
        QKeyEvent press(QEvent::KeyPress, key.first, key.second);
        QCoreApplication::sendEvent(field, &press);
    }
    QCOMPARE(work->model()->getFilterString(), QString());
    for (const QString& name : listed)
        QTRY_VERIFY(row(name)->height() > 0);
}

void tst_PageUninstall::declineStartsNothing() {
    const QString name = QStringLiteral("晴空输入法 5.2");
    QCOMPARE(uninstall(name, false, "uninstall_confirm"),
             QStringLiteral("请确定是否卸载选中软件(如恢复需要手动安装)？"));
    QTest::qWait(300);
    QVERIFY(started().isEmpty());
    QCOMPARE(shownOrder(), listed);
    for (const TSoftwareInfo& record : work->model()->records())
        QVERIFY2(!record.checked, qPrintable(record.softName));
}

void tst_PageUninstall::uninstallStartsExactlyTheConfirmed() {
    // Each program, and the line its uninstaller wrote: its path below the profile and its
    // arguments, tab-separated.
    const QList<QPair<QString, QString>> expected = {
        {"晴空输入法 5.2", "c/Program Files/Qingkong IME/uninst.exe\t/S"},
        {"Lumen Player 4", "c/Program Files (x86)/Lumen Player/unins000.exe\t/SILENT"},
        {"墨池笔记",
         "c/Users/Merivane/AppData/Local/Programs/Inkpool/Uninstall Inkpool.exe\t/currentuser\t/S"},
        {"Office Suite 2021",
         "c/Windows/System32/msiexec.exe\t/X{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21}"},
        // Never c/Program or c/Program.exe.
        {"ZIPPER 压缩", "c/Program Files/ZIPPER/UNINST.EXE"},
        {"旧版打印驱动", "c/Drivers/Printer/remove.bat\tx"},
    };
    const TempTree::Snapshot before = TempTree::snapshotOf(profile.onC(QString()).toStdString());
    QStringList lines;
    for (const auto& program : expected) {
        QVERIFY(!uninstall(program.first, true).isEmpty());
        QTRY_VERIFY2(!row(program.first), qPrintable(program.first));
        lines << program.second;
        QTRY_COMPARE(started(), lines);
    }
    // Its uninstaller is gone: the row stays, and the next "卸载" may try again.
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^unistall cmd ShellExecute return "
                                            "\\(true=success\\) false \n and cmd is"));
    QVERIFY(!uninstall("Broken Tool", true).isEmpty());
    QTRY_VERIFY(!work->HasRegisteredRun());
    QTest::qWait(300);
    QCOMPARE(shownOrder(), QStringList{"Broken Tool"});
    QVERIFY(!work->model()->records().front().checked);
    QCOMPARE(started(), lines);
    // Starting uninstallers changes no file of the drive by itself.
    QCOMPARE(TempTree::diff(before, TempTree::snapshotOf(profile.onC(QString()).toStdString())),
             std::vector<std::string>());
    QVERIFY(!sample.shoot("uninstall_after").isEmpty());
}

void tst_PageUninstall::rescanListsAgain() {
    // The sample uninstallers remove nothing, so a new inventory lists every program again.
    QSignalSpy status(work->model(), &LM_SoftWareInfoModel::scanStatusChanged);
    QVERIFY(QmlItems::click(*view, find("progressBtn")));
    QCOMPARE(status.count(), 1);
    QTRY_COMPARE(status.count(), 2);
    QCOMPARE(shownOrder(), listed);
    QTRY_VERIFY(!work->HasRegisteredRun());
}

QTEST_MAIN(tst_PageUninstall)
#include "tst_page_uninstall.moc"
