// The privacy page of the real window on the sample profile: a scan counts the Run history
// and the recent items, ticks on the page change what a clean erases, a clean erases exactly
// that, and the page says so. Screenshots before and after the clean.
#include "AppPaths.h"
#include "LogFiles.h"
#include "Merivane.h"
#include "QmlItems.h"
#include "SampleWindow.h"
#include "Screenshots.h"
#include "TempTree.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QQuickItem>
#include <QQuickWidget>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <platform/RegistryKey.h>

namespace {
const char* const runMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const QString recent = QStringLiteral("Users/Merivane/AppData/Roaming/Microsoft/Windows/Recent");

QString recordsSentence(int found, int selected) {
    return QStringLiteral("发现隐私记录<font color=\"#FF0000\">%1</font>条，已选<font "
                          "color=\"#FF0000\">%2</font>条")
        .arg(found)
        .arg(selected);
}

// The Run history's values as "name=data", sorted.
QStringList runValues() {
    QStringList values;
    const auto key = platform::RegistryKey::open(platform::RegistryRoot::CurrentUser, runMru);
    for (const auto& value : key.values())
        values << QString::fromStdString(value.name + "=" + value.text);
    values.sort();
    return values;
}
} // namespace

class tst_PagePrivacy : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void scanTickAndClean();

private:
    template <class T> T* child(const char* name) const {
        return sample.child<T>(QLatin1String(name));
    }
    QString shoot(const QString& name);
    // The page's tile of that name, a click on its tick box, the count it shows.
    QQuickItem* tile(const QString& name) const;
    bool clickTick(const QString& tileName);
    QString tileCount(const QString& tileName) const;

    QTemporaryDir logDir;
    SampleWindow sample;
    SampleProfile& profile{sample.profile()};
    Merivane* window = nullptr;
};

void tst_PagePrivacy::initTestCase() {
    QVERIFY2(sample.applyProfile(), qPrintable(sample.error()));
    LogFiles::setDirectory(logDir.path());
    QVERIFY2(sample.open(), qPrintable(sample.error()));
    window = sample.window();
}

void tst_PagePrivacy::cleanupTestCase() {
    sample.close();
    window = nullptr;
    LogFiles::setDirectory(QString());
}

QString tst_PagePrivacy::shoot(const QString& name) {
    return sample.shoot(name);
}

QQuickItem* tst_PagePrivacy::tile(const QString& name) const {
    return QmlItems::find(*child<QQuickWidget>("qwPrivacy"), QStringLiteral("tile_") + name);
}

bool tst_PagePrivacy::clickTick(const QString& tileName) {
    QQuickItem* item = tile(tileName);
    return item && QmlItems::click(*child<QQuickWidget>("qwPrivacy"),
                                   QmlItems::find(item, QStringLiteral("tickBox")));
}

QString tst_PagePrivacy::tileCount(const QString& tileName) const {
    QQuickItem* item = tile(tileName);
    return item ? item->property("sizeText").toString() : QString();
}

void tst_PagePrivacy::scanTickAndClean() {
    auto* stack = child<QStackedWidget>("swPrivacyOperation");
    auto* progress = child<QPushButton>("btnPrivacyRestartAndChecking");
    auto* restart = child<QPushButton>("btnPrivacyRestart");
    auto* icon = child<QLabel>("lblPrivacyStatusIcon");
    auto* result = child<QLabel>("lblPrivacyInfo");
    auto* selectedLine = child<QLabel>("label_127");
    auto* badge = child<QLabel>("lblTipSize6");
    auto* homeInfo = child<QLabel>("lblHomePrivacyInfo");
    QVERIFY(stack && progress && restart && icon && result && selectedLine && badge && homeInfo);
    const QStringList history = runValues();
    QCOMPARE(history.size(), 5); // a to d and MRUList "dcba"
    const std::string recentFolder = profile.onC(recent).toStdString();

    QTest::mouseClick(child<QPushButton>("btnPrivacyFileClean"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("btnPrivacyStart"), Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 1);
    QCOMPARE(progress->text(), QStringLiteral("正在扫描"));
    QTRY_COMPARE(progress->text(), QStringLiteral("立即清理"));
    QCOMPARE(progress->property("PaintStatus").toInt(), 3);
    QCOMPARE(icon->property("PaintFlag").toInt(), 2);
    // Four Run commands and five recent items; the folder's desktop.ini is no trace.
    QCOMPARE(result->text(), recordsSentence(9, 9));
    QCOMPARE(selectedLine->text(), QStringLiteral("已选择9条隐私，清理后隐私更安全！"));
    QCOMPARE(badge->text(), QStringLiteral("9条"));
    QCOMPARE(homeInfo->text(), QStringLiteral("可清理<font color=\"#FF0000\">9</font>条"));
    QCOMPARE(tileCount(QStringLiteral("Win+R运行痕迹")), QStringLiteral("4条"));
    QCOMPARE(tileCount(QStringLiteral("开始菜单最近运行程序")), QStringLiteral("5条"));

    // Unticking the Run history on the page takes its records out of the selection.
    QVERIFY(clickTick(QStringLiteral("Win+R运行痕迹")));
    QTRY_COMPARE(result->text(), recordsSentence(9, 5));
    QCOMPARE(selectedLine->text(), QStringLiteral("已选择5条隐私，清理后隐私更安全！"));
    shoot(QStringLiteral("privacy_results"));

    const TempTree::Snapshot before = TempTree::snapshotOf(recentFolder);
    QTest::mouseClick(progress, Qt::LeftButton);
    QTRY_COMPARE(result->text(), QStringLiteral("清理完成,您可以继续对未勾选项进行清理!"));
    QCOMPARE(progress->text(), QStringLiteral("立即清理"));
    QCOMPARE(progress->property("PaintStatus").toInt(), 1);
    QVERIFY(!restart->isHidden());
    QVERIFY(badge->isHidden());
    QCOMPARE(icon->property("PaintFlag").toInt(), 3);
    // The recent items are gone, the unticked Run history is not.
    QStringList removed;
    for (const std::string& line : TempTree::diff(before, TempTree::snapshotOf(recentFolder)))
        removed << QString::fromStdString(line);
    QCOMPARE(removed, QStringList({"removed: Downloads.lnk", "removed: WeChatSetup.exe.lnk",
                                   "removed: holiday-photos.zip.lnk", "removed: 季度报告.pdf.lnk",
                                   "removed: 说明文档.txt.lnk"}));
    QCOMPARE(runValues(), history);
    QCOMPARE(tileCount(QStringLiteral("开始菜单最近运行程序")), QStringLiteral("0条"));
    QCOMPARE(tileCount(QStringLiteral("Win+R运行痕迹")), QStringLiteral("4条"));
    QCOMPARE(selectedLine->text(), QStringLiteral("已选择0条隐私，清理后隐私更安全！"));
    shoot(QStringLiteral("privacy_cleaned"));

    // After a clean the progress button scans; the Run history, ticked again, is cleaned.
    QVERIFY(clickTick(QStringLiteral("Win+R运行痕迹")));
    QTest::mouseClick(progress, Qt::LeftButton);
    QCOMPARE(progress->text(), QStringLiteral("正在扫描"));
    QTRY_COMPARE(progress->text(), QStringLiteral("立即清理"));
    QCOMPARE(result->text(), recordsSentence(4, 4));
    QTest::mouseClick(progress, Qt::LeftButton);
    QTRY_COMPARE(result->text(), QStringLiteral("清理完成,您可以继续对未勾选项进行清理!"));
    QCOMPARE(runValues(), QStringList({"MRUList="}));

    // Nothing is left: the page says so and offers a new scan.
    QTest::mouseClick(restart, Qt::LeftButton);
    QTRY_COMPARE(result->text(), QStringLiteral("电脑非常干净,无需清理!"));
    QCOMPARE(progress->text(), QStringLiteral("重新扫描"));
    QCOMPARE(progress->property("PaintStatus").toInt(), 1);
    QVERIFY(restart->isHidden());
    QCOMPARE(badge->text(), QStringLiteral("0条"));
    QCOMPARE(icon->property("PaintFlag").toInt(), 3);
    shoot(QStringLiteral("privacy_clean_machine"));
}

QTEST_MAIN(tst_PagePrivacy)
#include "tst_page_privacy.moc"
