#include "DriveFixture.h"
#include "FixtureRegistry.h"
#include "LM_PrivacyFolderModel.h"
#include "LM_PrivacyGroupData.h"
#include "LogFiles.h"
#include "QmlItems.h"
#include "RuleFiles.h"
#include "Screenshots.h"
#include "TPrivacyItem.h"
#include "TestPrivacyWork.h"

#include <QQuickItem>
#include <QQuickWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// The privacy page on the shipped rules after a real scan: it loads from its own resource,
// shows every group with the records found, and ticks through the model.
class tst_PrivacyPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void showsGroupsAndCounts();
    void tickBoxTicksTheItem();

private:
    QQuickItem* find(const QString& name) const { return QmlItems::find(*view_, name); }

    QTemporaryDir logDir_;
    std::unique_ptr<DriveFixture> tree_;
    TestPrivacyWork* work_ = nullptr;
    std::unique_ptr<QQuickWidget> view_;
};

void tst_PrivacyPage::initTestCase() {
    LogFiles::setDirectory(logDir_.path());
    tree_ = std::make_unique<DriveFixture>();
    FixtureRegistry registry(*tree_);
    const QString runMru = QString::fromLatin1(TestPrivacyWork::runMruKey);
    for (const char* name : {"a", "b", "c"})
        registry.set(runMru, name, "cmd\\1");
    registry.set(runMru, "MRUList", "cba");
    for (const char* name : {"季度报告.docx.lnk", "photo.jpg.lnk"})
        tree_->write(tree_->c("Users/u/AppData/Roaming/Microsoft/Windows/Recent") / name, 10);
    work_ = new TestPrivacyWork(RuleFiles::LoadPrivacyData());
    QVERIFY(work_->scan());

    view_ = QmlItems::show("qrc:/QML/resources/QML/Privacy/TreeList.qml",
                           {{"groupData", work_->groupsModel()}}, QSize(870, 541));
    QVERIFY(view_);
}

void tst_PrivacyPage::cleanupTestCase() {
    view_.reset();
    tree_.reset();
    LogFiles::setDirectory(QString());
}

void tst_PrivacyPage::showsGroupsAndCounts() {
    QCOMPARE(view_->rootObject()->objectName(), QStringLiteral("privacyPage"));
    for (int i = 0; i < 4; ++i)
        QVERIFY2(find(QString("group_%1").arg(i)), qPrintable(QString::number(i)));
    const std::vector<std::pair<QString, QString>> tiles = {{"Win+R运行痕迹", "3条"},
                                                            {"开始菜单最近运行程序", "2条"},
                                                            {"最近访问的文件", "0条"},
                                                            {"网购隐私", "0条"}};
    for (const auto& [name, count] : tiles) {
        QQuickItem* tile = find("tile_" + name);
        QVERIFY2(tile, qPrintable(name));
        QCOMPARE(tile->property("sizeText").toString(), count);
    }
    QCOMPARE(find("tile_Win+R运行痕迹")->property("checked").toBool(), true);
    QCOMPARE(find("tile_最近访问的文件")->property("checked").toBool(), false);
    QTest::qWait(300); // images and the first frame
    const QString saved = saveScreenshot(view_->grabFramebuffer(), QStringLiteral("PrivacyPage"));
    QVERIFY(!saved.isEmpty());
    qInfo("screenshot: %s", qPrintable(saved));
}

void tst_PrivacyPage::tickBoxTicksTheItem() {
    QQuickItem* tile = find("tile_Win+R运行痕迹");
    QQuickItem* box = QmlItems::find(tile, "tickBox");
    QVERIFY(box);
    int found = 0, selected = 0;
    work_->GetRecordCounts(found, selected);
    QCOMPARE(selected, 5);

    QVERIFY(QmlItems::click(*view_, box));
    QTRY_COMPARE(work_->items()->items().at(0)->checked, false);
    QTRY_COMPARE(tile->property("checked").toBool(), false);
    work_->GetRecordCounts(found, selected);
    QCOMPARE(selected, 2);
    QVERIFY(QmlItems::click(*view_, box));
    QTRY_COMPARE(work_->items()->items().at(0)->checked, true);
    work_->GetRecordCounts(found, selected);
    QCOMPARE(selected, 5);
}

QTEST_MAIN(tst_PrivacyPage)
#include "tst_PrivacyPage.moc"
