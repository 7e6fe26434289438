// The window when the application quits past it, as when the session ends or anything
// calls QCoreApplication::quit(): a clean in progress still stops between two files, and
// nothing starts any more. (A process quits once: the tray menu's quit is tested in
// tst_mainwindow.)
#include "IWork.h"
#include "QuitDuringClean.h"
#include "SampleWindow.h"
#include "Work_CClean.h"

#include <QCoreApplication>
#include <QtTest>

class tst_MainWindowQuit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void applicationQuitsDuringAClean();

private:
    SampleWindow sample;
};

void tst_MainWindowQuit::initTestCase() {
    QVERIFY2(sample.applyProfile(), qPrintable(sample.error()));
    QVERIFY2(sample.open(), qPrintable(sample.error()));
}

void tst_MainWindowQuit::applicationQuitsDuringAClean() {
    QuitDuringClean clean(sample);
    const QString scanned = clean.scan();
    QVERIFY2(scanned.isEmpty(), qPrintable(scanned));
    QVERIFY(!IWork::Quitting());
    // Neither the window's close nor its menu: the application is told to quit.
    const QString stopped = clean.quitWhileCleaning([] { QCoreApplication::quit(); });
    QVERIFY2(stopped.isEmpty(), qPrintable(stopped));
    QVERIFY(IWork::Quitting());
    QCOMPARE(Work_CClean::GetInstance()->StartClean(), 2);
}

QTEST_MAIN(tst_MainWindowQuit)
#include "tst_mainwindow_quit.moc"
