#include "LM_PrivacyFolderModel.h"
#include "LM_PrivacyGroupData.h"
#include "TPrivacyGroup.h"
#include "TPrivacyItem.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace {
using Tester = QAbstractItemModelTester;

// The items of the shipped first group, in short: two with an id, two without.
void AddItems(LM_PrivacyFolderModel& model) {
    model.addItem("001", "qrc:/Icons/resources/icon/100.png", true, "Win+R运行痕迹", 0,
                  "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU");
    model.addItem("002", "qrc:/Icons/resources/icon/101.png", true, "开始菜单最近运行程序", 0,
                  "C:\\Users\\张三\\AppData\\Roaming\\Microsoft\\Windows\\Recent");
    model.addItem("", "qrc:/Icons/resources/icon/102.png", false, "最近访问的文件", 0, " ");
    model.addItem("", "qrc:/Icons/resources/icon/103.png", false, "文件扩展名记录", 0, " ");
}

QStringList CountsShown(const LM_PrivacyFolderModel& model) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.data(model.index(row), LM_PrivacyFolderModel::FolderSizeRole).toString();
    return texts;
}
} // namespace

class tst_LM_PrivacyModels : public QObject {
    Q_OBJECT
private slots:
    void groupsRolesAndRepeatedIds();
    void emptyGroupIdThrows();
    void itemRoles();
    void countText_data();
    void countText();
    void tickClicksEachTellOnce();
    void updateById_data();
    void updateById();
    void resetCountsTellsTheViews();
};

void tst_LM_PrivacyModels::groupsRolesAndRepeatedIds() {
    LM_PrivacyGroupData groups;
    Tester tester(&groups, Tester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&groups, &QAbstractItemModel::rowsInserted);
    auto* first = new LM_PrivacyFolderModel;
    groups.addGroup("group0", "Windows运行痕迹", "", first);
    groups.addGroup("group0", "浏览器记录", "", new LM_PrivacyFolderModel);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(groups.rowCount(), 2);
    QCOMPARE(
        groups.roleNames(),
        (QHash<int, QByteArray>{
            {257, "groupID"}, {258, "groupTitle"}, {259, "groupSize"}, {260, "groupListModel"}}));
    const QModelIndex row0 = groups.index(0);
    QCOMPARE(groups.data(row0, 257).toString(), QStringLiteral("group0"));
    QCOMPARE(groups.data(groups.index(1), 258).toString(), QStringLiteral("浏览器记录"));
    QCOMPARE(groups.data(row0, 259).toString(), QString());
    QCOMPARE(groups.data(row0, 260).value<LM_PrivacyFolderModel*>(), first);
    QVERIFY(!groups.data(QModelIndex(), 257).isValid());
}

void tst_LM_PrivacyModels::emptyGroupIdThrows() {
    LM_PrivacyGroupData groups;
    LM_PrivacyFolderModel items;
    bool thrown = false;
    try {
        groups.addGroup("", "无名", "", &items);
    } catch (const char* what) {
        thrown = QByteArray(what) == "groupID can't be empty string!";
    }
    QVERIFY(thrown);
    QCOMPARE(groups.rowCount(), 0);
}

void tst_LM_PrivacyModels::itemRoles() {
    LM_PrivacyFolderModel model;
    Tester tester(&model, Tester::FailureReportingMode::QtTest);
    AddItems(model);
    QCOMPARE(model.roleNames(), (QHash<int, QByteArray>{{257, "folderID"},
                                                        {258, "folderIcon"},
                                                        {259, "folderChecked"},
                                                        {260, "folderName"},
                                                        {261, "folderSize"},
                                                        {262, "path"}}));
    const QModelIndex recent = model.index(1);
    QCOMPARE(model.data(recent, 257).toString(), QStringLiteral("002"));
    QCOMPARE(model.data(recent, 258).toString(),
             QStringLiteral("qrc:/Icons/resources/icon/101.png"));
    QCOMPARE(model.data(recent, 259).toBool(), true);
    QCOMPARE(model.data(recent, 260).toString(), QStringLiteral("开始菜单最近运行程序"));
    QCOMPARE(model.data(recent, 262).toString(),
             QStringLiteral("C:\\Users\\张三\\AppData\\Roaming\\Microsoft\\Windows\\Recent"));
    QVERIFY(!model.data(recent, Qt::DisplayRole).isValid());
    // Never scanned: 0 records.
    QCOMPARE(CountsShown(model), QStringList({"0条", "0条", "0条", "0条"}));
}

void tst_LM_PrivacyModels::countText_data() {
    QTest::addColumn<uint>("count");
    QTest::addColumn<QString>("shown");
    QTest::newRow("none") << 0u << "0条";
    QTest::newRow("twelve") << 12u << "12条";
    QTest::newRow("largest") << 4294967295u << "4294967295条";
}

void tst_LM_PrivacyModels::countText() {
    QFETCH(uint, count);
    QFETCH(QString, shown);
    LM_PrivacyFolderModel model;
    AddItems(model);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setCount(1, count));
    QCOMPARE(model.data(model.index(1), LM_PrivacyFolderModel::FolderSizeRole).toString(), shown);
    // A list model has one column: the count is stored and told all the same.
    QCOMPARE(changed.count(), count == 0 ? 0 : 1);
    if (count != 0)
        QCOMPARE(changed.at(0).at(2).value<QVector<int>>(),
                 QVector<int>({LM_PrivacyFolderModel::FolderSizeRole}));
    QVERIFY(!model.setCount(4, count));
}

void tst_LM_PrivacyModels::tickClicksEachTellOnce() {
    LM_PrivacyFolderModel model;
    Tester tester(&model, Tester::FailureReportingMode::QtTest);
    AddItems(model);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setChecked(0, false);
    model.setChecked(0, true);
    QCOMPARE(changed.count(), 2);
    for (const QList<QVariant>& args : changed) {
        QCOMPARE(args.at(0).toModelIndex().row(), 0);
        QCOMPARE(args.at(2).value<QVector<int>>(),
                 QVector<int>({LM_PrivacyFolderModel::FolderCheckedRole}));
    }
    QCOMPARE(model.data(model.index(0), LM_PrivacyFolderModel::FolderCheckedRole).toBool(), true);

    // No change, no news; outside the rows nothing happens.
    model.setChecked(0, true);
    model.setChecked(-1, false);
    model.setChecked(4, false);
    QCOMPARE(changed.count(), 2);
    // setData ticks like the tick box, for the checked role only.
    QVERIFY(model.setData(model.index(2), true));
    QVERIFY(!model.setData(model.index(3), true, LM_PrivacyFolderModel::FolderNameRole));
    QVERIFY(!model.setData(model.index(2), true));
    QCOMPARE(model.items().at(2)->checked, true);
    QCOMPARE(model.items().at(3)->checked, false);
}

void tst_LM_PrivacyModels::updateById_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("Run history") << "001" << QStringList({"12条", "0条", "0条", "0条"});
    QTest::newRow("unknown id") << "999" << QStringList({"0条", "0条", "0条", "0条"});
    QTest::newRow("empty id: the last item without one")
        << "" << QStringList({"0条", "0条", "0条", "12条"});
}

void tst_LM_PrivacyModels::updateById() {
    QFETCH(QString, id);
    QFETCH(QStringList, shown);
    LM_PrivacyFolderModel model;
    Tester tester(&model, Tester::FailureReportingMode::QtTest);
    AddItems(model);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.updatePrivacyFolderItem(id, 12);
    QCOMPARE(CountsShown(model), shown);
    QCOMPARE(changed.count(), shown.count("12条"));
}

void tst_LM_PrivacyModels::resetCountsTellsTheViews() {
    LM_PrivacyGroupData groups;
    Tester tester(&groups, Tester::FailureReportingMode::QtTest);
    auto* items = new LM_PrivacyFolderModel;
    AddItems(*items);
    groups.addGroup("group0", "Windows运行痕迹", "", items);
    items->setCount(0, 4);
    items->setCount(1, 7);
    QSignalSpy itemsChanged(items, &QAbstractItemModel::dataChanged);
    QSignalSpy groupsChanged(&groups, &QAbstractItemModel::dataChanged);
    groups.resetCounts();
    QCOMPARE(CountsShown(*items), QStringList({"0条", "0条", "0条", "0条"}));
    QCOMPARE(itemsChanged.count(), 2);
    QCOMPARE(groupsChanged.count(), 1);
}

QTEST_MAIN(tst_LM_PrivacyModels)
#include "tst_LM_PrivacyModels.moc"
