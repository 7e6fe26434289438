// The duplicate page in its own view on a fixture machine, used as a person would: the
// start page's quick scan, the result page with its sections, a tick, the delete button
// with its question and the tip that one copy of every group stays. Screenshots of each
// step go where saveScreenshot puts them.
#include "DriveFixture.h"
#include "DuplicateTestFiles.h"
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
    void busyStates();

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
    std::unique_ptr<Work_DuplicateFile> work_;
    std::unique_ptr<Work_DuplicateFileHost> host_;
    std::unique_ptr<WorkHarness> harness_;
    std::unique_ptr<QQuickWidget> view_;
    QStringList questions_;
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

    work_ = std::make_unique<Work_DuplicateFile>(RuleFiles::LoadDuplicateFileData());
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
                 QStringLiteral("以找出重复文件<font color=\"#FF0000\">6组</font>，"
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

void tst_DuplicatePage::busyStates() {
    LM_DuplicateFileListModel* model = work_->typeModel();
    model->sendScanStatusChanged(1);
    model->sendCurrentScanPathChange(QStringLiteral("C:\\Users\\u\\Pictures\\IMG_0001.JPG"));
    QTRY_COMPARE(text("dfTitle"), QStringLiteral("正在扫描重复文件..."));
    QTRY_COMPARE(text("dfSubtitle"),
                 QStringLiteral("正在扫描:C:\\Users\\u\\Pictures\\IMG_0001.JPG"));
    QCOMPARE(text("dfMainButton"), QStringLiteral("取消扫描"));
    QVERIFY(!find("dfRescan")->isVisible());
    shoot("DuplicatePage-scanning");
    QVERIFY(click("dfMainButton"));
    QTRY_COMPARE(text("dfMainButton"), QStringLiteral("取消中..."));
    QCOMPARE(find("dfMainButton")->property("enabled").toBool(), false);

    model->sendScanStatusChanged(5);
    QTRY_COMPARE(text("dfTitle"), QStringLiteral("正在清理重复文件..."));
    QVERIFY(!find("dfMainButton")->isVisible());
    QVERIFY(text("dfSubtitle").startsWith(QStringLiteral("正在清理:")));
    shoot("DuplicatePage-cleaning");
    model->sendScanStatusChanged(6);
    QTRY_COMPARE(text("dfMainButton"), QStringLiteral("继续删除"));
}

QTEST_MAIN(tst_DuplicatePage)
#include "tst_DuplicatePage.moc"
