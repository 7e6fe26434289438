#include "LM_SoftWareInfoModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

// The program list: roles, batched rows, ticks, the search filter and the date orders.
class tst_LM_SoftWareInfoModel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void rolesOfARow();
    void batchIsOneInsertion();
    void ticks();
    void removeByIdentity();
    void filter_data();
    void filter();
    void newRowsFollowTheFilter();
    void sortOrders();

private:
    // name, then the date as yyyyMMdd or anything invalid
    void addRows(const QList<QPair<QString, QString>>& rows);
    QStringList names() const;
    QStringList visibleNames() const;

    std::unique_ptr<LM_SoftWareInfoModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

void tst_LM_SoftWareInfoModel::init() {
    tester.reset();
    model = std::make_unique<LM_SoftWareInfoModel>();
    tester = std::make_unique<QAbstractItemModelTester>(
        model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void tst_LM_SoftWareInfoModel::addRows(const QList<QPair<QString, QString>>& rows) {
    std::vector<TSoftwareInfo> records;
    for (const auto& row : rows) {
        TSoftwareInfo record;
        record.softName = row.first;
        record.installDate = QDate::fromString(row.second, "yyyyMMdd");
        record.uninstString = "C:\\" + row.first + "\\uninst.exe";
        records.push_back(record);
    }
    model->appendRecords(std::move(records));
}

QStringList tst_LM_SoftWareInfoModel::names() const {
    QStringList list;
    for (const TSoftwareInfo& record : model->records())
        list << record.softName;
    return list;
}

QStringList tst_LM_SoftWareInfoModel::visibleNames() const {
    QStringList list;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row);
        if (model->data(index, LM_SoftWareInfoModel::VisibleRole).toBool())
            list << model->data(index, LM_SoftWareInfoModel::SoftNameRole).toString();
    }
    return list;
}

void tst_LM_SoftWareInfoModel::rolesOfARow() {
    TSoftwareInfo record;
    record.iconPath = "C:\\App\\app.exe,0";
    record.softName = "墨池笔记";
    record.size = 3 * 1024 * 1024 + 512 * 1024;
    record.isIcon = false;
    record.installDate = QDate(2023, 1, 15);
    record.uninstString = "\"C:\\App\\uninst.exe\" /S";
    TSoftwareInfo undated;
    undated.softName = "无日期";
    model->appendRecords({record, undated});

    const QHash<int, QByteArray> names = model->roleNames();
    const QByteArrayList expected = {"iconPath", "softName",    "size",         "checked",
                                     "isIcon",   "installDate", "uninstString", "visible"};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(names.value(Qt::UserRole + 1 + i), expected.at(i));

    const QModelIndex first = model->index(0);
    QCOMPARE(model->data(first, 257).toString(), record.iconPath);
    QCOMPARE(model->data(first, 258).toString(), record.softName);
    QCOMPARE(model->data(first, 259).toString(), QStringLiteral("3.50MB"));
    QCOMPARE(model->data(first, 260).toBool(), false);
    QCOMPARE(model->data(first, 261).toBool(), false);
    QCOMPARE(model->data(first, 262).toString(), QStringLiteral("2023/01/15"));
    QCOMPARE(model->data(first, 263).toString(), record.uninstString);
    QCOMPARE(model->data(first, 264).toBool(), true);
    QCOMPARE(model->data(model->index(1), 262).toString(), QString());
    QCOMPARE(model->data(model->index(1), 259).toString(), QStringLiteral("0.00KB"));
    QVERIFY(!model->data(first, Qt::DisplayRole).isValid());
    QVERIFY(!model->data(model->index(2), 258).isValid());
}

void tst_LM_SoftWareInfoModel::batchIsOneInsertion() {
    QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
    addRows({{"a", ""}, {"b", ""}, {"c", ""}});
    addRows({});
    addRows({{"d", ""}});
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(inserted.at(0).at(1).toInt(), 0);
    QCOMPARE(inserted.at(0).at(2).toInt(), 2);
    QCOMPARE(inserted.at(1).at(1).toInt(), 3);
    // Every record got an id of its own.
    QSet<quint64> ids;
    for (const TSoftwareInfo& record : model->records())
        ids.insert(record.id);
    QCOMPARE(ids.size(), 4);
    QVERIFY(!ids.contains(0));
}

void tst_LM_SoftWareInfoModel::ticks() {
    addRows({{"a", ""}, {"b", ""}, {"c", ""}});
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    QVERIFY(model->setData(model->index(2), true, LM_SoftWareInfoModel::CheckedRole));
    QVERIFY(!model->setData(model->index(2), true, LM_SoftWareInfoModel::CheckedRole));
    QVERIFY(!model->setData(model->index(1), "x", LM_SoftWareInfoModel::SoftNameRole));
    model->setChecked(0, true);
    model->setItemChecked(7, true);
    model->setChecked(-1, true);
    QCOMPARE(changed.count(), 2);
    for (const auto& signal : changed)
        QCOMPARE(signal.at(2).value<QVector<int>>(),
                 QVector<int>{LM_SoftWareInfoModel::CheckedRole});
    QCOMPARE(model->data(model->index(2), LM_SoftWareInfoModel::CheckedRole).toBool(), true);

    int count = 0, checked = 0;
    QString size;
    model->collectTotals(count, size, checked);
    QCOMPARE(count, 3);
    QCOMPARE(checked, 2);

    // Handed on in row order, and unticked.
    const auto taken = model->takeChecked();
    QCOMPARE(int(taken.size()), 2);
    QCOMPARE(taken.at(0).uninstString, QStringLiteral("C:\\a\\uninst.exe"));
    QCOMPARE(taken.at(1).uninstString, QStringLiteral("C:\\c\\uninst.exe"));
    QCOMPARE(taken.at(1).id, model->records().at(2).id);
    model->collectTotals(count, size, checked);
    QCOMPARE(checked, 0);
}

void tst_LM_SoftWareInfoModel::removeByIdentity() {
    addRows({{"a", ""}, {"b", ""}, {"c", ""}});
    const quint64 b = model->records().at(1).id;
    QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
    model->RemoveItem(b);
    model->RemoveItem(b);
    model->RemoveItem(0);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).toInt(), 1);
    QCOMPARE(names(), QStringList({"a", "c"}));
    QCOMPARE(model->rowOf(b), -1);
}

void tst_LM_SoftWareInfoModel::filter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("visible");
    QTest::newRow("lower case finds mixed case")
        << "office" << QStringList{"Microsoft Office", "OfficeSuite"};
    QTest::newRow("upper case") << "OFFICE" << QStringList{"Microsoft Office", "OfficeSuite"};
    QTest::newRow("Chinese") << "输入" << QStringList{"晴空输入法"};
    QTest::newRow("middle of a name") << "soft" << QStringList{"Microsoft Office"};
    QTest::newRow("nothing matches") << "zzz" << QStringList{};
    QTest::newRow("cleared: all again")
        << "" << QStringList{"Microsoft Office", "晴空输入法", "OfficeSuite", "Lumen Player"};
}

void tst_LM_SoftWareInfoModel::filter() {
    QFETCH(QString, text);
    QFETCH(QStringList, visible);
    addRows(
        {{"Microsoft Office", ""}, {"晴空输入法", ""}, {"OfficeSuite", ""}, {"Lumen Player", ""}});
    model->setFilterString("player");
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
    QSignalSpy filterChanged(model.get(), &LM_SoftWareInfoModel::filterStringChanged);

    model->setProperty("filterString", text);
    QCOMPARE(visibleNames(), visible);
    QCOMPARE(model->rowCount(), 4); // hidden rows stay
    QCOMPARE(names(),
             QStringList({"Microsoft Office", "晴空输入法", "OfficeSuite", "Lumen Player"}));
    QCOMPARE(filterChanged.count(), 1);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(),
             QVector<int>{LM_SoftWareInfoModel::VisibleRole});
    // The same text again changes nothing.
    model->setFilterString(text);
    QCOMPARE(filterChanged.count(), 1);
}

void tst_LM_SoftWareInfoModel::newRowsFollowTheFilter() {
    model->setFilterString("office");
    addRows({{"Microsoft Office", ""}, {"Lumen Player", ""}});
    QCOMPARE(visibleNames(), QStringList({"Microsoft Office"}));
    model->clear();
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(model->getFilterString(), QStringLiteral("office"));
}

void tst_LM_SoftWareInfoModel::sortOrders() {
    // Two pairs of equal dates and two rows without a valid date, in a known order.
    addRows({{"a", "20230115"},
             {"b", "2023-01-15"},
             {"c", "20190101"},
             {"d", "20230115"},
             {"e", ""},
             {"f", "20240520"}});
    const quint64 c = model->records().at(2).id;
    QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);

    model->SortAscendingFirst();
    const QStringList ascending{"b", "e", "c", "a", "d", "f"};
    QCOMPARE(names(), ascending);
    model->SortDescending();
    QCOMPARE(names(), QStringList({"f", "a", "d", "c", "b", "e"}));
    model->SortAscending();
    QCOMPARE(names(), ascending);
    QCOMPARE(reset.count(), 3);
    // Rows keep their identity through a sort.
    QCOMPARE(model->rowOf(c), 2);

    LM_SoftWareInfoModel empty;
    QSignalSpy emptyReset(&empty, &QAbstractItemModel::modelReset);
    empty.SortDescending();
    QCOMPARE(emptyReset.count(), 0);
}

QTEST_GUILESS_MAIN(tst_LM_SoftWareInfoModel)
#include "tst_LM_SoftWareInfoModel.moc"
