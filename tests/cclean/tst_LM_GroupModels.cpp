#include "FolderItem.h"
#include "Group.h"
#include "LM_GroupModel.h"
#include "LM_GroupsModel.h"
#include "TestWork.h"
#include "WorkBroker.h"

#include <QAbstractItemModelTester>
#include <QtTest>

class tst_LM_GroupModels : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void groupsRolesAndRepeatedIds();
    void emptyGroupIdThrows();
    void itemRoles();
    void sizeText_data();
    void sizeText();
    void tickMovesSelectedBytes();
    void tickOutOfRange();
    void setDataTicksLikeTheTickBox();
    void foundBytesAreCoalesced();
    void resetSizesTellsTheViews();
};

namespace {

// A work with one group of two tiles; its model is what the tests use.
TestWork* MakeWork() {
    return new TestWork(QJsonDocument(
        QJsonArray{TestWork::group("g", "组",
                                   {TestWork::item("C:\\Windows\\Temp", true, "系统临时文件"),
                                    TestWork::item("%TEMP%", false, "用户临时文件")})}));
}

LM_GroupModel* FirstModel(Work_CClean* work) {
    return work->groupsModel()->groups().at(0)->model;
}

} // namespace

void tst_LM_GroupModels::initTestCase() {
    qputenv("TEMP", "C:\\Users\\测试\\AppData\\Local\\Temp");
}

void tst_LM_GroupModels::groupsRolesAndRepeatedIds() {
    LM_GroupsModel groups;
    QAbstractItemModelTester tester(&groups,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&groups, &QAbstractItemModel::rowsInserted);
    auto* first = new LM_GroupModel(nullptr);
    auto* second = new LM_GroupModel(nullptr);
    groups.addGroup("group2", "应用程序", "", first);
    groups.addGroup("group2", "Windows系列", "", second);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(groups.rowCount(), 2);
    const QHash<int, QByteArray> names = groups.roleNames();
    QCOMPARE(names.value(257), QByteArray("groupID"));
    QCOMPARE(names.value(258), QByteArray("groupTitle"));
    QCOMPARE(names.value(259), QByteArray("groupSize"));
    QCOMPARE(names.value(260), QByteArray("groupListModel"));
    QCOMPARE(groups.data(groups.index(1), 257).toString(), QStringLiteral("group2"));
    QCOMPARE(groups.data(groups.index(1), 258).toString(), QStringLiteral("Windows系列"));
    QCOMPARE(groups.data(groups.index(1), 259).toString(), QString());
    QCOMPARE(groups.data(groups.index(0), 260).value<LM_GroupModel*>(), first);
    QCOMPARE(groups.data(groups.index(1), 260).value<LM_GroupModel*>(), second);
    QVERIFY(!groups.data(groups.index(0), Qt::DisplayRole).isValid());
    QVERIFY(!groups.data(groups.index(2), 257).isValid());
}

void tst_LM_GroupModels::emptyGroupIdThrows() {
    LM_GroupsModel groups;
    LM_GroupModel model(nullptr);
    QString message;
    try {
        groups.addGroup("", "t", "", &model);
    } catch (const char* text) {
        message = QString::fromUtf8(text);
    }
    QCOMPARE(message, QStringLiteral("groupID can't be empty string!"));
    QCOMPARE(groups.rowCount(), 0);

    // The work refuses a rule file with such a group the same way.
    message.clear();
    try {
        TestWork work(QJsonDocument(QJsonArray{TestWork::group("", "t", {})}));
    } catch (const char* text) {
        message = QString::fromUtf8(text);
    }
    QCOMPARE(message, QStringLiteral("groupID can't be empty string!"));
}

void tst_LM_GroupModels::itemRoles() {
    TestWork* work = MakeWork();
    LM_GroupModel* model = FirstModel(work);
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QHash<int, QByteArray> names = model->roleNames();
    QCOMPARE(names.value(257), QByteArray("folderIcon"));
    QCOMPARE(names.value(258), QByteArray("folderChecked"));
    QCOMPARE(names.value(259), QByteArray("folderName"));
    QCOMPARE(names.value(260), QByteArray("folderSize"));
    QCOMPARE(names.value(261), QByteArray("path"));
    QCOMPARE(model->data(model->index(0), 257).toString(),
             QStringLiteral("qrc:/Icons/resources/icon/100.png"));
    QCOMPARE(model->data(model->index(0), 258).toBool(), true);
    QCOMPARE(model->data(model->index(1), 258).toBool(), false);
    QCOMPARE(model->data(model->index(0), 259).toString(), QStringLiteral("系统临时文件"));
    QCOMPARE(model->data(model->index(0), 260).toString(), QStringLiteral("0.00KB"));
    QCOMPARE(model->data(model->index(0), 261).toString(), QStringLiteral("C:\\Windows\\Temp"));
    QCOMPARE(model->data(model->index(1), 261).toString(),
             QStringLiteral("C:\\Users\\测试\\AppData\\Local\\Temp"));
    QVERIFY(!model->data(model->index(0), 262).isValid());
    QVERIFY(!model->data(model->index(2), 257).isValid());
    QVERIFY(!model->data(QModelIndex(), 257).isValid());
}

void tst_LM_GroupModels::sizeText_data() {
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("nothing") << quint64(0) << "0.00KB";
    QTest::newRow("one byte") << quint64(1) << "0.00KB";
    QTest::newRow("exactly 1 MiB") << quint64(1048576) << "1024.00KB";
    QTest::newRow("1.5 MiB") << quint64(1572864) << "1.50MB";
    QTest::newRow("exactly 1 GiB") << quint64(1073741824) << "1024.00MB";
    QTest::newRow("3 GiB") << quint64(3221225472ULL) << "3.00GB";
}

void tst_LM_GroupModels::sizeText() {
    QFETCH(quint64, bytes);
    QFETCH(QString, shown);
    LM_GroupModel model(nullptr);
    model.addItem("", false, "n", "0KB", "C:\\x");
    model.items().at(0)->size = bytes;
    QCOMPARE(model.data(model.index(0), LM_GroupModel::FolderSizeRole).toString(), shown);
}

void tst_LM_GroupModels::tickMovesSelectedBytes() {
    TestWork* work = MakeWork();
    LM_GroupModel* model = FirstModel(work);
    model->items().at(0)->size = 1 << 20;
    work->selectedSize = 5000;
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    QSignalSpy brokerTold(workBroker, &WorkBroker::OnCCleanFolderCheckedChanged);

    model->setChecked(0, false);
    // Exactly 1 MiB less; the unsigned counter wraps like the one of the window.
    QCOMPARE(work->selectedSize.load() + (1 << 20), quint64(5000));
    QCOMPARE(brokerTold.count(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(),
             QVector<int>({LM_GroupModel::FolderCheckedRole}));
    QCOMPARE(model->data(model->index(0), 258).toBool(), false);

    model->setChecked(0, true);
    QCOMPARE(work->selectedSize.load(), quint64(5000));
    model->setChecked(0, true); // already ticked: nothing moves
    QCOMPARE(work->selectedSize.load(), quint64(5000));
    QCOMPARE(brokerTold.count(), 2);
}

void tst_LM_GroupModels::tickOutOfRange() {
    TestWork* work = MakeWork();
    LM_GroupModel* model = FirstModel(work);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    model->setChecked(-1, false);
    model->setChecked(2, true);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(work->selectedSize.load(), quint64(0));
}

void tst_LM_GroupModels::setDataTicksLikeTheTickBox() {
    TestWork* work = MakeWork();
    LM_GroupModel* model = FirstModel(work);
    model->items().at(1)->size = 300;
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    QVERIFY(model->setData(model->index(1), true, LM_GroupModel::FolderCheckedRole));
    QCOMPARE(work->selectedSize.load(), quint64(300));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!model->setData(model->index(1), true, LM_GroupModel::FolderCheckedRole));
    QVERIFY(!model->setData(model->index(1), false, LM_GroupModel::FolderNameRole));
    QCOMPARE(work->selectedSize.load(), quint64(300));
}

void tst_LM_GroupModels::foundBytesAreCoalesced() {
    TestWork* work = MakeWork();
    LM_GroupModel* model = FirstModel(work);
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    // The first tile is ticked by its rule, the second is not.
    QVERIFY(model->addFound(0, 1000));
    QVERIFY(!model->addFound(1, 24));
    QVERIFY(model->addFound(0, 48));
    QVERIFY(!model->addFound(2, 1)); // no such row: nothing counts
    // The values are there at once; the views hear of them once, shortly after.
    QCOMPARE(model->data(model->index(0), 260).toString(), QStringLiteral("1.02KB"));
    QCOMPARE(changed.count(), 0);
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
    QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 1);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(),
             QVector<int>({LM_GroupModel::FolderSizeRole}));
    // A flush announces at once what is pending, and nothing when nothing is.
    model->addFound(1, 1);
    model->flushChanges();
    QCOMPARE(changed.count(), 2);
    model->flushChanges();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(model->data(model->index(1), 260).toString(), QStringLiteral("0.02KB"));
}

void tst_LM_GroupModels::resetSizesTellsTheViews() {
    TestWork* work = MakeWork();
    LM_GroupsModel* groups = work->groupsModel();
    LM_GroupModel* model = FirstModel(work);
    model->items().at(0)->size = 4096;
    groups->groups().at(0)->sizeText = "9MB";
    QSignalSpy itemsChanged(model, &QAbstractItemModel::dataChanged);
    QSignalSpy groupsChanged(groups, &QAbstractItemModel::dataChanged);

    groups->resetSizes();
    QCOMPARE(model->data(model->index(0), 260).toString(), QStringLiteral("0.00KB"));
    QCOMPARE(groups->data(groups->index(0), 259).toString(), QString());
    QCOMPARE(itemsChanged.count(), 1);
    QCOMPARE(itemsChanged.at(0).at(0).toModelIndex().row(), 0);
    QCOMPARE(itemsChanged.at(0).at(1).toModelIndex().row(), 1);
    QCOMPARE(itemsChanged.at(0).at(2).value<QVector<int>>(),
             QVector<int>({LM_GroupModel::FolderSizeRole}));
    QCOMPARE(groupsChanged.count(), 1);
}

QTEST_MAIN(tst_LM_GroupModels)
#include "tst_LM_GroupModels.moc"
