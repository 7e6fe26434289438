// The file-list model base and the paging proxies: rows arrive and go in announced batches,
// the selected amount, count and rows always equal the ticked rows the page shows (visible,
// let through by its filter), each change is reported with who made it, and a view that only
// follows the proxy's signals always counts as many rows as the proxy has.
#include "FileListModel.h"
#include "RowLimitProxyModel.h"
#include "ShownRowsProxyModel.h"
#include "ViewRowCounter.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

namespace {

class Files : public FileListModel {
public:
    enum Roles { PathRole = Qt::UserRole + 1, SizeRole, CheckedRole, VisibleRole };
    QHash<int, QByteArray> roleNames() const override {
        return {{PathRole, "path"},
                {SizeRole, "size"},
                {CheckedRole, "checked"},
                {VisibleRole, "visible"}};
    }

protected:
    int checkedRole() const override { return CheckedRole; }
    int visibleRole() const override { return VisibleRole; }
    QVariant roleData(const FileRow& row, int role) const override {
        switch (role) {
        case PathRole:
            return QString::fromStdString(row.path.string());
        case SizeRole:
            return qulonglong(row.size);
        case CheckedRole:
            return row.checked;
        case VisibleRole:
            return row.visible;
        default:
            return {};
        }
    }
};

std::vector<FileRow> Rows(int count, std::uint64_t size, bool checked, int from = 0) {
    std::vector<FileRow> rows;
    for (int i = 0; i < count; ++i) {
        FileRow row;
        row.path = "/f/" + std::to_string(from + i);
        row.size = size;
        row.checked = checked;
        rows.push_back(row);
    }
    return rows;
}

// Whether the page shows a row: visible and not left out by the filter.
bool Shown(const FileRow& row) {
    return row.visible && !row.filteredOut;
}

// The selected amount as the page must show it: the ticked rows it shows.
std::uint64_t TickedVisible(const FileListModel& model) {
    std::uint64_t sum = 0;
    for (int row = 0; row < model.rows(); ++row)
        sum += model.at(row).checked && Shown(model.at(row)) ? model.at(row).size : 0;
    return sum;
}

// The paths of those rows, in row order.
QStringList TickedVisiblePaths(const FileListModel& model) {
    QStringList paths;
    for (int row = 0; row < model.rows(); ++row) {
        if (model.at(row).checked && Shown(model.at(row)))
            paths << QString::fromStdString(model.at(row).path.string());
    }
    return paths;
}

// A filter letting through the rows whose number ("/f/<n>") is odd.
FileListModel::RowFilter OddRows() {
    return [](const FileRow& row) { return std::stoi(row.path.filename().string()) % 2 == 1; };
}

QStringList PathsOf(const std::vector<FileRow>& rows) {
    QStringList paths;
    for (const FileRow& row : rows)
        paths << QString::fromStdString(row.path.string());
    return paths;
}

} // namespace

class tst_FileListModel : public QObject {
    Q_OBJECT
private slots:
    void batchesAreOneInsertionEach();
    void selectedFollowsTheTickedVisibleRows_data();
    void selectedFollowsTheTickedVisibleRows();
    void removeByIdentity();
    void roleNamesAndBounds();
    void proxyShowsTheFirstRows();
    void viewCountFollowsTheProxy();
    void pagesTheShownRowsOnly();
};

void tst_FileListModel::batchesAreOneInsertionEach() {
    Files files;
    QAbstractItemModelTester tester(&files, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&files, &QAbstractItemModel::rowsInserted);
    files.append(Rows(300, 10, false));
    files.append({});
    files.append(Rows(5, 10, false, 300));
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(inserted.at(1).at(1).toInt(), 300);
    QCOMPARE(inserted.at(1).at(2).toInt(), 304);
    QCOMPARE(files.rows(), 305);
    QCOMPARE(files.totalSize(), std::uint64_t(3050));
    // Ids are given in order and never repeat, in this model or another.
    Files other;
    other.append(Rows(1, 1, false));
    QVERIFY(other.at(0).id > files.at(304).id);
    for (int row = 1; row < files.rows(); ++row)
        QVERIFY(files.at(row).id > files.at(row - 1).id);
}

void tst_FileListModel::selectedFollowsTheTickedVisibleRows_data() {
    // Steps: "+N:S:t" append N rows of S bytes (t: ticked), "t<i>"/"u<i>" tick/untick row
    // i, "h<i>"/"s<i>" hide/show row i by the work, "H<i>"/"S<i>" by the page, "r<i>"
    // remove row i, "all"/"none", "clear", "fodd"/"fnone" the page shows the odd rows only
    // (rows are numbered as they arrive) or every row.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<quint64>("selected");
    QTest::newRow("arrive ticked") << QStringList{"+3:100:t"} << quint64(300);
    QTest::newRow("tick twice counts once") << QStringList{"+3:100:-", "t1", "t1"} << quint64(100);
    QTest::newRow("untick one") << QStringList{"+3:100:t", "u0"} << quint64(200);
    QTest::newRow("hidden ticked row drops out") << QStringList{"+3:100:t", "h2"} << quint64(200);
    QTest::newRow("shown again counts again")
        << QStringList{"+3:100:t", "h2", "s2"} << quint64(300);
    QTest::newRow("ticking a hidden row adds nothing")
        << QStringList{"+2:100:-", "h0", "t0"} << quint64(0);
    QTest::newRow("removed ticked row") << QStringList{"+3:100:t", "r1"} << quint64(200);
    QTest::newRow("removed unticked row") << QStringList{"+3:100:t", "u1", "r1"} << quint64(200);
    QTest::newRow("all, then one off") << QStringList{"+4:50:-", "all", "u3"} << quint64(150);
    QTest::newRow("none after all") << QStringList{"+4:50:-", "all", "all", "none"} << quint64(0);
    QTest::newRow("cleared") << QStringList{"+4:50:t", "clear"} << quint64(0);
    QTest::newRow("cleared, refilled") << QStringList{"+4:50:t", "clear", "+1:7:t"} << quint64(7);
    QTest::newRow("page hides a ticked row") << QStringList{"+3:100:t", "H0"} << quint64(200);
    QTest::newRow("page shows it again") << QStringList{"+3:100:t", "H0", "S0"} << quint64(300);
    QTest::newRow("hidden rows stay out of all")
        << QStringList{"+3:100:-", "h1", "all"} << quint64(200);
    QTest::newRow("hidden ticked row removed")
        << QStringList{"+3:100:t", "h1", "r1"} << quint64(200);
    QTest::newRow("filtered out ticked rows drop out")
        << QStringList{"+4:100:t", "fodd"} << quint64(200);
    QTest::newRow("every row again") << QStringList{"+4:100:t", "fodd", "fnone"} << quint64(400);
    QTest::newRow("rows added later are filtered")
        << QStringList{"fodd", "+5:100:t"} << quint64(200);
    QTest::newRow("the filter outlasts a clear")
        << QStringList{"+4:100:t", "fodd", "clear", "+4:10:t"} << quint64(20);
    QTest::newRow("all ticks the shown rows only")
        << QStringList{"+4:100:-", "fodd", "all", "fnone"} << quint64(200);
    QTest::newRow("none leaves the filtered rows' ticks")
        << QStringList{"+4:100:t", "fodd", "none", "fnone"} << quint64(200);
    QTest::newRow("ticking a filtered row adds nothing")
        << QStringList{"+4:100:-", "fodd", "t0", "t1"} << quint64(100);
    QTest::newRow("hidden and filtered")
        << QStringList{"+4:100:t", "h1", "fodd", "fnone"} << quint64(300);
    QTest::newRow("filtered ticked row removed")
        << QStringList{"+4:100:t", "fodd", "r0"} << quint64(200);
}

void tst_FileListModel::selectedFollowsTheTickedVisibleRows() {
    QFETCH(QStringList, steps);
    Files files;
    QAbstractItemModelTester tester(&files, QAbstractItemModelTester::FailureReportingMode::QtTest);
    // What the work's counter would hold: the sum of every reported change.
    std::int64_t reported = 0;
    // Who made the changes of one step.
    QList<FileListModel::Cause> causes;
    files.setSelectedChanged([&](std::int64_t delta, FileListModel::Cause cause) {
        reported += delta;
        causes << cause;
    });
    for (const QString& step : steps) {
        causes.clear();
        // The user ticks, and shows or hides through the page; the work does the rest.
        const bool byUser =
            step == "all" || step == "none" || QStringLiteral("tuHSf").contains(step[0]);
        if (step == "fodd" || step == "fnone") {
            files.setFilter(step == "fodd" ? OddRows() : FileListModel::RowFilter());
        } else if (step.startsWith('+')) {
            const QStringList parts = step.mid(1).split(':');
            files.append(
                Rows(parts[0].toInt(), parts[1].toULongLong(), parts[2] == "t", files.rows()));
        } else if (step == "all" || step == "none") {
            files.setAllChecked(step == "all");
        } else if (step == "clear") {
            files.clear();
        } else {
            const int row = step.mid(1).toInt();
            const std::uint64_t id = files.at(row).id;
            switch (step[0].toLatin1()) {
            case 't':
            case 'u':
                files.setData(files.index(row), step[0] == 't', Files::CheckedRole);
                break;
            case 'h':
            case 's':
                files.setVisible({id}, step[0] == 's');
                break;
            case 'H':
            case 'S':
                files.setItemVisible(row, step[0] == 'S');
                break;
            case 'r':
                files.remove({id});
                break;
            }
        }
        QCOMPARE(files.selectedSize(), TickedVisible(files));
        std::uint64_t letThrough = 0;
        for (int row = 0; row < files.rows(); ++row)
            letThrough += files.at(row).filteredOut ? 0 : files.at(row).size;
        QCOMPARE(files.filteredSize(), letThrough);
        QCOMPARE(std::uint64_t(reported), files.selectedSize());
        QCOMPARE(files.checkedCount(), TickedVisiblePaths(files).size());
        QCOMPARE(PathsOf(files.checkedRows()), TickedVisiblePaths(files));
        for (FileListModel::Cause cause : causes)
            QVERIFY2(cause == (byUser ? FileListModel::Cause::User : FileListModel::Cause::Work),
                     qPrintable(step));
    }
    QFETCH(quint64, selected);
    QCOMPARE(quint64(files.selectedSize()), selected);
}

void tst_FileListModel::removeByIdentity() {
    Files files;
    QAbstractItemModelTester tester(&files, QAbstractItemModelTester::FailureReportingMode::QtTest);
    files.append(Rows(10, 1, false));
    QSignalSpy removed(&files, &QAbstractItemModel::rowsRemoved);
    const std::uint64_t gone = files.at(9).id + 1000; // no such row
    // Rows 2, 3, 4 and 7 by id, in any order and repeated: two announced runs.
    const std::uint64_t bytes = files.remove(
        {files.at(7).id, files.at(3).id, gone, files.at(2).id, files.at(4).id, files.at(3).id});
    QCOMPARE(bytes, std::uint64_t(4));
    QCOMPARE(removed.count(), 2);
    QCOMPARE(files.rows(), 6);
    QStringList left;
    for (int row = 0; row < files.rows(); ++row)
        left << QString::fromStdString(files.at(row).path.string());
    QCOMPARE(left, QStringList({"/f/0", "/f/1", "/f/5", "/f/6", "/f/8", "/f/9"}));
    QCOMPARE(files.rowOf(gone), -1);
    QCOMPARE(files.totalSize(), std::uint64_t(6));
}

void tst_FileListModel::roleNamesAndBounds() {
    Files files;
    files.append(Rows(5, 1, false));
    const QVariantMap names = files.getRoleNames();
    QCOMPARE(names.size(), 4);
    QCOMPARE(names.value("257").toString(), QStringLiteral("path"));
    QCOMPARE(names.value("260").toString(), QStringLiteral("visible"));
    QSignalSpy changed(&files, &QAbstractItemModel::dataChanged);
    files.setItemVisible(5, false);
    files.setItemChecked(-1, true);
    QVERIFY(!files.setData(files.index(0), true, Files::PathRole));
    QCOMPARE(changed.count(), 0);
    QVERIFY(!files.data(files.index(5), Files::PathRole).isValid());
    files.setItemVisible(4, false);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(files.data(files.index(4), Files::VisibleRole).toBool(), false);
    QCOMPARE(files.data(files.index(4), Files::CheckedRole).toBool(), false);
}

void tst_FileListModel::proxyShowsTheFirstRows() {
    Files files;
    RowLimitProxyModel proxy;
    proxy.setSourceModel(&files);
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(proxy.maxRows(), 10);
    files.append(Rows(25, 1, false));
    QCOMPARE(proxy.rowCount(), 10);
    QCOMPARE(proxy.data(proxy.index(9, 0), Files::PathRole).toString(), QStringLiteral("/f/9"));
    QSignalSpy maxChanged(&proxy, &RowLimitProxyModel::maxRowsChanged);
    // Two "查看更多" clicks.
    proxy.setMaxRows(proxy.rowCount() + 10);
    proxy.setMaxRows(proxy.rowCount() + 10);
    QCOMPARE(proxy.rowCount(), 25);
    QCOMPARE(maxChanged.count(), 2);
    QCOMPARE(proxy.maxRows(), 30);
    proxy.setMaxRows(30); // no change, no signal
    QCOMPARE(maxChanged.count(), 2);
}

void tst_FileListModel::viewCountFollowsTheProxy() {
    Files files;
    RowLimitProxyModel proxy;
    proxy.setSourceModel(&files);
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ViewRowCounter view(&proxy);
    files.append(Rows(4, 1, false));
    QVERIFY(view.agrees());
    files.append(Rows(20, 1, false, 4)); // crosses the limit
    QVERIFY(view.agrees());
    QCOMPARE(view.count(), 10);
    // Removing shown rows brings later ones up to the limit again.
    files.remove({files.at(0).id, files.at(1).id, files.at(5).id});
    QVERIFY(view.agrees());
    QCOMPARE(view.count(), 10);
    QCOMPARE(proxy.data(proxy.index(9, 0), Files::PathRole).toString(), QStringLiteral("/f/12"));
    // Removing rows beyond the limit changes nothing shown.
    files.remove({files.at(20).id});
    QVERIFY(view.agrees());
    proxy.setMaxRows(100);
    QVERIFY(view.agrees());
    QCOMPARE(view.count(), 20);
    files.clear();
    QVERIFY(view.agrees());
    QCOMPARE(view.count(), 0);
}

void tst_FileListModel::pagesTheShownRowsOnly() {
    Files files;
    ShownRowsProxyModel shown(&files);
    RowLimitProxyModel proxy;
    proxy.setSourceModel(&shown);
    QAbstractItemModelTester shownTester(&shown,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ViewRowCounter view(&proxy);
    const auto pathAt = [&](int row) {
        return proxy.data(proxy.index(row, 0), Files::PathRole).toString();
    };
    files.append(Rows(30, 1, true));
    QCOMPARE(view.count(), 10);

    // Ten rows the user can see, never a page of rows that are not there.
    files.setFilter(OddRows());
    QVERIFY(view.agrees());
    QCOMPARE(view.count(), 10);
    QCOMPARE(shown.rowCount(), 15);
    QCOMPARE(pathAt(0), QStringLiteral("/f/1"));
    QCOMPARE(pathAt(9), QStringLiteral("/f/19"));
    // Rows that arrive are filtered as they come.
    files.append(Rows(4, 1, true, 30));
    QVERIFY(view.agrees());
    QCOMPARE(shown.rowCount(), 17);
    // Hidden by the work (a file it could not delete), a row leaves the page too.
    files.setVisible({files.at(3).id}, false);
    QVERIFY(view.agrees());
    QCOMPARE(pathAt(1), QStringLiteral("/f/5"));
    QCOMPARE(pathAt(9), QStringLiteral("/f/21"));

    // Every row again: the ones now in front push the last ones off the page.
    files.setFilter({});
    QVERIFY(view.agrees());
    QCOMPARE(view.count(), 10);
    QCOMPARE(shown.rowCount(), 33);
    QCOMPARE(pathAt(0), QStringLiteral("/f/0"));
    QCOMPARE(pathAt(3), QStringLiteral("/f/4"));
    QCOMPARE(pathAt(9), QStringLiteral("/f/10"));
    proxy.setMaxRows(100);
    QVERIFY(view.agrees());
    QCOMPARE(view.count(), 33);
}

QTEST_MAIN(tst_FileListModel)
#include "tst_FileListModel.moc"
