// The large-file page in the real window on the sample profile, with drive D: on a volume
// of its own: the default destination, a scan, ticks through the QML page, a move that
// frees space on C: and changes nothing else, a move that leaves a file behind and the scan
// after it, and a move with nothing ticked. Screenshots before, during and after the moves.
#include "AppPaths.h"
#include "LM_LargeFilesItemModel.h"
#include "LM_LargeFilesModel.h"
#include "Merivane.h"
#include "PathQString.h"
#include "QmlItems.h"
#include "SampleWindow.h"
#include "ScratchVolume.h"
#include "TempTree.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_LargeFile.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QQuickItem>
#include <QQuickWidget>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

namespace fs = std::filesystem;

namespace {
// Listed on the sample profile's C: (system folders left out): installers 180 + 95 MiB,
// archives 760 + 320 MiB (ticked by default), videos 1600 + 850 + 420 MiB, documents 48 +
// 36 MiB, temporary files 64 MiB: 4373 MiB in all.
const QString scannedSentence =
    QStringLiteral("发现可移动文件<font color=\"#FF0000\">4.27GB</font>，已选<font "
                   "color=\"#FF0000\">1.05GB</font>");
} // namespace

class tst_PageLargeFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void defaultDestinationOnAnotherVolume();
    void scanTickAndMove();
    void partlyRefusedMoveThenRescan();
    void moveWithNothingTicked();

private:
    // A widget of the window by its object name; the test fails at its first use when absent.
    template <class T> T* named(const char* name) const {
        return sample.child<T>(QLatin1String(name));
    }
    QString shoot(const QString& name, bool settle = true);
    QQuickItem* pageItem(const QString& name) const { return QmlItems::find(*list(), name); }
    bool clickPageItem(QQuickItem* item) const { return QmlItems::click(*list(), item); }
    QQuickWidget* list() const { return named<QQuickWidget>("qwLargeFileReplace"); }

    SampleWindow sample;
    SampleProfile& profile{sample.profile()};
    std::unique_ptr<ScratchVolume> driveD;
    Merivane* window = nullptr;
};

void tst_PageLargeFile::initTestCase() {
    QVERIFY2(sample.applyProfile(), qPrintable(sample.error()));
    // D: on a volume of its own, as a second disk is: moving there frees space on C:.
    driveD = std::make_unique<ScratchVolume>(QStringToPath(profile.root()) / "d", 512ull << 20);
    if (!driveD->mounted())
        QSKIP(qPrintable(driveD->skipReason()));
    QVERIFY2(sample.open(), qPrintable(sample.error()));
    window = sample.window();
    QTest::mouseClick(named<QPushButton>("btnLargeFileReplace"), Qt::LeftButton);
    shoot(QStringLiteral("largefile_intro"));
}

void tst_PageLargeFile::cleanupTestCase() {
    sample.close();
    window = nullptr;
    driveD.reset();
}

QString tst_PageLargeFile::shoot(const QString& name, bool settle) {
    return sample.shoot(name, settle);
}

void tst_PageLargeFile::defaultDestinationOnAnotherVolume() {
    QCOMPARE(named<QLabel>("lblLargeFileReplaceDestDir")->text(), QStringLiteral("D:\\大文件搬家"));
    QVERIFY(QFileInfo(profile.root() + QStringLiteral("/d/大文件搬家")).isDir());
}

void tst_PageLargeFile::scanTickAndMove() {
    auto* progress = named<QPushButton>("btnLargeFileRestartAndChecking");
    auto* result = named<QLabel>("lblLargeFileInfo");
    auto* badge = named<QLabel>("lblTipSize4");
    QTest::mouseClick(named<QPushButton>("btnLargeFileScan"), Qt::LeftButton);
    QCOMPARE(named<QStackedWidget>("swLargeFileOperation")->currentIndex(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(progress->text(), QStringLiteral("去搬家"), 20000);
    QCOMPARE(result->text(), scannedSentence);
    QCOMPARE(badge->text(), QStringLiteral("4.27GB"));
    QCOMPARE(named<QLabel>("lblHomeLFInfo")->text(),
             QStringLiteral("可搬家<font color=\"#FF0000\">4.27GB</font>"));

    // Open every category, as the user looks before moving.
    for (int group = 4; group >= 0; --group) {
        QQuickItem* title = QmlItems::find(pageItem(QStringLiteral("group_%1").arg(group)),
                                           QStringLiteral("title"));
        QVERIFY(clickPageItem(title));
    }
    shoot(QStringLiteral("largefile_before_move"));

    // Untick the archives, tick the office documents: 48 + 36 MiB.
    for (int group : {2, 1}) {
        QQuickItem* tick = QmlItems::find(pageItem(QStringLiteral("group_%1").arg(group)),
                                          QStringLiteral("groupTick"));
        QVERIFY(clickPageItem(tick));
    }
    QTRY_COMPARE(result->text(),
                 QStringLiteral("发现可移动文件<font color=\"#FF0000\">4.27GB</font>，已选<font "
                                "color=\"#FF0000\">84.00MB</font>"));
    const QString documents = profile.onC(QStringLiteral("Users/Merivane/Documents/"));
    QVERIFY(QFile::exists(documents + QStringLiteral("年度财务报表.xls")));

    const TempTree::Snapshot before = profile.snapshot();
    QTest::mouseClick(progress, Qt::LeftButton);
    // The move has started and not yet been seen to end.
    QCOMPARE(progress->text(), QStringLiteral("正在移动"));
    shoot(QStringLiteral("largefile_during_move"), false);

    QTRY_COMPARE_WITH_TIMEOUT(result->text(),
                              QStringLiteral("搬家完成,本次为C盘释放了84.00MB的空间!"), 20000);
    const QString moved = profile.root() + QStringLiteral("/d/大文件搬家/");
    for (const QString& name :
         {QStringLiteral("年度财务报表.xls"), QStringLiteral("论文终稿.docx")}) {
        QVERIFY(!QFile::exists(documents + name));
        QVERIFY(QFile::exists(moved + name));
    }
    QCOMPARE(QFileInfo(moved + QStringLiteral("年度财务报表.xls")).size(), qint64(48) << 20);
    // Nothing else changed in the whole profile, on either drive.
    QCOMPARE(profile.changesSince(before),
             QStringList({QStringLiteral("added: d/大文件搬家/年度财务报表.xls"),
                          QStringLiteral("added: d/大文件搬家/论文终稿.docx"),
                          QStringLiteral("removed: c/Users/Merivane/Documents/年度财务报表.xls"),
                          QStringLiteral("removed: c/Users/Merivane/Documents/论文终稿.docx")}));
    QCOMPARE(progress->text(), QStringLiteral("去搬家"));
    QVERIFY(progress->isEnabled());
    QVERIFY(!badge->isVisible());
    QCOMPARE(Work_LargeFile::GetInstance()->listModel()->groups().at(1).files->rows(), 0);
    shoot(QStringLiteral("largefile_after_move"));
}

void tst_PageLargeFile::partlyRefusedMoveThenRescan() {
    auto* progress = named<QPushButton>("btnLargeFileRestartAndChecking");
    auto* result = named<QLabel>("lblLargeFileInfo");
    auto* tip = named<QLabel>("label_tipB");
    auto* icon = named<QLabel>("lblLFStatusIcon");
    // Tick the temporary files and the installers: 64 + 180 + 95 MiB.
    for (int group : {0, 3}) {
        QQuickItem* tick = QmlItems::find(pageItem(QStringLiteral("group_%1").arg(group)),
                                          QStringLiteral("groupTick"));
        QVERIFY(clickPageItem(tick));
    }
    QTRY_VERIFY(
        result->text().endsWith(QStringLiteral("已选<font color=\"#FF0000\">339.00MB</font>")));
    // A file of one of those names already waits at the destination.
    QFile waiting(profile.root() + QStringLiteral("/d/大文件搬家/WeChatSetup.exe"));
    QVERIFY(waiting.open(QIODevice::WriteOnly));
    waiting.write("someone else's");
    waiting.close();

    const TempTree::Snapshot before = profile.snapshot();
    QTest::mouseClick(progress, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(progress->text(), QStringLiteral("去搬家"), 20000);
    // No success: how many stayed and why, and only what moved counted.
    QCOMPARE(result->text(), QStringLiteral("1个文件未能移动,本次为C盘释放了159.00MB的空间!"));
    QCOMPARE(tip->text(), QStringLiteral("未能移动: WeChatSetup.exe(目标文件夹中已有同名文件)"));
    // Whole on its line, even with two digits in the count and four in the figure.
    const QString longest = QStringLiteral("12个文件未能移动,本次为C盘释放了1023.99MB的空间!");
    QVERIFY(result->fontMetrics().horizontalAdvance(longest) <= result->contentsRect().width());
    QCOMPARE(icon->property("PaintFlag").toInt(), 2);
    QCOMPARE(profile.changesSince(before),
             QStringList({QStringLiteral("added: d/大文件搬家/PhotoEditor_Setup.exe"),
                          QStringLiteral("added: d/大文件搬家/导出缓存.tmp"),
                          QStringLiteral("removed: c/Users/Merivane/Documents/安装包/"
                                         "PhotoEditor_Setup.exe"),
                          QStringLiteral("removed: c/Users/Merivane/Documents/导出缓存.tmp")}));
    shoot(QStringLiteral("largefile_partly_refused"));

    // The installers' box was ticked once: a new installer of the next scan, and the one
    // that stayed, arrive unticked, and the box says so.
    QFile newInstaller(profile.onC(QStringLiteral("Users/Merivane/Downloads/NewSetup.exe")));
    QVERIFY(newInstaller.open(QIODevice::WriteOnly));
    QVERIFY(newInstaller.resize(qint64(40) << 20));
    newInstaller.close();
    QTest::mouseClick(named<QPushButton>("btnLargeFileRestart"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(progress->text(), QStringLiteral("去搬家"), 20000);
    const LM_LargeFilesItemModel* installers =
        Work_LargeFile::GetInstance()->listModel()->groups().at(3).files;
    QCOMPARE(installers->rows(), 2);
    QCOMPARE(installers->checkedCount(), 0);
    QVERIFY(result->text().endsWith(QStringLiteral("已选<font color=\"#FF0000\">0.00KB</font>")));
    QQuickItem* box =
        QmlItems::find(pageItem(QStringLiteral("group_3")), QStringLiteral("groupTick"));
    QTRY_COMPARE(box->property("checked").toBool(), false);
    QVERIFY(tip->text().startsWith(QStringLiteral("C盘(系统盘)可用")));
    QCOMPARE(tip->toolTip(), QString());
}

void tst_PageLargeFile::moveWithNothingTicked() {
    auto* progress = named<QPushButton>("btnLargeFileRestartAndChecking");
    auto* result = named<QLabel>("lblLargeFileInfo");
    const QString before = result->text();
    QString shown;
    sample.answerNextModal<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        SampleWindow::shootModal(box, QStringLiteral("largefile_nothing_ticked"));
        box->accept();
    });
    QTest::mouseClick(progress, Qt::LeftButton);
    QCOMPARE(shown, QStringLiteral("没有勾选任何文件!"));
    QCOMPARE(progress->text(), QStringLiteral("去搬家"));
    QCOMPARE(result->text(), before);
}

QTEST_MAIN(tst_PageLargeFile)
#include "tst_page_largefile.moc"
