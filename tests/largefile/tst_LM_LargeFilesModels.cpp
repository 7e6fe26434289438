// The category list and its file lists: categories from the rules, roles, and the ticked
// bytes through row ticks, category boxes and removals, with every change announced.
#include "DriveFixture.h"
#include "LM_LargeFilesItemModel.h"
#include "LM_LargeFilesModel.h"
#include "RowLimitProxyModel.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {

constexpr std::uint64_t MiB = 1024 * 1024;

FileRow Row(const char* path, std::uint64_t size, bool checked) {
    FileRow row;
    row.path = std::filesystem::path(path);
    row.size = size;
    row.checked = checked;
    return row;
}

// The two models with testers on every list and proxy, and the ticked bytes they report,
// in all and those the user's ticks changed.
struct Fixture {
    explicit Fixture(const QJsonDocument& rules)
        : model(rules, [this](std::int64_t delta, FileListModel::Cause cause) {
              selected += delta;
              byUser += cause == FileListModel::Cause::User ? delta : 0;
          }) {
        testers.push_back(std::make_unique<QAbstractItemModelTester>(&model));
        for (const LargeFileGroup& group : model.groups()) {
            testers.push_back(std::make_unique<QAbstractItemModelTester>(group.files));
            testers.push_back(std::make_unique<QAbstractItemModelTester>(group.proxy));
        }
    }
    QString size(int row) const {
        return model.data(model.index(row), LM_LargeFilesModel::SizeRole).toString();
    }
    LM_LargeFilesItemModel* files(int row) const {
        return model.groups().at(static_cast<std::size_t>(row)).files;
    }

    std::int64_t selected = 0;
    std::int64_t byUser = 0;
    LM_LargeFilesModel model;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

QJsonDocument TwoCategories() {
    return QJsonDocument(QJsonArray{QJsonObject{{"id", "3"},
                                                {"ext", QJsonArray{"zip", "rar"}},
                                                {"description", "压缩包"},
                                                {"checked", true}},
                                    QJsonObject{{"id", "4"},
                                                {"ext", QJsonArray{"exe"}},
                                                {"description", "安装包"},
                                                {"checked", false}}});
}

} // namespace

class tst_LM_LargeFilesModels : public QObject {
    Q_OBJECT
private slots:
    void categoriesFromRules_data();
    void categoriesFromRules();
    void roles();
    void ticksRowsAndCategoryBoxes();
    void sizeIsWhatTheScanFound();
};

void tst_LM_LargeFilesModels::categoriesFromRules_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("expected"); // id|title|checked|sorted extensions
    QTest::newRow("office documents")
        << QByteArray(R"([{"id":"2","ext":["doc","docx","xls"],"description":"办公文档",
                          "checked":false}])")
        << QStringList{"2|办公文档|0|.doc,.docx,.xls"};
    QTest::newRow("upper case and repeats")
        << QByteArray(R"([{"id":"3","ext":["ZIP","zip","Rar"],"description":"压缩包",
                          "checked":true}])")
        << QStringList{"3|压缩包|1|.rar,.zip"};
    QTest::newRow("entries that are not objects are skipped")
        << QByteArray(R"([1,"x",{"id":"5","ext":["mp4"],"description":"视频","checked":true}])")
        << QStringList{"5|视频|1|.mp4"};
    QTest::newRow("missing keys") << QByteArray(R"([{}])") << QStringList{"||0|"};
    QTest::newRow("not an array") << QByteArray(R"({"id":"1"})") << QStringList{};
}

void tst_LM_LargeFilesModels::categoriesFromRules() {
    QFETCH(QByteArray, json);
    QFETCH(QStringList, expected);
    Fixture fixture(QJsonDocument::fromJson(json));
    QStringList seen;
    for (const LargeFileGroup& group : fixture.model.groups()) {
        QStringList extensions = group.extensions.values();
        extensions.sort();
        seen << QStringList{group.id, group.title, QString::number(group.checked),
                            extensions.join(',')}
                    .join('|');
        QCOMPARE(group.proxy->sourceModel(), group.files);
        QCOMPARE(group.proxy->maxRows(), 10);
    }
    QCOMPARE(seen, expected);
}

void tst_LM_LargeFilesModels::roles() {
    Fixture fixture(TwoCategories());
    LM_LargeFilesModel& model = fixture.model;
    QCOMPARE(model.roleNames(), (QHash<int, QByteArray>{{257, "ID"},
                                                        {258, "ext"},
                                                        {259, "title"},
                                                        {260, "size"},
                                                        {261, "checked"},
                                                        {262, "files"}}));
    const QModelIndex first = model.index(0);
    QCOMPARE(model.data(first, 257).toString(), QStringLiteral("3"));
    QVERIFY(!model.data(first, 258).isValid());
    QCOMPARE(model.data(first, 259).toString(), QStringLiteral("压缩包"));
    QCOMPARE(model.data(first, 260).toString(), QStringLiteral("0.00KB"));
    QCOMPARE(model.data(first, 261).toBool(), true);
    QCOMPARE(model.data(first, 262).value<QObject*>(), model.groups().at(0).proxy);

    LM_LargeFilesItemModel* files = fixture.files(0);
    QCOMPARE(
        files->roleNames(),
        (QHash<int, QByteArray>{
            {257, "path"}, {258, "size"}, {259, "checked"}, {260, "share"}, {261, "groupID"}}));
    // Shown as the Windows path of the mapped drive.
    DriveFixture tree;
    FileRow row = Row("", 40 * MiB, true);
    row.path = tree.c("data/备份.zip");
    row.tag = QStringLiteral("3");
    files->append({row});
    const QModelIndex file = files->index(0);
    QCOMPARE(files->data(file, 257).toString(), QStringLiteral("C:\\data\\备份.zip"));
    QCOMPARE(files->data(file, 258).toString(), QStringLiteral("40.00MB"));
    QCOMPARE(files->data(file, 259).toBool(), true);
    QCOMPARE(files->data(file, 260).toString(), QString());
    QCOMPARE(files->data(file, 261).toString(), QStringLiteral("3"));
    QCOMPARE(files->data(file, LM_LargeFilesItemModel::GroupIdRole).toString(),
             QStringLiteral("3"));
    // Nothing is hidden here: there is no visibility role.
    QVERIFY(!files->data(file, 262).isValid());
    QCOMPARE(files->getRoleNames().size(), 5);
}

void tst_LM_LargeFilesModels::ticksRowsAndCategoryBoxes() {
    Fixture fixture(TwoCategories());
    LM_LargeFilesModel& model = fixture.model;
    LM_LargeFilesItemModel* archives = fixture.files(0);
    archives->append({Row("/a/x.zip", 40 * MiB, true), Row("/a/y.rar", 50 * MiB, true)});
    fixture.files(1)->append({Row("/a/setup.exe", 100 * MiB, false)});
    QCOMPARE(fixture.selected, std::int64_t(90 * MiB));
    // Rows a scan delivers are no tick of the user's.
    QCOMPARE(fixture.byUser, std::int64_t(0));
    QSignalSpy rowChanged(archives, &QAbstractItemModel::dataChanged);
    QSignalSpy categoryChanged(&model, &QAbstractItemModel::dataChanged);

    // A row ticked again changes nothing; unticked, its bytes go.
    QVERIFY(!archives->setData(archives->index(0), true, LM_LargeFilesItemModel::CheckedRole));
    QCOMPARE(fixture.selected, std::int64_t(90 * MiB));
    QVERIFY(archives->setData(archives->index(0), false, LM_LargeFilesItemModel::CheckedRole));
    QCOMPARE(fixture.selected, std::int64_t(50 * MiB));
    QCOMPARE(rowChanged.count(), 1);

    // The category's flag alone moves no bytes.
    QVERIFY(model.setData(model.index(0), false, LM_LargeFilesModel::CheckedRole));
    QCOMPARE(fixture.selected, std::int64_t(50 * MiB));
    QCOMPARE(model.data(model.index(0), LM_LargeFilesModel::CheckedRole).toBool(), false);
    QCOMPARE(categoryChanged.count(), 1);

    // The category's box ticks every file and shows what was clicked.
    model.setCheckedToChildren(0, true);
    QCOMPARE(fixture.selected, std::int64_t(90 * MiB));
    QCOMPARE(archives->checkedCount(), 2);
    QCOMPARE(model.data(model.index(0), LM_LargeFilesModel::CheckedRole).toBool(), true);
    model.setCheckedToChildren(1, true);
    QCOMPARE(fixture.selected, std::int64_t(190 * MiB));
    model.setCheckedToChildren(0, false);
    QCOMPARE(fixture.selected, std::int64_t(100 * MiB));
    QCOMPARE(model.checkedCount(), 1);

    // Through the proxy, as the page ticks a row.
    RowLimitProxyModel* proxy = model.groups().at(0).proxy;
    QVERIFY(proxy->setData(proxy->index(1, 0), true, LM_LargeFilesItemModel::CheckedRole));
    QCOMPARE(fixture.selected, std::int64_t(150 * MiB));
    QCOMPARE(fixture.byUser, std::int64_t(60 * MiB));

    // A ticked file that leaves the list takes its bytes along; an unticked one none.
    QCOMPARE(archives->remove({archives->at(1).id, archives->at(0).id}), std::uint64_t(90 * MiB));
    QCOMPARE(fixture.selected, std::int64_t(100 * MiB));
    model.clearGroupFiles();
    QCOMPARE(fixture.selected, std::int64_t(0));
    QCOMPARE(model.checkedCount(), 0);
    // Removals and clearing are the work's.
    QCOMPARE(fixture.byUser, std::int64_t(60 * MiB));
}

void tst_LM_LargeFilesModels::sizeIsWhatTheScanFound() {
    Fixture fixture(TwoCategories());
    LM_LargeFilesModel& model = fixture.model;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    LM_LargeFilesItemModel* archives = fixture.files(0);

    std::vector<FileRow> batch;
    for (int i = 0; i < 25; ++i)
        batch.push_back(Row("/a/x.zip", 40 * MiB, false));
    model.addFound(0, batch);
    // One refresh for the whole batch, of the size alone, of that category alone.
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(), QVector<int>{LM_LargeFilesModel::SizeRole});
    QCOMPARE(fixture.size(0), QStringLiteral("1000.00MB"));
    QCOMPARE(model.groups().at(0).proxy->rowCount(), 10);

    // A moved file leaves the list; the title still tells what the scan found.
    archives->remove({archives->at(0).id});
    QCOMPARE(fixture.size(0), QStringLiteral("1000.00MB"));
    QCOMPARE(model.groups().at(0).proxy->rowCount(), 10);
    model.groups().at(0).proxy->setMaxRows(30);
    // Every file moved: the list is empty, the title unchanged.
    std::vector<std::uint64_t> all;
    for (int row = 0; row < archives->rows(); ++row)
        all.push_back(archives->at(row).id);
    archives->remove(all);
    QCOMPARE(archives->rows(), 0);
    QCOMPARE(fixture.size(0), QStringLiteral("1000.00MB"));
    QCOMPARE(changed.count(), 1);
    // The next scan starts from nothing, and the views hear of it though the list was
    // empty already.
    model.clearGroupFiles();
    QCOMPARE(fixture.size(0), QStringLiteral("0.00KB"));
    QCOMPARE(model.groups().at(0).proxy->maxRows(), 10);
    QCOMPARE(changed.count(), 2);
    const QModelIndex from = changed.at(1).at(0).toModelIndex();
    const QModelIndex to = changed.at(1).at(1).toModelIndex();
    QVERIFY(from.row() <= 0 && to.row() >= 0);
    QVERIFY(changed.at(1).at(2).value<QVector<int>>().contains(LM_LargeFilesModel::SizeRole));
}

QTEST_MAIN(tst_LM_LargeFilesModels)
#include "tst_LM_LargeFilesModels.moc"
