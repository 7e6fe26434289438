// Every branch of the status presenter on bare widgets and a work whose counters the test
// sets: what each page shows after each status of its block.
#include "IWork.h"
#include "WorkMetaTypes.h"
#include "WorkPage.h"
#include "WorkStatusPresenter.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(WorkPage::Sentence)
Q_DECLARE_METATYPE(WorkPage::AfterClean)
Q_DECLARE_METATYPE(IWork::WorkKind)

namespace {

// A work that only holds counters: the presenter reads nothing else.
class CountedWork : public IWork {
public:
    explicit CountedWork(WorkKind kind) : IWork(kind) {}
};

// Which status of the page's block the row sends.
enum class Step { ScanStarted, CleanStarted, ScanFinished, CleanFinished };

const QString tail = QStringLiteral("，清理文件不影响系统正常使用");
const QString unchanged = QStringLiteral("(unchanged)");

// One page made of bare widgets, in the state the form leaves it plus a finished scan's
// warning icon, so that a row can tell what a status changed.
struct BarePage {
    QStackedWidget stack;
    QPushButton progress{QStringLiteral("检测中")};
    QPushButton restart{QStringLiteral("重新扫描")};
    QLabel icon;
    QLabel tip{unchanged};
    QLabel result{unchanged};
    QLabel badge;
    QLabel homeInfo{unchanged};
    QPushButton homeStatus{QStringLiteral("等待扫描")};

    BarePage() {
        stack.addWidget(new QWidget);
        stack.addWidget(new QWidget);
        icon.setProperty("PaintFlag", 2);
        badge.hide();
    }
    WorkPage row(IWork* work) {
        WorkPage page;
        page.work = work;
        page.stack = &stack;
        page.progressButton = &progress;
        page.restartLink = &restart;
        page.statusIcon = &icon;
        page.tipLabel = &tip;
        page.resultLabel = &result;
        page.badge = &badge;
        page.homeInfo = &homeInfo;
        page.homeStatus = &homeStatus;
        page.homeRow = 2;
        return page;
    }
};

IWork::WorkStatus StatusOf(IWork::WorkKind kind, Step step) {
    using Run = IWork::RunKind;
    switch (step) {
    case Step::ScanStarted:
        return IWork::StartedStatus(kind, Run::Scan);
    case Step::CleanStarted:
        return IWork::StartedStatus(kind, Run::Clean);
    case Step::ScanFinished:
        return IWork::FinishedStatus(kind, Run::Scan);
    case Step::CleanFinished:
        break;
    }
    return IWork::FinishedStatus(kind, Run::Clean);
}

} // namespace

Q_DECLARE_METATYPE(Step)

class tst_WorkStatusPresenter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void statusShown_data();
    void statusShown();
    void moveThatLeftFilesWarns_data();
    void moveThatLeftFilesWarns();
    void foreignStatusesChangeNothing_data();
    void foreignStatusesChangeNothing();
    void progressClickFollowsPaintStatus_data();
    void progressClickFollowsPaintStatus();
};

void tst_WorkStatusPresenter::initTestCase() {
    RegisterWorkMetaTypes();
    // Drive C: unknown: the disk sentence is its fixed tail alone, whatever the machine.
    qputenv("MERIVANE_DRIVES", "D=/nonexistent-merivane-drive");
}

void tst_WorkStatusPresenter::statusShown_data() {
    QTest::addColumn<IWork::WorkKind>("kind");
    QTest::addColumn<WorkPage::Sentence>("sentence");
    QTest::addColumn<WorkPage::AfterClean>("afterClean");
    QTest::addColumn<QString>("cleaningText");
    QTest::addColumn<QString>("readyText");
    QTest::addColumn<bool>("busyIconWhileCleaning");
    QTest::addColumn<bool>("diskWhileCleaning");
    QTest::addColumn<quint64>("found");
    QTest::addColumn<quint64>("freed");
    QTest::addColumn<int>("records");
    QTest::addColumn<Step>("step");
    // What the page shows afterwards.
    QTest::addColumn<int>("stackIndex");
    QTest::addColumn<QString>("progressText");
    QTest::addColumn<int>("paintStatus");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("paintFlag");
    QTest::addColumn<bool>("restartShown");
    QTest::addColumn<QString>("tipText");
    QTest::addColumn<QString>("resultText");
    QTest::addColumn<QString>("badgeText"); // empty: hidden
    QTest::addColumn<QString>("homeInfoText");
    QTest::addColumn<QString>("homeStatusText");
    QTest::addColumn<bool>("announcesScanEnd");

    using K = IWork::WorkKind;
    using S = WorkPage::Sentence;
    using A = WorkPage::AfterClean;
    const quint64 found = 1536ull << 20; // 1.50GB
    const quint64 freed = 300ull << 20;  // 300.00MB
    const QString ready = QStringLiteral("立即清理");
    const QString cleaning = QStringLiteral("正在清理");

    QTest::newRow("scan started") << K::CClean << S::Found << A::Rescan << cleaning << ready << true
                                  << true << found << freed << 0 << Step::ScanStarted << 1
                                  << "正在扫描" << 2 << false << 1 << false << tail << unchanged
                                  << "" << unchanged << "扫描中" << false;
    QTest::newRow("C-drive clean started: waiting image")
        << K::CClean << S::Found << A::Rescan << cleaning << ready << true << true << found << freed
        << 0 << Step::CleanStarted << 1 << "正在清理" << 2 << false << 1 << false << tail
        << unchanged << "" << unchanged << "等待扫描" << false;
    QTest::newRow("WeChat clean started: warning stays")
        << K::VXClean << S::Found << A::CleanAgain << cleaning << ready << false << true << found
        << freed << 0 << Step::CleanStarted << 1 << "正在清理" << 2 << false << 2 << false << tail
        << unchanged << "" << unchanged << "等待扫描" << false;
    QTest::newRow("move started: tip stays")
        << K::LargeFile << S::Movable << A::MoveAgain << "正在移动"
        << "去搬家" << false << false << found << freed << 0 << Step::CleanStarted << 1
        << "正在移动" << 2 << false << 2 << false << unchanged << unchanged << "" << unchanged
        << "等待扫描" << false;
    QTest::newRow("scan found bytes")
        << K::QQClean << S::Found << A::CleanAgain << cleaning << ready << false << true << found
        << freed << 0 << Step::ScanFinished << 0 << "立即清理" << 3 << true << 2 << true << tail
        << "发现可释放<font color=\"#FF0000\">1.50GB</font>，已选<font "
           "color=\"#FF0000\">512.00MB</font>"
        << "1.50GB"
        << "可清理<font color=\"#FF0000\">1.50GB</font>"
        << "前往处理 >" << true;
    QTest::newRow("scan found nothing")
        << K::CClean << S::Found << A::Rescan << cleaning << ready << true << true << quint64(0)
        << freed << 0 << Step::ScanFinished << 0 << "立即清理" << 3 << true << 2 << true << tail
        << "发现可释放<font color=\"#FF0000\">0.00KB</font>，已选<font "
           "color=\"#FF0000\">512.00MB</font>"
        << "0.00KB"
        << "可清理<font color=\"#FF0000\">0.00KB</font>"
        << "前往处理 >" << true;
    QTest::newRow("scan found movable files")
        << K::LargeFile << S::Movable << A::MoveAgain << "正在移动"
        << "去搬家" << false << false << found << freed << 0 << Step::ScanFinished << 0 << "去搬家"
        << 3 << true << 2 << true << tail
        << "发现可移动文件<font color=\"#FF0000\">1.50GB</font>，已选<font "
           "color=\"#FF0000\">512.00MB</font>"
        << "1.50GB"
        << "可搬家<font color=\"#FF0000\">1.50GB</font>"
        << "前往处理 >" << true;
    QTest::newRow("records found")
        << K::Privacy << S::Records << A::ScanAgain << cleaning << ready << false << false
        << quint64(0) << freed << 3 << Step::ScanFinished << 0 << "立即清理" << 3 << true << 3
        << true << unchanged
        << "发现隐私记录<font color=\"#FF0000\">3</font>条，已选<font "
           "color=\"#FF0000\">2</font>条"
        << "3条"
        << "可清理<font color=\"#FF0000\">3</font>条"
        << "前往处理 >" << true;
    QTest::newRow("records found, bytes too")
        << K::Privacy << S::Records << A::ScanAgain << cleaning << ready << false << false << found
        << freed << 3 << Step::ScanFinished << 0 << "立即清理" << 3 << true << 2 << true
        << unchanged
        << "发现隐私记录<font color=\"#FF0000\">3</font>条，已选<font "
           "color=\"#FF0000\">2</font>条"
        << "3条"
        << "可清理<font color=\"#FF0000\">3</font>条"
        << "前往处理 >" << true;
    QTest::newRow("no records") << K::Privacy << S::Records << A::ScanAgain << cleaning << ready
                                << false << false << quint64(0) << freed << 0 << Step::ScanFinished
                                << 0 << "重新扫描" << 1 << true << 3 << false << unchanged
                                << "电脑非常干净,无需清理!"
                                << "0条"
                                << "可清理<font color=\"#FF0000\">0</font>条"
                                << "前往处理 >" << true;
    QTest::newRow("cleaned, scan again")
        << K::CClean << S::Found << A::Rescan << cleaning << ready << true << true << found << freed
        << 0 << Step::CleanFinished << 0 << "重新扫描" << 1 << true << 3 << false << tail
        << "清理完成,本次为您释放了300.00MB的空间!"
        << "" << unchanged << "等待扫描" << false;
    QTest::newRow("cleaned, clean again")
        << K::VXClean << S::Found << A::CleanAgain << cleaning << ready << false << true << found
        << freed << 0 << Step::CleanFinished << 0 << "立即清理" << 3 << true << 3 << true << tail
        << "清理完成,本次释放了<font color='#ff0000'>300.00MB</font>的空间!"
        << "" << unchanged << "等待扫描" << false;
    QTest::newRow("moved part, move again")
        << K::LargeFile << S::Movable << A::MoveAgain << "正在移动"
        << "去搬家" << false << false << found << freed << 0 << Step::CleanFinished << 0 << "去搬家"
        << 3 << true << 3 << true << tail << "搬家完成,本次为C盘释放了300.00MB的空间!"
        << "" << unchanged << "等待扫描" << false;
    QTest::newRow("moved everything found")
        << K::LargeFile << S::Movable << A::MoveAgain << "正在移动"
        << "去搬家" << false << false << found << found << 0 << Step::CleanFinished << 0 << "去搬家"
        << 3 << false << 3 << true << tail << "搬家完成,本次为C盘释放了1.50GB的空间!"
        << "" << unchanged << "等待扫描" << false;
    QTest::newRow("privacy cleaned: the button scans")
        << K::Privacy << S::Records << A::ScanAgain << cleaning << ready << false << false
        << quint64(0) << freed << 3 << Step::CleanFinished << 0 << "立即清理" << 1 << true << 3
        << true << unchanged << "清理完成,您可以继续对未勾选项进行清理!"
        << "" << unchanged << "等待扫描" << false;
}

void tst_WorkStatusPresenter::statusShown() {
    QFETCH(IWork::WorkKind, kind);
    QFETCH(WorkPage::Sentence, sentence);
    QFETCH(WorkPage::AfterClean, afterClean);
    QFETCH(QString, cleaningText);
    QFETCH(QString, readyText);
    QFETCH(bool, busyIconWhileCleaning);
    QFETCH(bool, diskWhileCleaning);
    QFETCH(quint64, found);
    QFETCH(quint64, freed);
    QFETCH(int, records);
    QFETCH(Step, step);

    CountedWork work(kind);
    work.foundSize = found;
    work.selectedSize = 512ull << 20;
    work.freedSize = freed;
    BarePage bare;
    WorkPage page = bare.row(&work);
    page.sentence = sentence;
    page.afterClean = afterClean;
    page.cleaningText = cleaningText;
    page.readyText = readyText;
    page.busyIconWhileCleaning = busyIconWhileCleaning;
    page.diskSentenceWhileCleaning = diskWhileCleaning;
    page.recordCounts = [records](int& all, int& checked) {
        all = records;
        checked = records > 0 ? records - 1 : 0;
    };
    WorkStatusPresenter presenter;
    presenter.addPage(page);
    QSignalSpy scanEnds(&presenter, &WorkStatusPresenter::scanFinished);

    presenter.apply(StatusOf(kind, step));

    QTEST(bare.stack.currentIndex(), "stackIndex");
    QTEST(bare.progress.text(), "progressText");
    QTEST(bare.progress.property("PaintStatus").toInt(), "paintStatus");
    QTEST(bare.progress.isEnabled(), "enabled");
    QTEST(bare.icon.property("PaintFlag").toInt(), "paintFlag");
    QTEST(!bare.restart.isHidden(), "restartShown");
    QTEST(bare.tip.text(), "tipText");
    QTEST(bare.result.text(), "resultText");
    QTEST(bare.badge.isHidden() ? QString() : bare.badge.text(), "badgeText");
    QTEST(bare.homeInfo.text(), "homeInfoText");
    QTEST(bare.homeStatus.text(), "homeStatusText");
    QFETCH(bool, announcesScanEnd);
    QCOMPARE(scanEnds.count(), announcesScanEnd ? 1 : 0);
    if (announcesScanEnd) {
        QCOMPARE(scanEnds.at(0).at(0).value<IWork::WorkStatus>(), StatusOf(kind, step));
        QCOMPARE(scanEnds.at(0).at(1).toInt(), 2);
    }
}

void tst_WorkStatusPresenter::moveThatLeftFilesWarns_data() {
    QTest::addColumn<QString>("reasons"); // what the work says of the files that stayed
    QTest::addColumn<bool>("fits");       // on the tip line
    QTest::newRow("one file") << QStringLiteral("未能移动: a.zip(目标文件夹中已有同名文件)")
                              << true;
    QTest::newRow("a line too long")
        << QStringLiteral("未能移动: 很长很长很长很长的文件名甲.zip(目标文件夹中已有同名文件)、"
                          "很长很长很长很长的文件名乙.zip(文件正被其他程序使用)、"
                          "很长很长很长很长的文件名丙.zip(没有访问权限)等7个文件")
        << false;
}

void tst_WorkStatusPresenter::moveThatLeftFilesWarns() {
    QFETCH(QString, reasons);
    QFETCH(bool, fits);
    CountedWork work(IWork::WorkKind::LargeFile);
    work.foundSize = 1536ull << 20;
    work.freedSize = 300ull << 20;
    BarePage bare;
    bare.tip.setFixedWidth(511);
    WorkPage page = bare.row(&work);
    page.sentence = WorkPage::Sentence::Movable;
    page.afterClean = WorkPage::AfterClean::MoveAgain;
    page.readyText = QStringLiteral("去搬家");
    page.cleanShortfall = [&reasons] { return WorkPage::Shortfall{7, reasons}; };
    WorkStatusPresenter presenter;
    presenter.addPage(page);

    presenter.apply(IWork::LargeFileMoveFinished);

    // No success tick: the warning, how many stayed, and only what moved counted.
    QCOMPARE(bare.icon.property("PaintFlag").toInt(), 2);
    QCOMPARE(bare.result.text(), QStringLiteral("7个文件未能移动,本次为C盘释放了300.00MB的空间!"));
    QCOMPARE(bare.progress.text(), QStringLiteral("去搬家"));
    QVERIFY(bare.progress.isEnabled());
    // Why, on one line; a long line shows whole when pointed at.
    if (fits) {
        QCOMPARE(bare.tip.text(), reasons);
        QCOMPARE(bare.tip.toolTip(), QString());
    } else {
        QVERIFY(bare.tip.text().endsWith(QChar(0x2026)));
        QVERIFY(reasons.startsWith(bare.tip.text().chopped(1)));
        QCOMPARE(bare.tip.toolTip(), reasons);
    }

    // The next move that leaves nothing behind is a success again.
    page.cleanShortfall = [] { return WorkPage::Shortfall{}; };
    WorkStatusPresenter next;
    next.addPage(page);
    next.apply(IWork::LargeFileMoveFinished);
    QCOMPARE(bare.icon.property("PaintFlag").toInt(), 3);
    QCOMPARE(bare.result.text(), QStringLiteral("搬家完成,本次为C盘释放了300.00MB的空间!"));
    QCOMPARE(bare.tip.text(), tail);
    QCOMPARE(bare.tip.toolTip(), QString());
}

void tst_WorkStatusPresenter::foreignStatusesChangeNothing_data() {
    QTest::addColumn<bool>("pageHasWork");
    QTest::addColumn<int>("status");
    QTest::newRow("cancelled") << true << int(IWork::Cancelled);
    QTest::newRow("another page's scan") << true << int(IWork::QQCleanScanning);
    QTest::newRow("a duplicate-file status") << true << int(IWork::DuplicateScanFinished);
    QTest::newRow("unknown value") << true << 99;
    // A row whose work is not built yet must not answer to any status, Cancelled included.
    QTest::newRow("page without work, cancelled") << false << int(IWork::Cancelled);
    QTest::newRow("page without work, C-drive scan") << false << int(IWork::CCleanScanning);
}

void tst_WorkStatusPresenter::foreignStatusesChangeNothing() {
    QFETCH(bool, pageHasWork);
    QFETCH(int, status);
    CountedWork work(IWork::WorkKind::CClean);
    BarePage bare;
    WorkStatusPresenter presenter;
    presenter.addPage(bare.row(pageHasWork ? &work : nullptr));
    QSignalSpy scanEnds(&presenter, &WorkStatusPresenter::scanFinished);

    presenter.apply(static_cast<IWork::WorkStatus>(status));

    QCOMPARE(presenter.pageFor(static_cast<IWork::WorkStatus>(status)), nullptr);
    QCOMPARE(bare.stack.currentIndex(), 0);
    QCOMPARE(bare.progress.text(), QStringLiteral("检测中"));
    QVERIFY(!bare.progress.property("PaintStatus").isValid());
    QCOMPARE(bare.result.text(), unchanged);
    QCOMPARE(bare.homeStatus.text(), QStringLiteral("等待扫描"));
    QCOMPARE(scanEnds.count(), 0);
}

namespace {
// Counts what a progress click started.
class StartCountingWork : public IWork {
public:
    StartCountingWork() : IWork(WorkKind::CClean) {}
    int StartScan() override { return ++scans; }
    int StartClean() override { return ++cleans; }
    int scans = 0;
    int cleans = 0;
};
} // namespace

void tst_WorkStatusPresenter::progressClickFollowsPaintStatus_data() {
    QTest::addColumn<QVariant>("paintStatus"); // invalid: never set
    QTest::addColumn<int>("scans");
    QTest::addColumn<int>("cleans");
    QTest::newRow("unset") << QVariant() << 0 << 0;
    QTest::newRow("ready: scan") << QVariant(1) << 1 << 0;
    QTest::newRow("busy: clean") << QVariant(2) << 0 << 1;
    QTest::newRow("results: clean") << QVariant(3) << 0 << 1;
    QTest::newRow("other value") << QVariant(7) << 0 << 0;
}

void tst_WorkStatusPresenter::progressClickFollowsPaintStatus() {
    QFETCH(QVariant, paintStatus);
    StartCountingWork work;
    BarePage bare;
    bare.progress.setProperty("PaintStatus", paintStatus);
    WorkStatusPresenter::dispatchProgressClick(bare.row(&work));
    QTEST(work.scans, "scans");
    QTEST(work.cleans, "cleans");
}

QTEST_MAIN(tst_WorkStatusPresenter)
#include "tst_WorkStatusPresenter.moc"
