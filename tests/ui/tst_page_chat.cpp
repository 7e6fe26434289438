// The WeChat and QQ pages in the real window on the sample profile: their account and date
// selectors, and the status rows, result sentences, home rows and badges through a scan, a
// tick on the page and a clean that deletes exactly the ticked categories' files; one account
// and "7天前" chosen, a clean that deletes only that account's old files. Screenshots of each
// page before, during and after a scan, after the clean and with the choice.
#include "AppPaths.h"
#include "FormatFileSize.h"
#include "LM_ChatFilesModel.h"
#include "LM_ChatListModel.h"
#include "Merivane.h"
#include "QmlItems.h"
#include "RowLimitProxyModel.h"
#include "SampleWindow.h"
#include "Screenshots.h"
#include "ShownRowsProxyModel.h"
#include "TempTree.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_QQClean.h"
#include "Work_VXClean.h"

#include <QComboBox>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QQuickItem>
#include <QQuickWidget>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

namespace {
QString Red(const QString& size) {
    return QStringLiteral("<font color=\"#FF0000\">") + size + QStringLiteral("</font>");
}
} // namespace

class tst_PageChat : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void selectors_data();
    void selectors();
    void scanTickAndClean_data();
    void scanTickAndClean();
    void oneAccountOlderThanAWeek();

private:
    template <class T = QWidget> T* child(const QString& name) { return sample.child<T>(name); }
    QString shoot(const QString& name, bool settle = true);

    SampleWindow sample;
    SampleProfile& profile{sample.profile()};
    Merivane* window = nullptr;
    QStringList messages;
};

void tst_PageChat::initTestCase() {
    QVERIFY2(sample.applyProfile(), qPrintable(sample.error()));
    QVERIFY2(sample.open(), qPrintable(sample.error()));
    window = sample.window();
    const auto record = [this](const QString& text) { messages << text; };
    Work_VXClean::GetInstance()->showMessage = record;
    Work_QQClean::GetInstance()->showMessage = record;
}

QString tst_PageChat::shoot(const QString& name, bool settle) {
    return sample.shoot(name, settle);
}

void tst_PageChat::selectors_data() {
    QTest::addColumn<QString>("accountBox");
    QTest::addColumn<QString>("dateBox");
    QTest::addColumn<QStringList>("accounts"); // the first item, then the accounts sorted
    QTest::newRow("WeChat") << "cbbVXID_Account"
                            << "cbbVXID_Date"
                            << QStringList({"所有微信", "wxid_k2q9m7t4", "wxid_merivane01"});
    QTest::newRow("QQ") << "cbbQQID_Account"
                        << "cbbQQ_Date" << QStringList({"所有QQ", "1234567890", "2233445566"});
}

void tst_PageChat::selectors() {
    QFETCH(QString, accountBox);
    QFETCH(QString, dateBox);
    QFETCH(QStringList, accounts);
    auto* box = child<QComboBox>(accountBox);
    auto* dates = child<QComboBox>(dateBox);
    QVERIFY(box && dates);
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    std::sort(items.begin() + 1, items.end());
    QCOMPARE(items, accounts);
    QStringList dateItems;
    for (int i = 0; i < dates->count(); ++i)
        dateItems << dates->itemText(i);
    QCOMPARE(dateItems, QStringList({"不限时间", "7天前", "30天前", "半年前"}));
}

void tst_PageChat::scanTickAndClean_data() {
    QTest::addColumn<QString>("page");  // in widget names: btn<page>Clean, lbl<page>StatusIcon
    QTest::addColumn<QString>("tip");   // the page's tip label
    QTest::addColumn<QString>("found"); // sizes of the sample profile
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("withVideos"); // selected once "视频语音" is ticked
    QTest::addColumn<QStringList>("ticked"); // folders whose files the clean deletes
    QTest::addColumn<int>("removed");
    // Every folder below every account folder of a program's data in Documents.
    const auto below = [](const QString& data, const QStringList& accounts,
                          const QStringList& folders) {
        QStringList all;
        for (const QString& account : accounts)
            for (const QString& folder : folders)
                all << "Users/Merivane/Documents/" + data + '/' + account + '/' + folder + '/';
        return all;
    };
    // WeChat: nine categories of two accounts, 109,562,038 bytes; the rules tick friends'
    // avatars, moments and temporary files: 26,868,791 bytes in 44 files.
    QTest::newRow("WeChat") << "VX"
                            << "label_tipD"
                            << "104.49MB"
                            << "25.62MB"
                            << "33.94MB"
                            << below("WeChat Files", {"wxid_merivane01", "wxid_k2q9m7t4"},
                                     {"FileStorage/General/Data", "FileStorage/Sns",
                                      "FileStorage/Temp"})
                            << 44;
    // QQ: five categories of two accounts and the shared STemp, 65,840,886 bytes; the rules
    // tick friends' pictures (three folders each): 45,024,692 bytes in 38 files.
    QTest::newRow("QQ") << "QQ"
                        << "label_tipC"
                        << "62.79MB"
                        << "42.94MB"
                        << "43.70MB"
                        << below(
                               "Tencent Files", {"1234567890", "2233445566"},
                               {"nt_qq/nt_data/Pic", "nt_qq/nt_data/avatar", "nt_qq/nt_data/Emoji"})
                        << 38;
}

void tst_PageChat::scanTickAndClean() {
    QFETCH(QString, page);
    QFETCH(QString, tip);
    QFETCH(QString, found);
    QFETCH(QString, selected);
    QFETCH(QString, withVideos);
    QFETCH(QStringList, ticked);
    QFETCH(int, removed);
    auto* stack = child<QStackedWidget>("sw" + page + "CleanOperation");
    auto* progress = child<QPushButton>("btn" + page + "CleanRestartAndChecking");
    auto* restart = child<QPushButton>("btn" + page + "CleanRestart");
    auto* icon = child<QLabel>("lbl" + page + "StatusIcon");
    auto* result = child<QLabel>("lbl" + page + "CleanWasteInfo");
    auto* tipLabel = child<QLabel>(tip);
    auto* homeInfo = child<QLabel>("lblHome" + page + "Info");
    auto* homeStatus = child<QPushButton>("lblHome" + page + "Status");
    auto* list = child<QQuickWidget>("qw" + page + "CleanList");
    QVERIFY(stack && progress && restart && icon && result && tipLabel && homeInfo && homeStatus &&
            list);
    const QString name = page == "VX" ? QStringLiteral("wechat") : QStringLiteral("qq");
    const QString sentence = QStringLiteral("发现可释放") + Red(found) + QStringLiteral("，已选");
    const TempTree::Snapshot before = TempTree::snapshotOf(profile.onC(QString()).toStdString());

    QTest::mouseClick(child<QPushButton>("btn" + page + "Clean"), Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(homeStatus->text(), QStringLiteral("等待扫描"));
    shoot(name + "_before_scan");

    // The start button of the introduction page scans; the start is shown at once.
    QTest::mouseClick(child<QPushButton>("btn" + page + "CleanScan"), Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 1);
    QCOMPARE(progress->text(), QStringLiteral("正在扫描"));
    QCOMPARE(progress->property("PaintStatus").toInt(), 2);
    QCOMPARE(icon->property("PaintFlag").toInt(), 1);
    QVERIFY(restart->isHidden());
    QCOMPARE(homeStatus->text(), QStringLiteral("扫描中"));
    QVERIFY(tipLabel->text().startsWith(QStringLiteral("C盘(系统盘)可用")));
    shoot(name + "_scanning", false);

    QTRY_COMPARE(progress->text(), QStringLiteral("立即清理"));
    QCOMPARE(progress->property("PaintStatus").toInt(), 3);
    QVERIFY(progress->isEnabled());
    QCOMPARE(icon->property("PaintFlag").toInt(), 2);
    QVERIFY(!restart->isHidden());
    QCOMPARE(result->text(), sentence + Red(selected));
    QCOMPARE(homeInfo->text(), QStringLiteral("可清理") + Red(found));
    QCOMPARE(homeStatus->text(), QStringLiteral("前往处理 >"));
    QCOMPARE(child<QLabel>(page == "VX" ? "lblTipSize2" : "lblTipSize3")->text(), found);

    // Ticking on the page refreshes the sentence: "视频语音" on and off again.
    QQuickItem* videos = QmlItems::find(*list, QStringLiteral("quick_1"));
    QVERIFY(videos);
    QVERIFY(QmlItems::click(*list, videos));
    QTRY_COMPARE(result->text(), sentence + Red(withVideos));
    QVERIFY(QmlItems::click(*list, videos));
    QTRY_COMPARE(result->text(), sentence + Red(selected));
    // A ticked category (friends' avatars, friends' pictures) opened, for the picture.
    QQuickItem* section = QmlItems::find(*list, QStringLiteral("category_2"));
    QVERIFY(QmlItems::click(*list, QmlItems::find(section, QStringLiteral("title"))));
    QTRY_VERIFY(QmlItems::find(section, QStringLiteral("file_0")));
    shoot(name + "_results");

    // The progress button now cleans what is ticked.
    QTest::mouseClick(progress, Qt::LeftButton);
    QCOMPARE(progress->text(), QStringLiteral("正在清理"));
    QCOMPARE(progress->property("PaintStatus").toInt(), 2);
    QTRY_COMPARE(progress->property("PaintStatus").toInt(), 3);
    QCOMPARE(progress->text(), QStringLiteral("立即清理"));
    QCOMPARE(icon->property("PaintFlag").toInt(), 3);
    QVERIFY(!restart->isHidden());
    QCOMPARE(result->text(), QStringLiteral("清理完成,本次释放了<font color='#ff0000'>") +
                                 selected + QStringLiteral("</font>的空间!"));
    QVERIFY(child<QLabel>(page == "VX" ? "lblTipSize2" : "lblTipSize3")->isHidden());
    QVERIFY(messages.isEmpty());
    shoot(name + "_cleaned");

    // Exactly the files of the ticked categories are gone.
    int count = 0;
    for (const std::string& line :
         TempTree::diff(before, TempTree::snapshotOf(profile.onC(QString()).toStdString()))) {
        const QString change = QString::fromStdString(line);
        const bool inTicked = std::any_of(ticked.begin(), ticked.end(), [&](const QString& f) {
            return change.startsWith(QStringLiteral("removed: ") + f);
        });
        QVERIFY2(inTicked, qPrintable(change));
        ++count;
    }
    QCOMPARE(count, removed);
    // What is left can be selected and cleaned again: the sentence follows new ticks.
    QVERIFY(QmlItems::click(*list, videos));
    QTRY_VERIFY(result->text().startsWith(sentence));
}

void tst_PageChat::oneAccountOlderThanAWeek() {
    auto* accounts = child<QComboBox>("cbbVXID_Account");
    auto* dates = child<QComboBox>("cbbVXID_Date");
    auto* progress = child<QPushButton>("btnVXCleanRestartAndChecking");
    auto* result = child<QLabel>("lblVXCleanWasteInfo");
    auto* list = child<QQuickWidget>("qwVXCleanList");
    QVERIFY(accounts && dates && progress && result && list);
    QTest::mouseClick(child<QPushButton>("btnVXClean"), Qt::LeftButton);
    // Nothing ticked to begin with, nor arriving ticked.
    LM_ChatListModel& model = *Work_VXClean::GetInstance()->chatListModel();
    model.SetCheckedIndexs(false, {0, 1, 2, 3, 4, 5, 6, 7, 8});

    // One account's pictures last written more than a week ago, as the disk has them.
    const QString account = QStringLiteral("wxid_merivane01");
    const QString pictures =
        profile.onC("Users/Merivane/Documents/WeChat Files/" + account + "/FileStorage/MsgAttach");
    const QDateTime weekAgo = QDateTime::currentDateTime().addDays(-7);
    QStringList expected;
    std::uint64_t bytes = 0;
    int allPictures = 0;
    for (QDirIterator it(profile.onC("Users/Merivane/Documents/WeChat Files"), QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo file(it.next());
        if (!file.filePath().contains(QStringLiteral("/FileStorage/MsgAttach/")))
            continue;
        ++allPictures;
        if (file.filePath().startsWith(pictures) && file.lastModified() < weekAgo) {
            expected << QStringLiteral("removed: ") +
                            QDir(profile.root()).relativeFilePath(file.filePath());
            bytes += std::uint64_t(file.size());
        }
    }
    expected.sort();
    // The sample's ages leave some pictures on each side of the choice.
    QVERIFY(!expected.isEmpty());
    QVERIFY(expected.size() < allPictures);

    // Chosen before a new scan: the choice holds through it.
    accounts->setCurrentIndex(accounts->findText(account));
    dates->setCurrentIndex(dates->findText(QStringLiteral("7天前")));
    QTest::mouseClick(child<QPushButton>("btnVXCleanRestart"), Qt::LeftButton);
    QTRY_COMPARE(progress->property("PaintStatus").toInt(), 3);
    QVERIFY(result->text().endsWith(QStringLiteral("已选") + Red(QStringLiteral("0.00KB"))));

    // "收发图片" ticks what the page shows of the pictures.
    QVERIFY(QmlItems::click(*list, QmlItems::find(*list, QStringLiteral("quick_0"))));
    QTRY_VERIFY2(result->text().endsWith(QStringLiteral("已选") + Red(FormatFileSize(bytes))),
                 qPrintable(result->text() + " " + FormatFileSize(bytes) + " " +
                            QString::number(expected.size())));
    QQuickItem* section = QmlItems::find(*list, QStringLiteral("category_0"));
    QVERIFY(QmlItems::click(*list, QmlItems::find(section, QStringLiteral("title"))));
    QTRY_VERIFY(QmlItems::find(section, QStringLiteral("file_0")));
    const RowLimitProxyModel& shown = *model.category(0).proxy;
    QCOMPARE(shown.rowCount(), std::min(10, int(expected.size())));
    for (int row = 0; row < shown.rowCount(); ++row)
        QCOMPARE(shown.data(shown.index(row, 0), LM_ChatFilesModel::AccountRole).toString(),
                 account);
    shoot(QStringLiteral("wechat_one_account_7_days"));

    // Only that account's old pictures go.
    const TempTree::Snapshot before = profile.snapshot();
    QTest::mouseClick(progress, Qt::LeftButton);
    QTRY_COMPARE(progress->property("PaintStatus").toInt(), 3);
    QCOMPARE(result->text(), QStringLiteral("清理完成,本次释放了<font color='#ff0000'>") +
                                 FormatFileSize(bytes) + QStringLiteral("</font>的空间!"));
    QCOMPARE(profile.changesSince(before), expected);

    // Every account and age again: the others' pictures show, unticked.
    accounts->setCurrentIndex(0);
    dates->setCurrentIndex(0);
    QCOMPARE(model.category(0).files->rows() + expected.size(), allPictures);
    QCOMPARE(model.category(0).shown->rowCount(), model.category(0).files->rows());
    QCOMPARE(model.category(0).files->checkedCount(), 0);
    QCOMPARE(Work_VXClean::GetInstance()->selectedSize.load(), std::uint64_t(0));
}

QTEST_MAIN(tst_PageChat)
#include "tst_page_chat.moc"
