// The duplicate page inside the real window on the sample profile: its work joins the
// window's works, the page scans drive C: and then every drive from its drive menu, its
// statuses leave the other pages' status widgets alone, and screenshots of the window
// show the groups.
#include "LM_DuplicateFileListModel.h"
#include "LM_DuplicateFileListNodes.h"
#include "Merivane.h"
#include "QmlItems.h"
#include "SampleWindow.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_DuplicateFile.h"

#include <QPushButton>
#include <QQuickItem>
#include <QQuickWidget>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <memory>

class tst_PageDuplicates : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void theWorkJoinsTheWindow();
    void quickScanOfDriveC();
    void everyDriveFromTheMenu();

private:
    QQuickItem* find(const QString& name) const { return QmlItems::find(*view, name); }
    QString text(const QString& name) const {
        QQuickItem* item = find(name);
        return item ? item->property("text").toString() : QString();
    }
    void shoot(const QString& name) { QVERIFY(!sample.shoot(name).isEmpty()); }

    SampleWindow sample;
    SampleProfile& profile{sample.profile()};
    Merivane* window = nullptr;
    QQuickWidget* view = nullptr;
    Work_DuplicateFile* work = nullptr;
};

void tst_PageDuplicates::initTestCase() {
    QVERIFY2(sample.applyProfile(), qPrintable(sample.error()));
    QVERIFY2(sample.open(), qPrintable(sample.error()));
    window = sample.window();
    QTest::mouseClick(window->findChild<QPushButton*>("btnDuplicateFileClean"), Qt::LeftButton);
    view = window->findChild<QQuickWidget*>("qwDuplicateFile");
    QVERIFY(view && view->rootObject());
    work = Work_DuplicateFile::GetInstance();
    QCOMPARE(work->typeModel()->rootObject(), static_cast<QObject*>(view->rootObject()));
}

void tst_PageDuplicates::cleanupTestCase() {
    QTRY_VERIFY(!work->HasRegisteredRun());
    sample.close();
    window = nullptr;
}

void tst_PageDuplicates::theWorkJoinsTheWindow() {
    const std::vector<IWork*> works = window->works();
    QVERIFY(std::find(works.begin(), works.end(), work) != works.end());
    QVERIFY(work->statusCallback);
    shoot(QStringLiteral("page_duplicates_start"));
}

void tst_PageDuplicates::quickScanOfDriveC() {
    auto* cProgress = window->findChild<QPushButton*>("btnCCleanRestartAndChecking");
    const QString cText = cProgress->text();
    QSignalSpy statuses(workBroker, &WorkBroker::OnCCleanStatusChanging);
    QVERIFY(QmlItems::click(*view, find("dfQuickScan")));
    QTRY_COMPARE(statuses.count(), 2);
    QCOMPARE(statuses.at(0).at(0).value<IWork::WorkStatus>(), IWork::DuplicateScanning);
    QCOMPARE(statuses.at(1).at(0).value<IWork::WorkStatus>(), IWork::DuplicateScanFinished);
    // On drive C: three pictures and documents have copies there too; the rest are on D:.
    QTRY_COMPARE(text("dfTitle"),
                 QStringLiteral("已找出重复文件<font color=\"#FF0000\">3组</font>，"
                                "占用<font color=\"#FF0000\">1.84MB</font>"));
    QCOMPARE(text("dfMainButton"), QStringLiteral("一键删除"));
    // The window presents no status of this work on its own widgets.
    QCOMPARE(cProgress->text(), cText);
    QVERIFY(QmlItems::click(*view, find("dfSectionHeader")));
    shoot(QStringLiteral("page_duplicates_drive_c"));
}

void tst_PageDuplicates::everyDriveFromTheMenu() {
    QTRY_VERIFY(!work->HasRegisteredRun());
    // The drive box of the result page scans what is chosen in it.
    QQuickItem* box = find("dfDriveBox");
    QVERIFY(box);
    const int all = box->property("count").toInt() - 1;
    QMetaObject::invokeMethod(box, "activated", Q_ARG(int, all));
    QTRY_COMPARE(text("dfTitle"),
                 QStringLiteral("已找出重复文件<font color=\"#FF0000\">10组</font>，"
                                "占用<font color=\"#FF0000\">20.10MB</font>"));
    QCOMPARE(work->typeModel()->types().front().nodes->rowCount(), 4);
    QCOMPARE(box->property("displayText").toString(), QStringLiteral("全盘扫描"));
    shoot(QStringLiteral("page_duplicates_all_drives"));
}

QTEST_MAIN(tst_PageDuplicates)
#include "tst_page_duplicates.moc"
