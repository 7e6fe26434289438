// The chat models as the pages see them: role names, categories built from rules, ticking
// through bad indexes, and the paging proxy of a category through a scan and a clean, with
// every change announced to views.
#include "ChatFixture.h"
#include "LM_QQFilesModel.h"
#include "LM_QQListModel.h"
#include "LM_VXFilesModel.h"
#include "RowLimitProxyModel.h"
#include "ShownRowsProxyModel.h"
#include "TestChatWork.h"
#include "ViewRowCounter.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

namespace fs = std::filesystem;

namespace {

QJsonObject Rule(const QString& id, const QJsonValue& path, bool checked = false) {
    return QJsonObject{
        {"id", id}, {"path", path}, {"description", "类别" + id}, {"checked", checked}};
}

} // namespace

class tst_ChatModels : public QObject {
    Q_OBJECT
private slots:
    void roleNames_data();
    void roleNames();
    void categoriesFromRules();
    void badIndexesIgnored();
    void pagingThroughScanAndClean();
};

void tst_ChatModels::roleNames_data() {
    QTest::addColumn<bool>("qq");
    QTest::addColumn<QStringList>("names"); // of roles 257 to 262
    QTest::newRow("WeChat") << false
                            << QStringList({"path", "size", "checked", "share", "VXID", "visible"});
    QTest::newRow("QQ") << true
                        << QStringList({"path", "size", "checked", "share", "QQID", "visiable"});
}

void tst_ChatModels::roleNames() {
    QFETCH(bool, qq);
    QFETCH(QStringList, names);
    std::unique_ptr<LM_ChatFilesModel> files;
    if (qq)
        files = std::make_unique<LM_QQFilesModel>();
    else
        files = std::make_unique<LM_VXFilesModel>();
    const QVariantMap map = files->getRoleNames();
    QCOMPARE(map.size(), 6);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(map.value(QString::number(257 + i)).toString(), names.at(i));
    LM_QQListModel list(QString(), QJsonDocument(), {});
    const QHash<int, QByteArray> listRoles = list.roleNames();
    QCOMPARE(listRoles.value(257), QByteArray("ID"));
    QCOMPARE(listRoles.value(260), QByteArray("size"));
    QCOMPARE(listRoles.value(261), QByteArray("checked"));
    QCOMPARE(listRoles.value(262), QByteArray("files"));
}

void tst_ChatModels::categoriesFromRules() {
    ChatFixture tree; // APPDATA = C:\Users\u\AppData\Roaming
    const QJsonDocument rules(
        QJsonArray{Rule("1", QJsonArray{"nt_qq\\nt_data\\Pic", "nt_qq\\nt_data\\avatar"}, true),
                   QJsonValue("not an object"), Rule("2", "%APPDATA%\\Tencent\\QQ\\STemp"),
                   Rule("3", "%MERIVANE_NO_SUCH_VARIABLE%\\x"), QJsonObject{{"id", "4"}}});
    LM_QQListModel qq(QStringLiteral("D:\\QQData"), rules, {});
    QCOMPARE(qq.categoryCount(), 4);
    auto path = [&](int row) {
        return qq.data(qq.index(row), LM_ChatListModel::PathRole).toString();
    };
    QCOMPARE(path(0), QStringLiteral("nt_qq\\nt_data\\Pic;nt_qq\\nt_data\\avatar;"));
    QCOMPARE(path(1), QStringLiteral("C:\\Users\\u\\AppData\\Roaming\\Tencent\\QQ\\STemp"));
    QCOMPARE(path(2), QStringLiteral("%MERIVANE_NO_SUCH_VARIABLE%\\x"));
    QCOMPARE(qq.data(qq.index(0), LM_ChatListModel::CheckedRole).toBool(), true);
    QCOMPARE(qq.data(qq.index(3), LM_ChatListModel::TitleRole).toString(), QString());
    QCOMPARE(qq.data(qq.index(3), LM_ChatListModel::CheckedRole).toBool(), false);
    auto* proxy = qobject_cast<RowLimitProxyModel*>(
        qq.data(qq.index(0), LM_ChatListModel::FilesRole).value<QObject*>());
    QVERIFY(proxy);
    QCOMPARE(proxy->maxRows(), 10);
    // Ten at a time of the files the page shows.
    QCOMPARE(proxy->sourceModel(), qq.category(0).shown);
    QCOMPARE(qq.category(0).shown->sourceModel(), qq.category(0).files);
    // A document that is no list gives no category.
    QCOMPARE(LM_QQListModel(QString(), QJsonDocument(QJsonObject{{"id", "1"}}), {}).categoryCount(),
             0);
}

void tst_ChatModels::badIndexesIgnored() {
    ChatFixture tree;
    tree.weChatJunk();
    TestVX work;
    QVERIFY(work.scan());
    QAbstractItemModelTester tester(&work.list(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    const std::uint64_t before = work.selectedSize.load();
    work.list().SetCheckedIndexs(true, {-1, 9, 1000, 0});
    QCOMPARE(work.selectedSize.load(), before + 1107);
    QVERIFY(!work.list().setData(work.list().index(3), true, LM_ChatListModel::TitleRole));
    work.files(0).setItemVisible(3, false); // no such row
    work.files(0).setItemChecked(-1, false);
    QCOMPARE(work.selectedSize.load(), before + 1107);
}

void tst_ChatModels::pagingThroughScanAndClean() {
    ChatFixture tree;
    const fs::path folder = tree.weChatOnD({"wxid_a"});
    for (int i = 0; i < 25; ++i)
        tree.write(folder / "wxid_a/FileStorage/Cache" / ("c" + std::to_string(i)), 10);
    TestVX work;
    auto* proxy = work.list().category(4).proxy;
    QAbstractItemModelTester tester(proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester filesTester(&work.files(4),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    ViewRowCounter view(proxy);

    QVERIFY(work.scan());
    QVERIFY(view.agrees());
    QCOMPARE(proxy->rowCount(), 10);
    // "查看更多" twice shows every row.
    proxy->setMaxRows(proxy->rowCount() + 10);
    proxy->setMaxRows(proxy->rowCount() + 10);
    QVERIFY(view.agrees());
    QCOMPARE(proxy->rowCount(), 25);
    proxy->setMaxRows(10);

    // A rescan empties the list and fills it again, the view told at every step.
    QVERIFY(work.scan());
    QVERIFY(view.agrees());
    QCOMPARE(view.count(), 10);

    // Clean rows on both sides of the limit: later rows move up into view.
    std::vector<fs::path> ticked;
    for (int row : {2, 5, 12, 20, 24}) {
        work.files(4).setItemChecked(row, true);
        ticked.push_back(work.files(4).at(row).path);
    }
    const TempTree::Snapshot before = tree.snapshot();
    QVERIFY(work.clean());
    QCOMPARE(tree.changesSince(before), tree.removedLines(ticked));
    QVERIFY(view.agrees());
    QCOMPARE(work.files(4).rows(), 20);
    QCOMPARE(view.count(), 10);
    proxy->setMaxRows(100);
    QVERIFY(view.agrees());
    QCOMPARE(view.count(), 20);
}

QTEST_MAIN(tst_ChatModels)
#include "tst_ChatModels.moc"
