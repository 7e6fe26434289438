// The one-key sequence on five stand-in works whose scans start and end when the test says:
// the order of the scans, rows passed over when their work does not start, cancelling,
// and statuses of other scans that must change nothing.
#include "OneKeyScan.h"
#include "WorkMetaTypes.h"

#include <QtTest>
#include <map>
#include <memory>

namespace {

// A work whose scan starts at once (or is refused) and ends when the test calls end().
class StepWork : public IWork {
public:
    StepWork(WorkKind kind, QString name) : IWork(kind), name(std::move(name)) {}
    int StartScan() override {
        // Like the real works: refused while its earlier scan runs, or after a quit.
        if (!starts || running > 0 || IWork::Quitting())
            return 0;
        ++running;
        const int result = IWork::StartScan();
        // A work whose pool starts no thread reports its end at once, on this thread.
        if (endsAtOnce)
            end();
        return result;
    }
    void RequestStop() override {
        ++stopRequests;
        IWork::RequestStop();
    }
    // The oldest scan of this work ends now.
    void end() {
        leave();
        report();
    }
    // Its workers are gone, but their finished status is still on its way.
    void leave() { --running; }
    void report() { statusCallback(FinishedStatus(workKind, RunKind::Scan)); }
    QString name;
    bool starts = true;
    bool endsAtOnce = false;
    int running = 0;
    int stopRequests = 0;
};

} // namespace

class tst_OneKeyScan : public QObject {
    Q_OBJECT
private slots:
    void init();
    void sequence_data();
    void sequence();
    void passedOverRowsStopTheirAnimation();
    // Last: quitting cannot be undone in a process.
    void quitStartsNoFurtherStep();

private:
    // Runs a script of "click", "end:<work>", "page:<work>" (a scan started on its page),
    // "missing:<work>" (its scan will not start), "leave:<work>" then "late:<work>" (a
    // scan's workers are gone while its finished status is still on its way), and
    // "atOnce:<work>" (its scans end inside StartScan).
    void run(const QStringList& script);
    StepWork* work(const QString& name) const;

    std::vector<std::unique_ptr<StepWork>> works;
    std::unique_ptr<OneKeyScan> oneKey;
    QStringList started;    // works whose scan started, in order
    QStringList animations; // "+row" / "-row"
};

void tst_OneKeyScan::init() {
    RegisterWorkMetaTypes();
    works.clear();
    started.clear();
    animations.clear();
    const std::pair<IWork::WorkKind, const char*> kinds[] = {{IWork::WorkKind::CClean, "C"},
                                                             {IWork::WorkKind::VXClean, "VX"},
                                                             {IWork::WorkKind::QQClean, "QQ"},
                                                             {IWork::WorkKind::LargeFile, "LF"},
                                                             {IWork::WorkKind::Privacy, "P"}};
    std::vector<OneKeyScan::Step> steps;
    for (const auto& [kind, name] : kinds) {
        works.push_back(std::make_unique<StepWork>(kind, name));
        steps.push_back({works.back().get(), int(steps.size())});
    }
    oneKey = std::make_unique<OneKeyScan>(steps, [this](int row, bool running) {
        animations << QStringLiteral("%1%2").arg(running ? '+' : '-').arg(row);
    });
    // What the window does with a status: the sequence sees it first, and a scan's end is
    // shown (and so reported to the sequence) after that.
    for (auto& stepWork : works) {
        StepWork* w = stepWork.get();
        w->statusCallback = [this, w](IWork::WorkStatus ws) {
            oneKey->statusSeen(ws);
            if (ws == IWork::StartedStatus(w->Kind(), IWork::RunKind::Scan))
                started << w->name;
            else if (ws == IWork::FinishedStatus(w->Kind(), IWork::RunKind::Scan))
                oneKey->scanFinished(ws);
        };
    }
}

StepWork* tst_OneKeyScan::work(const QString& name) const {
    for (const auto& w : works) {
        if (w->name == name)
            return w.get();
    }
    return nullptr;
}

void tst_OneKeyScan::run(const QStringList& script) {
    for (const QString& action : script) {
        if (action == "click") {
            if (oneKey->running())
                oneKey->cancel();
            else
                oneKey->start();
        } else if (action.startsWith("end:")) {
            work(action.mid(4))->end();
        } else if (action.startsWith("page:")) {
            work(action.mid(5))->StartScan();
        } else if (action.startsWith("leave:")) {
            work(action.mid(6))->leave();
        } else if (action.startsWith("late:")) {
            work(action.mid(5))->report();
        } else if (action.startsWith("missing:")) {
            work(action.mid(8))->starts = false;
        } else if (action.startsWith("atOnce:")) {
            work(action.mid(7))->endsAtOnce = true;
        }
    }
}

void tst_OneKeyScan::sequence_data() {
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("scans"); // in the order they started
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("finishedSteps");
    const QStringList all = {"click", "end:C", "end:VX", "end:QQ", "end:LF", "end:P"};
    QTest::newRow("five scans in order")
        << all << QStringList{"C", "VX", "QQ", "LF", "P"} << false << 5;
    QTest::newRow("waits for the scan in hand")
        << QStringList{"click", "end:C", "end:VX"} << QStringList{"C", "VX", "QQ"} << true << 2;
    QTest::newRow("no WeChat, no QQ: still reaches privacy")
        << QStringList{"missing:VX", "missing:QQ", "click", "end:C", "end:LF", "end:P"}
        << QStringList{"C", "LF", "P"} << false << 5;
    QTest::newRow("first row does not start")
        << QStringList{"missing:C", "click", "end:VX"} << QStringList{"VX", "QQ"} << true << 2;
    QTest::newRow("nothing starts: ends at once")
        << QStringList{"missing:C", "missing:VX", "missing:QQ", "missing:LF", "missing:P", "click"}
        << QStringList{} << false << 5;
    QTest::newRow("cancel during QQ: no further scan")
        << QStringList{"click", "end:C", "end:VX", "click", "end:QQ"}
        << QStringList{"C", "VX", "QQ"} << false << 2;
    QTest::newRow("after a cancel, a new start scans all five")
        << QStringList{"click", "end:C",  "click",  "end:VX", "click",
                       "end:C", "end:VX", "end:QQ", "end:LF", "end:P"}
        << QStringList{"C", "VX", "C", "VX", "QQ", "LF", "P"} << false << 5;
    // The large-file scan of a cancelled sequence ends while the next sequence scans C:.
    QTest::newRow("late end of a cancelled scan is ignored")
        << QStringList{"click", "end:C", "end:VX", "end:QQ", "click", "click", "end:LF"}
        << QStringList{"C", "VX", "QQ", "LF", "C"} << true << 0;
    // The cancelled large-file scan's end arrives after the next sequence started its own
    // large-file scan: only the second end moves the sequence on.
    QTest::newRow("late end of the same work's earlier scan is ignored")
        << QStringList{"click", "end:C", "end:VX", "end:QQ", "click",  "leave:LF",
                       "click", "end:C", "end:VX", "end:QQ", "late:LF"}
        << QStringList{"C", "VX", "QQ", "LF", "C", "VX", "QQ", "LF"} << true << 3;
    QTest::newRow("then its own end moves on")
        << QStringList{"click", "end:C", "end:VX", "end:QQ", "click",   "leave:LF",
                       "click", "end:C", "end:VX", "end:QQ", "late:LF", "end:LF"}
        << QStringList{"C", "VX", "QQ", "LF", "C", "VX", "QQ", "LF", "P"} << true << 4;
    // A large-file scan started on its own page before the sequence is still running when
    // the sequence reaches it: that row is passed over, and the page scan's end moves
    // nothing.
    QTest::newRow("scan of its own page before the sequence")
        << QStringList{"page:LF", "click", "end:C", "end:VX", "end:QQ", "end:LF"}
        << QStringList{"LF", "C", "VX", "QQ", "P"} << true << 4;
    // A scan that ends inside its own start moves the sequence on at once, whatever the
    // counts of the step before it.
    QTest::newRow("scan ending inside its start")
        << QStringList{"atOnce:VX", "click", "end:C", "end:QQ", "end:LF", "end:P"}
        << QStringList{"C", "VX", "QQ", "LF", "P"} << false << 5;
    QTest::newRow("scan ending inside its start, after page scans of the step before")
        << QStringList{"page:C", "end:C", "atOnce:VX", "click", "end:C"}
        << QStringList{"C", "C", "VX", "QQ"} << true << 2;
    // The step after it waits for its own scan's end, not for a late one of an earlier scan.
    QTest::newRow("scan ending inside its start, then a late end of the next work")
        << QStringList{"page:QQ", "leave:QQ", "atOnce:VX", "click", "end:C", "late:QQ"}
        << QStringList{"QQ", "C", "VX", "QQ"} << true << 2;
}

void tst_OneKeyScan::sequence() {
    QFETCH(QStringList, script);
    run(script);
    QTEST(started, "scans");
    QTEST(oneKey->running(), "running");
    QTEST(oneKey->finishedSteps(), "finishedSteps");
}

void tst_OneKeyScan::passedOverRowsStopTheirAnimation() {
    QSignalSpy runningChanged(oneKey.get(), &OneKeyScan::runningChanged);
    run({"missing:VX", "click", "end:C", "end:QQ"});
    // Row 1 (WeChat) was shown scanning for the moment of its start only.
    QCOMPARE(animations, QStringList({"+0", "+1", "-1", "+2", "+3"}));
    QCOMPARE(runningChanged.count(), 1);
    run({"click"}); // cancel: every step's work is asked to stop
    for (const auto& w : works)
        QCOMPARE(w->stopRequests, 1);
    QCOMPARE(runningChanged.count(), 2);
    QCOMPARE(runningChanged.at(1).at(0).toBool(), false);
}

void tst_OneKeyScan::quitStartsNoFurtherStep() {
    run({"click", "end:C"});
    QCOMPARE(started, QStringList({"C", "VX"}));
    IWork::BeginQuit();
    run({"end:VX"});
    QCOMPARE(started, QStringList({"C", "VX"}));
    QVERIFY(!oneKey->running());
}

QTEST_MAIN(tst_OneKeyScan)
#include "tst_OneKeyScan.moc"
