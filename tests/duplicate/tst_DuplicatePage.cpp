// The duplicate page in its own view on a fixture machine, used as a person would: the
// start page's quick scan, the result page with its sections, a tick, the delete button
// with its question and the tip that one copy of every group stays, a rescan the work
// refuses, a cancelled scan, and the drive menu chosen from with the pointer. Screenshots
// of each step go where saveScreenshot puts them.
#include "DriveFixture.h"
#include "DuplicateTestFiles.h"
#include "HeldDuplicateWork.h"
#include "LM_DuplicateFileListModel.h"
#include "LM_DuplicateFileListNode.h"
#include "QmlItems.h"
#include "RuleFiles.h"
#include "Screenshots.h"
#include "WorkHarness.h"
#include "Work_DuplicateFile.h"
#include "Work_DuplicateFileHost.h"

#include <QQmlContext>
#include <QQmlError>
#include <QQuickItem>
#include <QQuickWidget>
#include <QSemaphore>
#include <QtTest>
#include <memory>

namespace fs = std::filesystem;

class tst_DuplicatePage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void startPage();
    void scanShowsSections();
    void tickAndDelete();
    void everyCopyTickedKeepsOne();
    void refusedRescanLeavesThePage();
    void busyStates();
    void cancelledScanSaysSo();
    void menuStaysUnderThePointer();

private:
    QQuickItem* find(const QString& name) const { return QmlItems::find(*view_, name); }
    QString text(const QString& name) const {
        QQuickItem* item = find(name);
        return item ? item->property("text").toString() : QString();
    }
    bool click(const QString& name) {
        QQuickItem* item = find(name);
        return item && QmlItems::click(*view_, item);
    }
    void shoot(const QString& name) {
        QTest::qWait(100);
        QVERIFY(!saveScreenshot(view_->grabFramebuffer(), name).isEmpty());
    }

    std::unique_ptr<DriveFixture> tree_;
    std::unique_ptr<HeldDuplicateWork> work_;
    std::unique_ptr<Work_DuplicateFileHost> host_;
    std::unique_ptr<WorkHarness> harness_;
    std::unique_ptr<QQuickWidget> view_;
    QStringList questions_;
    // A scan's last worker waits here while it reports its end, when a test asks it to.
    QSemaphore ending_;
    QSemaphore leave_;
};

void tst_DuplicatePage::initTestCase() {
    tree_ = std::make_unique<DriveFixture>();
    const fs::path pictures = tree_->c("Users/u/Pictures");
    for (int i = 0; i < 4; ++i) {
        const std::string photo = Bytes(10 + unsigned(i), 150000 + std::size_t(i) * 40000);
        tree_->tree().write(pictures / ("IMG_000" + std::to_string(i) + ".JPG"), photo);
        tree_->tree().write(pictures / "备份" / ("IMG_000" + std::to_string(i) + ".JPG"), photo);
    }
    tree_->tree().write(tree_->c("Users/u/Documents/年度报告.docx"), Bytes(30, 300000));
    tree_->tree().write(tree_->c("Users/u/Desktop/年度报告 - 副本.docx"), Bytes(30, 300000));
    tree_->tree().write(tree_->c("Users/u/Downloads/setup.exe"), Bytes(40, 2000000));
    tree_->tree().write(tree_->c("Users/u/Desktop/setup.exe"), Bytes(40, 2000000));

    work_ = std::make_unique<HeldDuplicateWork>(RuleFiles::LoadDuplicateFileData());
    harness_ = std::make_unique<WorkHarness>(*work_);
    host_ = std::make_unique<Work_DuplicateFileHost>(*work_);
    host_->askYesNo = [this](const QString& question) {
        questions_ << question;
        return true;
    };
    view_ = std::make_unique<QQuickWidget>();
    view_->setResizeMode(QQuickWidget::SizeRootObjectToView);
    view_->rootContext()->setContextProperty("Host", host_.get());
    view_->rootContext()->setContextProperty("TypeGroups", work_->typeModel());
    view_->setSource(QUrl("qrc:/QML/resources/QML/DuplicateFile/df_main.qml"));
    for (const QQmlError& error : view_->errors())
        QFAIL(qPrintable(error.toString()));
    QVERIFY(view_->rootObject());
    view_->resize(970, 712);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
}

void tst_DuplicatePage::cleanupTestCase() {
    // A failed check must not leave a worker waiting.
    leave_.release(1 << 20);
    work_->release();
    view_.reset();
    harness_.reset();
    host_.reset();
    work_.reset();
    tree_.reset();
}

void tst_DuplicatePage::startPage() {
    QVERIFY(find("dfQuickScan")->isVisible());
    QVERIFY(!find("dfDriveMenu")->isVisible());
    // The pointer comes onto the button first, as a user's does: the menu closes when the
    // pointer leaves, and a click alone says nothing of where the pointer is.
    QTest::mouseMove(view_.get(), QmlItems::centreOf(find("dfMoreDrives")));
    QVERIFY(click("dfMoreDrives"));
    QTRY_VERIFY(find("dfDriveMenu")->isVisible());
    shoot("DuplicatePage-start-menu");
    // Away from the button and the menu, it closes by itself.
    QTest::mouseMove(view_.get(), QPoint(100, 650));
    // Patience, not a speed goal: the sanitizer build on a busy machine renders slowly.
    QTRY_VERIFY_WITH_TIMEOUT(!find("dfDriveMenu")->isVisible(), 20000);
}

void tst_DuplicatePage::scanShowsSections() {
    const int before = harness_->statuses().count(IWork::DuplicateScanFinished);
    QVERIFY(click("dfQuickScan"));
    QCOMPARE(host_->GetCurrentDrive(), QStringLiteral("C:\\"));
    QVERIFY(harness_->waitForFinished(IWork::DuplicateScanFinished, before));
    QTRY_COMPARE(text("dfTitle"),
                 QStringLiteral("已找出重复文件<font color=\"#FF0000\">6组</font>，"
                                "占用<font color=\"#FF0000\">5.99MB</font>"));
    QCOMPARE(text("dfMainButton"), QStringLiteral("一键删除"));
    QVERIFY(find("dfRescan")->isVisible());
    QTRY_VERIFY(
        text("dfSectionInfo").contains(QStringLiteral("共<font color=\"#FF0000\">4</font>组")));
    // The pictures' section unfolds to its eight copies.
    QVERIFY(click("dfSectionHeader"));
    QQuickItem* files = find("dfFiles");
    QVERIFY(files);
    QTRY_COMPARE(files->property("count").toInt(), 8);
    QTRY_COMPARE(files->height(), 100.0);
    shoot("DuplicatePage-results");
}

void tst_DuplicatePage::tickAndDelete() {
    LM_DuplicateFileListNode* pictures = work_->typeModel()->types().front().allTable;
    QVERIFY(click("dfTick"));
    QTRY_COMPARE(pictures->checkedCount(), 1);
    QTRY_VERIFY(text("dfSectionInfo").endsWith(QStringLiteral("已选1个")));
    shoot("DuplicatePage-ticked");
    const fs::path ticked = pictures->at(0).path;
    const TempTree::Snapshot files = tree_->snapshot();
    const int before = harness_->statuses().count(IWork::DuplicateCleanFinished);
    QVERIFY(click("dfMainButton"));
    QCOMPARE(questions_, QStringList{QStringLiteral("您确定要清理选中的重复文件吗(无法恢复)?")});
    QVERIFY(harness_->waitForFinished(IWork::DuplicateCleanFinished, before));
    QVERIFY(!fs::exists(ticked));
    // The ticked copy went, and nothing else.
    QVERIFY(ticked.filename().string().rfind("IMG_000", 0) == 0);
    QCOMPARE(tree_->changesSince(files),
             QStringList{"removed: " + QString::fromStdString(
                                           ticked.lexically_relative(tree_->root()).string())});
    QTRY_COMPARE(pictures->rows(), 7);
    QTRY_COMPARE(text("dfMainButton"), QStringLiteral("继续删除"));
    QTRY_VERIFY(text("dfSectionInfo").endsWith(QStringLiteral("已选0个")));
}

void tst_DuplicatePage::everyCopyTickedKeepsOne() {
    LM_DuplicateFileListNode* pictures = work_->typeModel()->types().front().allTable;
    // The group whose first copy went is down to its last copy.
    const std::int32_t group = pictures->at(0).group;
    QVERIFY(pictures->at(1).group != group);
    pictures->setChecked(0, true);
    const TempTree::Snapshot files = tree_->snapshot();
    const int before = harness_->statuses().count(IWork::DuplicateCleanFinished);
    QVERIFY(click("dfMainButton"));
    QTRY_VERIFY(find("dfTipDialog")->isVisible());
    QVERIFY(text("dfTipText").contains(QStringLiteral("已为1组保留")));
    QCOMPARE(harness_->statuses().count(IWork::DuplicateCleaning), 1);
    QCOMPARE(pictures->at(0).checked, false);
    QVERIFY(fs::exists(pictures->at(0).path));
    shoot("DuplicatePage-tip");
    QVERIFY(click("dfTipOk"));
    QTRY_VERIFY(!find("dfTipDialog")->isVisible());
    QCOMPARE(harness_->statuses().count(IWork::DuplicateCleanFinished), before);
    QCOMPARE(tree_->changesSince(files), QStringList());
}

void tst_DuplicatePage::refusedRescanLeavesThePage() {
    // A scan's last worker stays registered until its finished status is out. Held there,
    // the scan's results are on the page while the work still refuses a new scan.
    const auto report = work_->statusCallback;
    work_->statusCallback = [this, report](IWork::WorkStatus status) {
        if (status == IWork::DuplicateScanFinished) {
            ending_.release();
            leave_.acquire();
        }
        report(status);
    };
    const int before = harness_->statuses().count(IWork::DuplicateScanFinished);
    QVERIFY(click("dfRescan"));
    QVERIFY(ending_.tryAcquire(1, 30000));
    QTRY_VERIFY(text("dfTitle").startsWith(QStringLiteral("已找出重复文件")));
    const QString results = text("dfTitle");
    QCOMPARE(text("dfMainButton"), QStringLiteral("一键删除"));

    QVERIFY(click("dfRescan"));
    // Refused: the page stays as it was, not waiting for a scan that never started, and
    // says why.
    QCOMPARE(text("dfTitle"), results);
    QCOMPARE(text("dfMainButton"), QStringLiteral("一键删除"));
    QVERIFY(!find("dfSubtitle")->isVisible());
    QTRY_VERIFY(find("dfTipDialog")->isVisible());
    QCOMPARE(text("dfTipText"), QStringLiteral("上一次扫描或清理还没有完全结束，请稍后再试。"));
    shoot("DuplicatePage-refused");

    leave_.release();
    QVERIFY(harness_->waitForFinished(IWork::DuplicateScanFinished, before));
    work_->statusCallback = report;
    QCOMPARE(harness_->statuses().count(IWork::DuplicateScanning), 2);
    QVERIFY(click("dfTipOk"));
    QTRY_VERIFY(!find("dfTipDialog")->isVisible());
}

void tst_DuplicatePage::busyStates() {
    LM_DuplicateFileListModel* model = work_->typeModel();
    model->sendScanStatusChanged(1);
    model->sendCurrentScanPathChange(QStringLiteral("C:\\Users\\u\\Pictures\\IMG_0001.JPG"));
    QTRY_COMPARE(text("dfTitle"), QStringLiteral("正在扫描重复文件..."));
    QTRY_COMPARE(text("dfSubtitle"),
                 QStringLiteral("正在扫描:C:\\Users\\u\\Pictures\\IMG_0001.JPG"));
    QCOMPARE(text("dfMainButton"), QStringLiteral("取消扫描"));
    QVERIFY(!find("dfRescan")->isVisible());

    model->sendScanStatusChanged(5);
    QTRY_COMPARE(text("dfTitle"), QStringLiteral("正在清理重复文件..."));
    QVERIFY(!find("dfMainButton")->isVisible());
    QVERIFY(text("dfSubtitle").startsWith(QStringLiteral("正在清理:")));
    shoot("DuplicatePage-cleaning");
    model->sendScanStatusChanged(6);
    QTRY_COMPARE(text("dfMainButton"), QStringLiteral("继续删除"));
}

void tst_DuplicatePage::cancelledScanSaysSo() {
    // The workers wait before they compare anything, so no group is confirmed yet.
    work_->hold.store(true);
    const int before = harness_->statuses().count(IWork::DuplicateScanFinished);
    QVERIFY(click("dfRescan"));
    QVERIFY(work_->reached.tryAcquire(1, 30000));
    QTRY_COMPARE(text("dfTitle"), QStringLiteral("正在扫描重复文件..."));
    QCOMPARE(text("dfMainButton"), QStringLiteral("取消扫描"));
    shoot("DuplicatePage-scanning");
    QVERIFY(click("dfMainButton"));
    QTRY_COMPARE(text("dfMainButton"), QStringLiteral("取消中..."));
    QCOMPARE(find("dfMainButton")->property("enabled").toBool(), false);
    work_->release();
    QVERIFY(harness_->waitForFinished(IWork::DuplicateScanFinished, before));
    // Not "no duplicates": the scan stopped before it could tell.
    QTRY_COMPARE(text("dfTitle"), QStringLiteral("扫描已取消，尚未找出重复文件"));
    QCOMPARE(text("dfMainButton"), QStringLiteral("重新扫描"));
    QCOMPARE(find("dfMainButton")->property("enabled").toBool(), true);
    QVERIFY(!find("dfRescan")->isVisible());
    shoot("DuplicatePage-cancelled");
}

void tst_DuplicatePage::menuStaysUnderThePointer() {
    // A view of its own opens on the start page.
    const std::unique_ptr<QQuickWidget> start =
        QmlItems::show(QStringLiteral("qrc:/QML/resources/QML/DuplicateFile/df_main.qml"),
                       {{QStringLiteral("Host"), host_.get()},
                        {QStringLiteral("TypeGroups"), work_->typeModel()}},
                       QSize(970, 712));
    QVERIFY(start);
    QQuickItem* more = QmlItems::find(*start, QStringLiteral("dfMoreDrives"));
    QQuickItem* menu = QmlItems::find(*start, QStringLiteral("dfDriveMenu"));
    QObject* closer = start->rootObject()->findChild<QObject*>(QStringLiteral("dfMenuCloser"));
    QVERIFY(more && menu && closer);
    QTest::mouseMove(start.get(), QmlItems::centreOf(more));
    QVERIFY(QmlItems::click(*start, more));
    QTRY_VERIFY(menu->isVisible());
    QQuickItem* drive = QmlItems::find(*start, QStringLiteral("dfDriveMenuItem_D:\\"));
    QVERIFY(drive);
    // The pointer leaves the button for an item of the menu, and rests there.
    QTest::mouseMove(start.get(), QmlItems::centreOf(drive));
    QTRY_VERIFY(!closer->property("running").toBool());
    QVERIFY(menu->isVisible());
    QTest::qWait(100);
    QVERIFY(!saveScreenshot(start->grabFramebuffer(), "DuplicatePage-menu-over-item").isEmpty());

    const int before = harness_->statuses().count(IWork::DuplicateScanFinished);
    QVERIFY(QmlItems::click(*start, drive));
    QVERIFY(!menu->isVisible());
    QCOMPARE(host_.get()->GetCurrentDrive(), QStringLiteral("D:\\"));
    QVERIFY(harness_->waitForFinished(IWork::DuplicateScanFinished, before));
}

QTEST_MAIN(tst_DuplicatePage)
#include "tst_DuplicatePage.moc"
