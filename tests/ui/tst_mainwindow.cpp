// The main window driven in-process on a sample profile: navigation, dragging, closing to
// the notification area, the C-drive page through a scan and a clean, and screenshots of
// every page and dialog.
#include "AppPaths.h"
#include "FormatFileSize.h"
#include "Merivane.h"
#include "QmlItems.h"
#include "QuitDuringClean.h"
#include "SampleWindow.h"
#include "TempTree.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_CClean.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QQuickItem>
#include <QQuickWidget>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <memory>
#include <platform/Drives.h>

namespace {
// The real window, with the notification area's presence under the test's control.
class TestWindow : public Merivane {
public:
    bool trayShown = true;

protected:
    bool isTrayIconShown() const override { return trayShown; }
};

const QString user = QStringLiteral("Users/Merivane/");
// The two rule folders ticked by default on the C-drive page.
const QStringList tickedFolders = {QStringLiteral("Windows/Temp"),
                                   user + QStringLiteral("AppData/Local/Temp")};

// What the sample profile holds below the C-drive rule folders: 1,251,817,431 bytes in all,
// 40,220,631 in the ticked ones, of which 16,394,940 in Windows/Temp.
const QString foundSentence = QStringLiteral(
    "发现可释放<font color=\"#FF0000\">1.17GB</font>，已选<font color=\"#FF0000\">38.36MB</font>");
// The drive sentence of the sample profile's 4 GiB volume.
const QString diskSentence =
    QStringLiteral("C盘(系统盘)可用3.00GB/共4.00GB，清理文件不影响系统正常使用");
} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void navigation_data();
    void navigation();
    void dragging_data();
    void dragging();
    void pageScreenshots();
    void introductionTitles_data();
    void introductionTitles();
    void dialogs_data();
    void dialogs();
    void largeFileDestination();
    void chooseLargeFileDestination_data();
    void chooseLargeFileDestination();
    void ccleanScanAndClean();
    void homeRowLeadsToPage_data();
    void homeRowLeadsToPage();
    void diskSentenceWithoutDriveC();
    void quitFromTrayMenu();
    // Last: closing without the notification area quits, and quitting cannot be undone.
    void closeToTray_data();
    void closeToTray();

private:
    template <class T = QWidget> T* child(const QString& name) { return sample.child<T>(name); }
    // settle: let the QML pages render first; without it the window is taken as it is now.
    QString shoot(const QString& name, bool settle = true);

    SampleWindow sample;
    SampleProfile& profile{sample.profile()};
    TestWindow* window = nullptr;
};

void tst_MainWindow::initTestCase() {
    QVERIFY2(sample.applyProfile(), qPrintable(sample.error()));
    QVERIFY2(sample.open([this] {
        auto made = std::make_unique<TestWindow>();
        window = made.get();
        return made;
    }),
             qPrintable(sample.error()));
    if (profile.onKnownVolume()) {
        // Whole GiB of the 4 GiB volume, every free byte counted.
        QCOMPARE(child<QLabel>(QStringLiteral("lblHomeSpaceInfomation"))->text(),
                 QStringLiteral("可用3.00GB / 共4.00GB （"));
        QCOMPARE(child<QLabel>(QStringLiteral("lblHomeSpaceStatus"))->text(),
                 QStringLiteral("空间富余")); // 25 % used
    }
    shoot(QStringLiteral("home"));
}

QString tst_MainWindow::shoot(const QString& name, bool settle) {
    return sample.shoot(name, settle);
}

void tst_MainWindow::navigation_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    QTest::newRow("C盘清理") << "btnDriverCClean"
                             << "tsDriverCClean";
    QTest::newRow("微信专清") << "btnVXClean"
                              << "tsVXClean";
    QTest::newRow("QQ专清") << "btnQQClean"
                            << "tsQQClean";
    QTest::newRow("大文件搬家") << "btnLargeFileReplace"
                                << "tsLargeFileReplace";
    QTest::newRow("重复文件清理") << "btnDuplicateFileClean"
                                  << "tsDuplicateFileClean";
    QTest::newRow("隐私清理") << "btnPrivacyFileClean"
                              << "tsPrivacyFileClean";
    QTest::newRow("软件卸载") << "btnUninstall"
                              << "tsUninstall";
    QTest::newRow("首页") << "btnHome"
                          << "tsHome";
}

void tst_MainWindow::navigation() {
    QFETCH(QString, button);
    QFETCH(QString, page);
    auto* tabs = child<QTabWidget>(QStringLiteral("twControl"));
    auto* pushButton = child<QPushButton>(button);
    QVERIFY(tabs && pushButton);
    QTest::mouseClick(pushButton, Qt::LeftButton);
    QCOMPARE(tabs->currentWidget()->objectName(), page);
    QVERIFY(pushButton->isChecked());
    int checked = 0;
    for (auto* other : child(QStringLiteral("ControlButtons"))->findChildren<QPushButton*>())
        checked += other->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
    // The tab bar itself takes no room: the navigation column alone chooses pages.
    QCOMPARE(tabs->tabBar()->sizeHint().height(), 0);
}

void tst_MainWindow::dragging_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QPoint>("point"); // (-1, -1): the widget's centre
    QTest::addColumn<bool>("moves");
    QTest::newRow("caption") << "lblCaption" << QPoint(-1, -1) << true;
    QTest::newRow("application icon") << "AppIcon" << QPoint(-1, -1) << true;
    QTest::newRow("between the system buttons") << "SystemIconArea" << QPoint(55, 28) << true;
    QTest::newRow("navigation background") << "ControlButtonsPanel" << QPoint(115, 600) << true;
    QTest::newRow("home shield, deep inside a page") << "label_4" << QPoint(-1, -1) << false;
    QTest::newRow("home disk bar") << "pbHomeCDiskInfomation" << QPoint(-1, -1) << false;
    QTest::newRow("home row tagline") << "lblHomeCCInfo" << QPoint(-1, -1) << false;
}

void tst_MainWindow::dragging() {
    QFETCH(QString, widget);
    QFETCH(QPoint, point);
    QFETCH(bool, moves);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnHome")), Qt::LeftButton);
    window->move(0, 0);
    QTRY_COMPARE(window->pos(), QPoint(0, 0));
    QWidget* target = child(widget);
    QVERIFY(target);
    const QPoint local = point == QPoint(-1, -1) ? target->rect().center() : point;
    const QPoint global = target->mapToGlobal(local);
    const QPoint delta(40, 30);

    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent move(QEvent::MouseMove, local + delta, global + delta, Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local + delta, global + delta, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);

    QTRY_COMPARE(window->pos(), moves ? delta : QPoint(0, 0));
    window->move(0, 0);
}

void tst_MainWindow::pageScreenshots() {
    for (const char* button :
         {"btnHome", "btnDriverCClean", "btnVXClean", "btnQQClean", "btnLargeFileReplace",
          "btnDuplicateFileClean", "btnPrivacyFileClean", "btnUninstall"}) {
        QTest::mouseClick(child<QPushButton>(QLatin1String(button)), Qt::LeftButton);
        QVERIFY(!shoot(QStringLiteral("page_") + QLatin1String(button).mid(3)).isEmpty());
    }
    // The operation pages of the pages whose works come later, in their form state.
    for (const char* stack : {"swVXCleanOperation", "swQQCleanOperation", "swLargeFileOperation",
                              "swPrivacyOperation"}) {
        auto* widget = child<QStackedWidget>(QLatin1String(stack));
        auto* tabs = child<QTabWidget>(QStringLiteral("twControl"));
        tabs->setCurrentWidget(widget->parentWidget());
        widget->setCurrentIndex(1);
        QVERIFY(!shoot(QStringLiteral("operation_") + QLatin1String(stack).mid(2)).isEmpty());
        widget->setCurrentIndex(0);
    }
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnHome")), Qt::LeftButton);
}

void tst_MainWindow::introductionTitles_data() {
    QTest::addColumn<QString>("page"); // in the labels' names: lbl<page>_Title, _SubTitle
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("subtitle");
    QTest::newRow("C-drive") << "CClean"
                             << "垃圾清理,  全面提升电脑速度"
                             << "全面扫描，深度清理C盘垃圾";
    QTest::newRow("WeChat") << "VXClean"
                            << "微信垃圾清理，释放空间"
                            << "全面扫描，深度清理使用过程产生的文件";
    QTest::newRow("QQ") << "QQClean"
                        << "QQ专清，深度释放垃圾"
                        << "全面扫描，深度清理使用过程产生的文件";
    QTest::newRow("large files") << "LargeFile"
                                 << "一键转移大文件，为C盘瘦身"
                                 << "深度扫描，智能识别各类大文件";
    QTest::newRow("privacy") << "Privacy"
                             << "清理痕迹，保护个人隐私"
                             << "深度扫描，全方位清理电脑使用痕迹";
}

void tst_MainWindow::introductionTitles() {
    QFETCH(QString, page);
    QTEST(child<QLabel>("lbl" + page + "_Title")->text(), "title");
    QTEST(child<QLabel>("lbl" + page + "_SubTitle")->text(), "subtitle");
}

void tst_MainWindow::dialogs_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialogClass");
    QTest::newRow("settings") << "btnSetting"
                              << "ConfigDlg";
    QTest::newRow("about") << "btnInfomation"
                           << "AboutUsDlg";
}

void tst_MainWindow::dialogs() {
    QFETCH(QString, button);
    QFETCH(QString, dialogClass);
    QString shownClass;
    QString path;
    // The dialogs run modally: look at them from inside their own event loop.
    sample.answerNextModal<QDialog>([&](QDialog* dialog) {
        shownClass = QLatin1String(dialog->metaObject()->className());
        path = SampleWindow::shootModal(dialog, QStringLiteral("dialog_") + shownClass);
        dialog->reject();
    });
    QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(shownClass, dialogClass);
    QVERIFY(!path.isEmpty());
}

void tst_MainWindow::largeFileDestination() {
    // No folder was stored before the window started: the default is stored, shown and
    // created on a fixed drive, another volume than C:'s first, then another letter, then C:.
    const QString stored = QSettings(AppPaths::current().configFile, QSettings::IniFormat)
                               .value(QStringLiteral("LargeFileSaveDir"))
                               .toString();
    QVERIFY(stored.endsWith(QStringLiteral(":\\大文件搬家")));
    QCOMPARE(child<QLabel>(QStringLiteral("lblLargeFileReplaceDestDir"))->text(), stored);
    QVERIFY(QFileInfo(QString::fromStdString(
                          platform::Drives::toNativePath(stored.toStdString()).string()))
                .isDir());
}

void tst_MainWindow::chooseLargeFileDestination_data() {
    QTest::addColumn<QString>("folder"); // below the sample root; empty: cancel the dialog
    QTest::addColumn<QString>("shown");  // empty: what was shown before
    QTest::newRow("another folder") << "d/Backup"
                                    << "D:\\Backup";
    QTest::newRow("a Chinese folder name") << "d/搬家目录"
                                           << "D:\\搬家目录";
    QTest::newRow("cancelled") << QString() << QString();
}

void tst_MainWindow::chooseLargeFileDestination() {
    QFETCH(QString, folder);
    QFETCH(QString, shown);
    auto* label = child<QLabel>(QStringLiteral("lblLargeFileReplaceDestDir"));
    const QString before = label->text();
    if (shown.isEmpty())
        shown = before;
    const QString native = QDir(profile.root()).filePath(folder);
    if (!folder.isEmpty())
        QVERIFY(QDir().mkpath(native));
    QStringList buttons;
    sample.answerNextModal<QFileDialog>([&](QFileDialog* dialog) {
        // Qt's own picker speaks the program's language.
        for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
            buttons << button->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        if (folder.isEmpty()) {
            SampleWindow::shootModal(dialog, QStringLiteral("dialog_folder_picker"));
            dialog->reject();
            return;
        }
        dialog->selectFile(native);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept checks the choice
    });
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnSetLargeFileReplaceDestDir")),
                      Qt::LeftButton);
    buttons.sort();
    QCOMPARE(buttons, QStringList({"取消", "选择"}));
    QCOMPARE(label->text(), shown);
    QCOMPARE(QSettings(AppPaths::current().configFile, QSettings::IniFormat)
                 .value(QStringLiteral("LargeFileSaveDir"))
                 .toString(),
             shown);
}

void tst_MainWindow::ccleanScanAndClean() {
    auto* stack = child<QStackedWidget>(QStringLiteral("swCCleanOperation"));
    auto* progress = child<QPushButton>(QStringLiteral("btnCCleanRestartAndChecking"));
    auto* restart = child<QPushButton>(QStringLiteral("btnCCleanRestart"));
    auto* icon = child<QLabel>(QStringLiteral("lblCCleanStatusIcon"));
    auto* tip = child<QLabel>(QStringLiteral("label_tipA"));
    auto* result = child<QLabel>(QStringLiteral("lblCCleanWasteInfo"));
    auto* badge = child<QLabel>(QStringLiteral("lblTipSize1"));
    auto* homeInfo = child<QLabel>(QStringLiteral("lblHomeCCInfo"));
    auto* homeStatus = child<QPushButton>(QStringLiteral("lblHomeCCStatus"));
    QVERIFY(stack && progress && restart && icon && tip && result && badge && homeInfo &&
            homeStatus);

    const TempTree::Snapshot before = TempTree::snapshotOf(profile.onC(QString()).toStdString());

    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnDriverCClean")), Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(homeStatus->text(), QStringLiteral("等待扫描"));
    QVERIFY(badge->isHidden());
    QSignalSpy finished(window, &Merivane::HomeScanPartStoped);

    // The scan-started status is applied before the click returns.
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnCCleanStart")), Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 1);
    QCOMPARE(progress->text(), QStringLiteral("正在扫描"));
    QCOMPARE(progress->property("PaintStatus").toInt(), 2);
    QCOMPARE(icon->property("PaintFlag").toInt(), 1);
    QVERIFY(restart->isHidden());
    QCOMPARE(homeStatus->text(), QStringLiteral("扫描中"));
    if (profile.onKnownVolume())
        QCOMPARE(tip->text(), diskSentence);
    // Taken before the queued finished status can arrive.
    shoot(QStringLiteral("cclean_scanning"), false);

    QTRY_COMPARE(progress->text(), QStringLiteral("立即清理"));
    QCOMPARE(progress->property("PaintStatus").toInt(), 3);
    QVERIFY(progress->isEnabled());
    QCOMPARE(icon->property("PaintFlag").toInt(), 2);
    QVERIFY(!restart->isHidden());
    QCOMPARE(result->text(), foundSentence);
    QCOMPARE(badge->text(), QStringLiteral("1.17GB"));
    QVERIFY(!badge->isHidden());
    QCOMPARE(homeInfo->text(), QStringLiteral("可清理<font color=\"#FF0000\">1.17GB</font>"));
    QCOMPARE(homeStatus->text(), QStringLiteral("前往处理 >"));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).value<IWork::WorkStatus>(), IWork::CCleanScanFinished);
    shoot(QStringLiteral("cclean_results"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnHome")), Qt::LeftButton);
    shoot(QStringLiteral("home_after_scan"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnDriverCClean")), Qt::LeftButton);

    // Unticking a tile on the page, as the user does, refreshes the selected size.
    auto* list = child<QQuickWidget>(QStringLiteral("qwCCleanList"));
    QQuickItem* tile = QmlItems::find(*list, QStringLiteral("tile_系统临时文件"));
    QVERIFY(tile);
    QQuickItem* tick = QmlItems::find(tile, QStringLiteral("tickBox"));
    QQuickItem* groups = QmlItems::find(*list, QStringLiteral("groupList"));
    groups->setProperty(
        "contentY",
        tile->mapToItem(groups->property("contentItem").value<QQuickItem*>(), QPointF()).y() - 100);
    QTRY_VERIFY(list->rect().contains(QmlItems::centreOf(tick)));
    QVERIFY(QmlItems::click(*list, tick));
    QTRY_COMPARE(result->text(),
                 QStringLiteral("发现可释放<font color=\"#FF0000\">1.17GB</font>，已选<font "
                                "color=\"#FF0000\">22.72MB</font>"));
    QVERIFY(QmlItems::click(*list, tick));
    QTRY_COMPARE(result->text(), foundSentence);
    groups->setProperty("contentY", 0);

    // The restart link scans again from the results.
    QTest::mouseClick(restart, Qt::LeftButton);
    QCOMPARE(progress->text(), QStringLiteral("正在扫描"));
    QTRY_COMPARE(progress->text(), QStringLiteral("立即清理"));
    QCOMPARE(result->text(), foundSentence);
    QCOMPARE(finished.count(), 2);

    // The second press of the progress button cleans what is ticked.
    QTest::mouseClick(progress, Qt::LeftButton);
    QCOMPARE(progress->text(), QStringLiteral("正在清理"));
    QCOMPARE(icon->property("PaintFlag").toInt(), 1);
    QTRY_COMPARE(progress->text(), QStringLiteral("重新扫描"));
    QCOMPARE(progress->property("PaintStatus").toInt(), 1);
    QCOMPARE(icon->property("PaintFlag").toInt(), 3);
    QVERIFY(restart->isHidden());
    QCOMPARE(result->text(), QStringLiteral("清理完成,本次为您释放了38.36MB的空间!"));
    QVERIFY(badge->isHidden());
    QVERIFY(badge->text().isEmpty());
    QCOMPARE(homeStatus->text(), QStringLiteral("前往处理 >"));
    shoot(QStringLiteral("cclean_cleaned"));

    // Exactly the files of the ticked folders are gone.
    QStringList removed;
    for (const std::string& line :
         TempTree::diff(before, TempTree::snapshotOf(profile.onC(QString()).toStdString()))) {
        const QString change = QString::fromStdString(line);
        const bool ticked =
            std::any_of(tickedFolders.begin(), tickedFolders.end(), [&](const QString& f) {
                return change.startsWith(QStringLiteral("removed: ") + f + '/');
            });
        QVERIFY2(ticked, qPrintable(change));
        removed << change;
    }
    QCOMPARE(removed.size(), 73); // 13 named files and 60 small ones
}

void tst_MainWindow::homeRowLeadsToPage_data() {
    QTest::addColumn<QString>("statusButton");
    QTest::addColumn<QString>("page"); // where a click on it leads
    QTest::newRow("C-drive row with results") << "lblHomeCCStatus"
                                              << "tsDriverCClean";
    QTest::newRow("WeChat row still waiting") << "lblHomeVXStatus"
                                              << "tsHome";
}

void tst_MainWindow::homeRowLeadsToPage() {
    QFETCH(QString, statusButton);
    QFETCH(QString, page);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnHome")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(statusButton), Qt::LeftButton);
    QCOMPARE(child<QTabWidget>(QStringLiteral("twControl"))->currentWidget()->objectName(), page);
    QVERIFY(child<QPushButton>(QStringLiteral("btn") + page.mid(2))->isChecked());
}

void tst_MainWindow::diskSentenceWithoutDriveC() {
    auto* tip = child<QLabel>(QStringLiteral("label_tipA"));
    auto* homeSpace = child<QLabel>(QStringLiteral("lblHomeSpaceInfomation"));
    auto* homeBar = child<QProgressBar>(QStringLiteral("pbHomeCDiskInfomation"));
    auto* gaugeUsed = child<QLabel>(QStringLiteral("lblCClean_UsedSpace1"));
    const QString spaceText = homeSpace->text();
    const int barValue = homeBar->value();
    const QString usedText = gaugeUsed->text();
    QVERIFY(spaceText.startsWith(QStringLiteral("可用")));

    const QByteArray drives = qgetenv("MERIVANE_DRIVES");
    qputenv("MERIVANE_DRIVES", (QStringLiteral("D=") + profile.root() + "/d").toUtf8());
    window->OnWorkStatusChanging(IWork::CCleanCleanFinished);
    QCOMPARE(tip->text(), QStringLiteral("，清理文件不影响系统正常使用"));
    // The gauges and the home page keep what they showed.
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnHome")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnDriverCClean")), Qt::LeftButton);
    qputenv("MERIVANE_DRIVES", drives);
    QCOMPARE(homeSpace->text(), spaceText);
    QCOMPARE(homeBar->value(), barValue);
    QCOMPARE(gaugeUsed->text(), usedText);

    window->OnWorkStatusChanging(IWork::CCleanCleanFinished);
    if (profile.onKnownVolume())
        QCOMPARE(tip->text(), diskSentence);
    else
        QVERIFY(tip->text().startsWith(QStringLiteral("C盘(系统盘)可用")));
}

void tst_MainWindow::closeToTray_data() {
    QTest::addColumn<QVariant>("isTray"); // invalid: the key is absent
    QTest::addColumn<bool>("trayShown");
    QTest::addColumn<bool>("quits");
    QTest::newRow("isTray unset") << QVariant() << true << false;
    QTest::newRow("isTray true") << QVariant(true) << true << false;
    QTest::newRow("isTray false") << QVariant(false) << true << true;
    QTest::newRow("no notification area") << QVariant(true) << false << true;
}

void tst_MainWindow::closeToTray() {
    QFETCH(QVariant, isTray);
    QFETCH(bool, trayShown);
    QFETCH(bool, quits);
    {
        QSettings settings(AppPaths::current().configFile, QSettings::IniFormat);
        if (isTray.isValid())
            settings.setValue(QStringLiteral("isTray"), isTray);
        else
            settings.remove(QStringLiteral("isTray"));
    }
    window->trayShown = trayShown;
    window->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    // close() tells whether the window accepted to close, which quits the application.
    QCOMPARE(window->close(), quits);
    QVERIFY(!window->isVisible());
    if (quits)
        return;
    // A click on the notification-area icon brings the window back.
    auto* tray = window->findChild<QSystemTrayIcon*>();
    QVERIFY(tray);
    emit tray->activated(QSystemTrayIcon::Trigger);
    QTRY_VERIFY(window->isVisible());
    QVERIFY(!(window->windowState() & Qt::WindowMinimized));
}

void tst_MainWindow::quitFromTrayMenu() {
    Work_CClean* work = Work_CClean::GetInstance();
    auto* progress = child<QPushButton>(QStringLiteral("btnCCleanRestartAndChecking"));
    auto* restart = child<QPushButton>(QStringLiteral("btnCCleanRestart"));
    QAction* quit = nullptr;
    for (QAction* action : window->findChildren<QAction*>())
        if (action->text() == QStringLiteral("退出"))
            quit = action;
    QVERIFY(quit);
    QuitDuringClean clean(sample);
    const QString scanned = clean.scan();
    QVERIFY2(scanned.isEmpty(), qPrintable(scanned));
    // The user quits from the menu while the clean runs.
    const QString stopped = clean.quitWhileCleaning([quit] { quit->trigger(); });
    QVERIFY2(stopped.isEmpty(), qPrintable(stopped));

    // Nothing starts any more: not from the page, not from the work. (The stopped clean's
    // own finished status may still be on its way.)
    QCoreApplication::processEvents();
    const QString shown = progress->text();
    QTest::mouseClick(restart, Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btnCCleanStart")), Qt::LeftButton);
    QCOMPARE(work->StartScan(), 2);
    QCOMPARE(work->StartClean(), 2);
    QCoreApplication::processEvents();
    QCOMPARE(progress->text(), shown);
    QVERIFY(!work->HasRegisteredRun());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
