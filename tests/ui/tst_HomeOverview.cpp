// The home page's word for how full drive C: is, at the edges of its three bands.
#include "HomeOverview.h"

#include <QtTest>

class tst_HomeOverview : public QObject {
    Q_OBJECT
private slots:
    void spaceStatus_data();
    void spaceStatus();
};

void tst_HomeOverview::spaceStatus_data() {
    QTest::addColumn<int>("usedPercent");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("style");
    QTest::newRow("empty") << 0 << "空间富余"
                           << "color:#666666";
    QTest::newRow("29") << 29 << "空间富余"
                        << "color:#666666";
    QTest::newRow("30") << 30 << "空间良好"
                        << "color:#66FF66";
    QTest::newRow("59") << 59 << "空间良好"
                        << "color:#66FF66";
    QTest::newRow("60") << 60 << "空间紧张"
                        << "color:#FF0000";
    QTest::newRow("full") << 100 << "空间紧张"
                          << "color:#FF0000";
}

void tst_HomeOverview::spaceStatus() {
    QFETCH(int, usedPercent);
    const HomeOverview::SpaceStatus status = HomeOverview::spaceStatus(usedPercent);
    QTEST(QString::fromUtf8(status.word), "word");
    QTEST(QString::fromLatin1(status.style), "style");
}

QTEST_MAIN(tst_HomeOverview)
#include "tst_HomeOverview.moc"
