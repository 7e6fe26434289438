// The one-key scan on a machine with neither WeChat nor QQ, as most are: their rows are
// passed over at once (they keep "等待扫描"), and the sequence still reaches privacy and
// ends. A program of its own: which programs exist is found once, when the works are made.
#include "IWork.h"
#include "SampleWindow.h"
#include "WorkBroker.h"
#include "Work_QQClean.h"
#include "Work_VXClean.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

class tst_PageHomeBare : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sequenceReachesPrivacyAndEnds();

private:
    SampleWindow sample;
    QList<int> started;
    QStringList messages;
};

void tst_PageHomeBare::initTestCase() {
    QVERIFY2(sample.applyProfile(), qPrintable(sample.error()));
    // Take WeChat's registry key and QQ's settings file away before the works look.
    const QString root = sample.profile().root();
    QFile registry(root + QStringLiteral("/registry.reg"));
    QVERIFY(registry.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(registry.readAll());
    registry.close();
    text.remove(QRegularExpression(
        QStringLiteral("\\[HKEY_CURRENT_USER\\\\SOFTWARE\\\\Tencent\\\\WeChat\\][^\\[]*")));
    QVERIFY(!text.contains(QStringLiteral("Tencent\\WeChat")));
    QVERIFY(registry.open(QIODevice::WriteOnly | QIODevice::Truncate));
    registry.write(text.toUtf8());
    registry.close();
    QVERIFY(QFile::remove(sample.profile().onC(
        QStringLiteral("Users/Public/Documents/Tencent/QQ/UserDataInfo.ini"))));

    QVERIFY2(sample.open(), qPrintable(sample.error()));
    const auto record = [this](const QString& text) { messages << text; };
    Work_VXClean::GetInstance()->showMessage = record;
    Work_QQClean::GetInstance()->showMessage = record;
    connect(workBroker, &WorkBroker::OnCCleanStatusChanging, this, [this](IWork::WorkStatus ws) {
        if ((ws - IWork::CCleanScanning) % 4 == 0 && ws >= IWork::CCleanScanning)
            started << ws;
    });
}

void tst_PageHomeBare::sequenceReachesPrivacyAndEnds() {
    auto* button = sample.child<QPushButton>(QStringLiteral("btnHomeMain"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(button->text(), QStringLiteral("立即优化"), 60000);
    QCOMPARE(started,
             QList<int>({IWork::CCleanScanning, IWork::LargeFileScanning, IWork::PrivacyScanning}));
    QCOMPARE(sample.child<QPushButton>(QStringLiteral("lblHomeVXStatus"))->text(),
             QStringLiteral("等待扫描"));
    QCOMPARE(sample.child<QPushButton>(QStringLiteral("lblHomeQQStatus"))->text(),
             QStringLiteral("等待扫描"));
    QCOMPARE(sample.child<QPushButton>(QStringLiteral("lblHomePrivacyStatus"))->text(),
             QStringLiteral("前往处理 >"));
    QVERIFY(sample.child(QStringLiteral("ControlButtons"))->isEnabled());
    // Each missing program says so once, as its page does.
    QCOMPARE(messages, QStringList({QStringLiteral("未检查到您安装微信!"),
                                    QStringLiteral("未检查到您安装QQ!")}));
    sample.shoot(QStringLiteral("home_without_chat_programs"));
}

QTEST_MAIN(tst_PageHomeBare)
#include "tst_page_home_bare.moc"
