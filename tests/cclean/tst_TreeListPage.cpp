#include "DriveFixture.h"
#include "FolderItem.h"
#include "Group.h"
#include "LM_GroupModel.h"
#include "LM_GroupsModel.h"
#include "QmlItems.h"
#include "RuleFiles.h"
#include "Screenshots.h"
#include "TestWork.h"

#include <QQuickItem>
#include <QQuickWidget>
#include <QtTest>
#include <memory>

// The C-drive page on the real models after a real scan: it loads, shows the groups, and
// folds, ticks and scrolls. Screenshots go where saveScreenshot puts them.
class tst_TreeListPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void showsGroupsAndSavesScreenshot();
    void titleClickFolds();
    void tickBoxTicksTheItem();
    void wheelScrollsTwentyPixelsAndClamps();
    void draggingTheBarScrolls();

private:
    QQuickItem* find(const QString& name) const;
    QPoint centreOf(QQuickItem* item) const;
    qreal contentY() const;

    std::unique_ptr<DriveFixture> tree_;
    TestWork* work_ = nullptr;
    std::unique_ptr<QQuickWidget> view_;
};

void tst_TreeListPage::initTestCase() {
    tree_ = std::make_unique<DriveFixture>();
    tree_->write(tree_->c("Windows/Temp/a.log"), 3 << 20);
    tree_->write(tree_->c("Users/u/AppData/Local/Temp/b.tmp"), 700 << 10);
    tree_->write(tree_->c("Windows/Logs/c.log"), 12345);
    work_ = new TestWork(RuleFiles::LoadCleanData());
    QVERIFY(work_->scan());

    view_ = QmlItems::show("qrc:/QML/resources/QML/TreeList.qml",
                           {{"groupData", work_->groupsModel()}}, QSize(870, 541));
    QVERIFY(view_);
}

void tst_TreeListPage::cleanupTestCase() {
    view_.reset();
    work_->groupsModel(); // the work lives on, like the program's
    tree_.reset();
}

QQuickItem* tst_TreeListPage::find(const QString& name) const {
    return QmlItems::find(*view_, name);
}

QPoint tst_TreeListPage::centreOf(QQuickItem* item) const {
    return QmlItems::centreOf(item);
}

qreal tst_TreeListPage::contentY() const {
    return find("groupList")->property("contentY").toReal();
}

void tst_TreeListPage::showsGroupsAndSavesScreenshot() {
    for (int i = 0; i < 5; ++i)
        QVERIFY2(find(QString("group_%1").arg(i)), qPrintable(QString::number(i)));
    QQuickItem* tile = find("tile_系统临时文件");
    QVERIFY(tile);
    QCOMPARE(tile->property("sizeText").toString(), QStringLiteral("3.00MB"));
    QCOMPARE(tile->property("checked").toBool(), true);
    QCOMPARE(find("tile_用户临时文件")->property("sizeText").toString(),
             QStringLiteral("700.00KB"));
    // Eight tiles wrap onto two rows of six and two, in the same columns.
    QQuickItem* first = find("tile_腾讯视频");
    QQuickItem* seventh = find("tile_Metro通讯");
    QQuickItem* sixth = find("tile_IE浏览器");
    QVERIFY(first && seventh && sixth);
    const QPointF a = first->mapToScene({}), g = seventh->mapToScene({}), f = sixth->mapToScene({});
    QCOMPARE(g.x(), a.x());
    QVERIFY(g.y() > a.y() + 90);
    QCOMPARE(f.y(), a.y());
    QVERIFY(f.x() > a.x() + 5 * 120);
    QTest::qWait(300); // images and the first frame
    const QImage shot = view_->grabFramebuffer();
    QVERIFY(!shot.isNull());
    const QString saved = saveScreenshot(shot, QStringLiteral("TreeList"));
    QVERIFY(!saved.isEmpty());
    qInfo("screenshot: %s", qPrintable(saved));
}

void tst_TreeListPage::titleClickFolds() {
    QQuickItem* group = find("group_1");
    QQuickItem* title = QmlItems::find(group, "title");
    const qreal open = group->height();
    QVERIFY(open > 100);
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, centreOf(title));
    QTRY_COMPARE(group->height(), 30.0);
    QCOMPARE(group->property("expanded").toBool(), false);
    QTest::qWait(200);
    QVERIFY(!saveScreenshot(view_->grabFramebuffer(), QStringLiteral("TreeList-folded")).isEmpty());
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, centreOf(title));
    QTRY_COMPARE(group->height(), open);
}

void tst_TreeListPage::tickBoxTicksTheItem() {
    QQuickItem* tile = find("tile_系统日志");
    QVERIFY(tile);
    QQuickItem* box = QmlItems::find(tile, "tickBox");
    // Bring the Windows group into view first.
    QQuickItem* list = find("groupList");
    list->setProperty(
        "contentY",
        tile->mapToItem(list->property("contentItem").value<QQuickItem*>(), QPointF()).y() - 200);
    QTRY_VERIFY(centreOf(box).y() > 0 && centreOf(box).y() < 541);
    LM_GroupModel* windows = work_->groupsModel()->groups().at(3)->model;
    FolderItem* logs = windows->items().at(4);
    QCOMPARE(logs->checked, false);
    const std::uint64_t selected = work_->selectedSize.load();

    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, centreOf(box));
    QTRY_COMPARE(logs->checked, true);
    QCOMPARE(work_->selectedSize.load(), selected + 12345);
    QTRY_COMPARE(tile->property("checked").toBool(), true);
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, centreOf(box));
    QTRY_COMPARE(logs->checked, false);
    QCOMPARE(work_->selectedSize.load(), selected);
    QTRY_COMPARE(tile->property("checked").toBool(), false);
}

void tst_TreeListPage::wheelScrollsTwentyPixelsAndClamps() {
    QQuickItem* list = find("groupList");
    QVERIFY(find("scrollBar")->isVisible()); // five groups are taller than the page
    list->setProperty("contentY", 0);
    const QPoint at(400, 300);
    QWheelEvent down(at, view_->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view_.get(), &down);
    QTRY_COMPARE(contentY(), 20.0);
    QWheelEvent up(at, view_->mapToGlobal(at), QPoint(), QPoint(0, 360), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view_.get(), &up);
    QTRY_COMPARE(contentY(), 0.0);
    for (int i = 0; i < 200; ++i) {
        QWheelEvent more(at, view_->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view_.get(), &more);
    }
    const qreal bottom = list->property("contentHeight").toReal() - list->height();
    QTRY_COMPARE(contentY(), bottom);
    QTest::qWait(200); // let the view render the last step
    QVERIFY(!saveScreenshot(view_->grabFramebuffer(), QStringLiteral("TreeList-bottom")).isEmpty());
    list->setProperty("contentY", 0);
}

void tst_TreeListPage::draggingTheBarScrolls() {
    QQuickItem* list = find("groupList");
    QQuickItem* bar = find("scrollBar");
    list->setProperty("contentY", 0);
    const QPoint from = centreOf(bar);
    const qreal travel = list->height() - bar->height();
    const qreal range = list->property("contentHeight").toReal() - list->height();
    QTest::mousePress(view_.get(), Qt::LeftButton, {}, from);
    for (int dy : {10, 25, 40}) {
        QMouseEvent move(QEvent::MouseMove, from + QPoint(0, dy), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(view_.get(), &move);
    }
    QTest::mouseRelease(view_.get(), Qt::LeftButton, {}, from + QPoint(0, 40));
    QTRY_VERIFY(qAbs(contentY() - 40 * range / travel) < 1.0);
    // The bar follows the content.
    QVERIFY(qAbs(bar->y() - 40) < 1.0);
    list->setProperty("contentY", 0);
}

QTEST_MAIN(tst_TreeListPage)
#include "tst_TreeListPage.moc"
