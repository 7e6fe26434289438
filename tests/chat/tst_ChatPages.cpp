// The WeChat and QQ pages on their real models after a real scan: quick boxes, category
// boxes, folding, paging with "查看更多", file boxes and hidden rows, as a user clicks them.
// Screenshots go where saveScreenshot puts them.
#include "ChatFixture.h"
#include "EitherChatWork.h"
#include "QmlItems.h"
#include "Screenshots.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWidget>
#include <QtTest>

namespace fs = std::filesystem;

class tst_ChatPages : public QObject {
    Q_OBJECT
private slots:
    void page_data();
    void page();
};

void tst_ChatPages::page_data() {
    QTest::addColumn<bool>("qq");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QList<int>>("cacheBox"); // the categories of the "缓存备份" box
    QTest::addColumn<int>("paged");           // a category with 25 more files
    QTest::newRow("WeChat") << false << "qrc:/QML/resources/QML/vx_main.qml"
                            << QList<int>({4, 5, 6, 7, 8}) << 4;
    QTest::newRow("QQ") << true << "qrc:/QML/resources/QML/qq_main.qml" << QList<int>({0, 4}) << 0;
}

void tst_ChatPages::page() {
    QFETCH(bool, qq);
    QFETCH(QString, source);
    QFETCH(QList<int>, cacheBox);
    QFETCH(int, paged);
    ChatFixture tree;
    const fs::path folder = qq ? tree.qqJunk() : tree.weChatJunk();
    const fs::path pagedFolder =
        qq ? folder / "12345/nt_qq/nt_data/log" : folder / "wxid_a/FileStorage/Cache";
    for (int i = 0; i < 25; ++i)
        tree.write(pagedFolder / ("页面_" + std::to_string(100 + i) + ".dat"), 1000 + i);
    EitherChatWork work(qq);
    LM_ChatListModel& list = work.list();
    const QString name = qq ? QStringLiteral("qq") : QStringLiteral("vx");

    QQuickWidget view;
    view.setResizeMode(QQuickWidget::SizeRootObjectToView);
    view.rootContext()->setContextProperty("vxListModel", &list);
    view.setSource(QUrl(source));
    for (const QQmlError& error : view.errors())
        QFAIL(qPrintable(error.toString()));
    view.resize(870, 471);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto find = [&](const QString& objectName, QQuickItem* below = nullptr) {
        return below ? QmlItems::find(below, objectName) : QmlItems::find(view, objectName);
    };
    auto shoot = [&](const QString& what) {
        QTest::qWait(150);
        QVERIFY(!saveScreenshot(view.grabFramebuffer(), name + "_page_" + what).isEmpty());
    };
    shoot("before_scan");

    QVERIFY(work.scan());
    QQuickItem* section = find(QStringLiteral("category_%1").arg(paged));
    QVERIFY(section);
    QTRY_COMPARE(find("size", section)->property("text").toString(),
                 list.data(list.index(paged), LM_ChatListModel::SizeRole).toString());

    // The "缓存备份" box ticks its categories and their files; a second click unticks them.
    const std::uint64_t scanned = work->selectedSize.load();
    QVERIFY(QmlItems::click(view, find("quick_3")));
    for (int row : cacheBox)
        QVERIFY(list.category(row).checked);
    QTRY_COMPARE(find("tick", section)->property("checked").toBool(), true);
    QVERIFY(work->selectedSize.load() > scanned);
    QVERIFY(QmlItems::click(view, find("quick_3")));
    QCOMPARE(work->selectedSize.load(), scanned - (qq ? 0 : 9900 + 8800));

    // A category's own box ticks it alone.
    QVERIFY(QmlItems::click(view, find("tick", section)));
    QVERIFY(list.category(paged).checked);
    QCOMPARE(list.category(paged).files->checkedCount(), list.category(paged).files->rows());
    QVERIFY(QmlItems::click(view, find("tick", section)));
    QCOMPARE(list.category(paged).files->checkedCount(), 0);

    // Opened, the category shows ten files and "查看更多" for the rest.
    QVERIFY(QmlItems::click(view, find("title", section)));
    QTRY_VERIFY(find("file_9", section));
    QVERIFY(!find("file_10", section));
    QQuickItem* more = find("more", section);
    QTRY_VERIFY(more->isVisible());
    shoot("opened");
    const int rows = list.category(paged).files->rows();
    QVERIFY(rows > 20 && rows <= 30);
    for (int click = 0; click < 2; ++click) {
        QQuickItem* categories = find("categoryList");
        categories->setProperty(
            "contentY",
            more->mapToItem(categories->property("contentItem").value<QQuickItem*>(), QPointF())
                    .y() -
                300);
        QTRY_VERIFY(view.rect().contains(QmlItems::centreOf(more)));
        QVERIFY(QmlItems::click(view, more));
    }
    QTRY_VERIFY(find(QStringLiteral("file_%1").arg(rows - 1), section));
    QTRY_VERIFY(!more->isVisible());
    // Laid out below the others once the frame is drawn.
    QTRY_VERIFY(find(QStringLiteral("file_%1").arg(rows - 1), section)->y() >
                find("file_0", section)->y() + 20 * (rows - 2));

    // One file's box ticks that file alone.
    find("categoryList")->setProperty("contentY", 0);
    QQuickItem* first = find("file_0", section);
    QTRY_VERIFY(view.rect().contains(QmlItems::centreOf(find("tick", first))));
    const std::uint64_t size = list.category(paged).files->at(0).size;
    const std::uint64_t before = work->selectedSize.load();
    QVERIFY(QmlItems::click(view, find("tick", first)));
    QTRY_COMPARE(find("tick", first)->property("checked").toBool(), true);
    QCOMPARE(work->selectedSize.load(), before + size);
    QCOMPARE(list.category(paged).files->checkedCount(), 1);

    // A hidden row leaves the page: the next one takes its place.
    LM_ChatFilesModel& files = *list.category(paged).files;
    const QString third = files.data(files.index(2), LM_ChatFilesModel::PathRole).toString();
    files.setItemVisible(1, false);
    QTRY_VERIFY(!find(QStringLiteral("file_%1").arg(rows - 1), section));
    QCOMPARE(find("file_1", section)->property("path").toString(), third);
    shoot("after_scan");
}

QTEST_MAIN(tst_ChatPages)
#include "tst_ChatPages.moc"
