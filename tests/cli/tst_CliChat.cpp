#include "CliProgram.h"
#include "DriveFixture.h"
#include "FixtureRegistry.h"

#include <QJsonArray>
#include <QtTest>
#include <chrono>

namespace fs = std::filesystem;

// "wechat" and "qq" as a user runs them: the categories with their files and accounts, the
// account and age filters, a clean of what the filters leave, a program that is not there.
class tst_CliChat : public QObject {
    Q_OBJECT
private slots:
    void scanWeChat();
    void cleanWeChat_data();
    void cleanWeChat();
    void qqSharedFilesBelongToNoAccount();
    void notInstalled_data();
    void notInstalled();

private:
    // WeChat in "D:\微信" with accounts wxid_a and wxid_b; files from 90 days ago and from now.
    static void layOutWeChat(DriveFixture& drives, FixtureRegistry& registry);
    CliProgram cli_;
};

namespace {

const fs::path weChat("微信/WeChat Files");

void age(const fs::path& file, int days) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(24 * days));
}

} // namespace

void tst_CliChat::layOutWeChat(DriveFixture& drives, FixtureRegistry& registry) {
    registry.set("SOFTWARE\\Tencent\\WeChat", "FileSavePath", "D:\\微信");
    age(drives.write(drives.d(weChat / "wxid_a/FileStorage/General/Data/old.dat"), 100), 90);
    drives.write(drives.d(weChat / "wxid_a/FileStorage/General/Data/new.dat"), 200);
    age(drives.write(drives.d(weChat / "wxid_b/FileStorage/General/Data/b.dat"), 400), 90);
    age(drives.write(drives.d(weChat / "wxid_b/FileStorage/Video/v.mp4"), 800), 90);
    drives.write(drives.d(weChat / "wxid_a/FileStorage/Temp/t.tmp"), 1600);
    // WeChat's own folder: no account.
    drives.write(drives.d(weChat / "All Users/config/c.ini"), 5);
}

void tst_CliChat::scanWeChat() {
    DriveFixture drives;
    FixtureRegistry registry(drives);
    layOutWeChat(drives, registry);
    const CliProgram::Result all = cli_.run({"wechat", "scan", "--json"});
    QCOMPARE(all.status, 0);
    QCOMPARE(all.errText(), QString());
    QJsonObject json = all.json();
    QCOMPARE(json.value("installed").toBool(), true);
    QCOMPARE(json.value("folder").toString(), QStringLiteral("D:\\微信\\WeChat Files"));
    QStringList accounts;
    for (const QJsonValue& account : json.value("accounts").toArray())
        accounts << account.toString();
    accounts.sort();
    QCOMPARE(accounts, QStringList({"wxid_a", "wxid_b"}));
    QCOMPARE(json.value("total").toObject().value("bytes").toInt(), 3100);
    QCOMPARE(json.value("total").toObject().value("selectedBytes").toInt(), 2300);
    const QJsonArray categories = json.value("categories").toArray();
    QCOMPARE(categories.size(), 9);
    const QJsonObject avatars = categories[2].toObject();
    QCOMPARE(avatars.value("id").toString(), QStringLiteral("3"));
    QCOMPARE(avatars.value("name").toString(), QStringLiteral("好友高清头像"));
    QCOMPARE(avatars.value("checked").toBool(), true);
    QCOMPARE(avatars.value("bytes").toInt(), 700);
    QCOMPARE(avatars.value("count").toInt(), 3);
    const QJsonObject first = avatars.value("rows").toArray()[0].toObject();
    QCOMPARE(first.value("path").toString(),
             QStringLiteral("D:\\微信\\WeChat Files\\wxid_a\\FileStorage\\General\\Data\\new.dat"));
    QCOMPARE(first.value("account").toString(), QStringLiteral("wxid_a"));
    QCOMPARE(first.value("checked").toBool(), true);
    QCOMPARE(first.value("bytes").toInt(), 200);
    const QDateTime modified =
        QDateTime::fromString(first.value("modified").toString(), Qt::ISODate);
    QVERIFY(modified.isValid() && modified.timeSpec() == Qt::UTC);
    QVERIFY(qAbs(modified.secsTo(QDateTime::currentDateTimeUtc())) < 3600);

    // The filters narrow what is listed and counted.
    const CliProgram::Result narrowed =
        cli_.run({"wechat", "scan", "--json", "--account", "wxid_b", "--older-than", "30"});
    QCOMPARE(narrowed.status, 0);
    json = narrowed.json();
    QCOMPARE(json.value("total").toObject().value("bytes").toInt(), 1200);
    QCOMPARE(json.value("total").toObject().value("count").toInt(), 2);

    const CliProgram::Result text = cli_.run({"wechat", "scan"});
    QVERIFY2(text.outText().startsWith(
                 "微信：找到 3.03KB（5 个文件），已选 2.25KB（4 个文件）\n账号：wxid_"),
             qPrintable(text.outText()));
}

void tst_CliChat::cleanWeChat_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("gone");
    const QString oldA = "wxid_a/FileStorage/General/Data/old.dat";
    const QString newA = "wxid_a/FileStorage/General/Data/new.dat";
    const QString oldB = "wxid_b/FileStorage/General/Data/b.dat";
    const QString video = "wxid_b/FileStorage/Video/v.mp4";
    const QString temp = "wxid_a/FileStorage/Temp/t.tmp";
    QTest::newRow("what the page ticks") << QStringList() << QStringList{oldA, newA, oldB, temp};
    QTest::newRow("one account") << QStringList{"--account", "wxid_a"}
                                 << QStringList{oldA, newA, temp};
    QTest::newRow("older than 30 days")
        << QStringList{"--older-than", "30"} << QStringList{oldA, oldB};
    QTest::newRow("everything of one account, old")
        << QStringList{"--all", "--account", "wxid_b", "--older-than", "30"}
        << QStringList{oldB, video};
    QTest::newRow("a category by title")
        << QStringList{"--select", "接受和发送的视频"} << QStringList{video};
}

void tst_CliChat::cleanWeChat() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, gone);
    DriveFixture drives;
    FixtureRegistry registry(drives);
    layOutWeChat(drives, registry);
    const TempTree::Snapshot before = drives.snapshot();
    const QStringList entries = registry.entries();

    const CliProgram::Result dry = cli_.run(QStringList{"wechat", "clean"} + options);
    QCOMPARE(dry.status, 0);
    QCOMPARE(drives.changesSince(before), QStringList());
    QCOMPARE(registry.entries(), entries);

    const CliProgram::Result acted = cli_.run(QStringList{"wechat", "clean", "--yes"} + options);
    QCOMPARE(acted.status, 0);
    QCOMPARE(acted.errText(), QString());
    QCOMPARE(drives.changesSince(before), CliProgram::removed(gone, "d/微信/WeChat Files/"));
    QCOMPARE(registry.entries(), entries);
}

void tst_CliChat::qqSharedFilesBelongToNoAccount() {
    DriveFixture drives;
    drives.tree().write(drives.c("Users/Public/Documents/Tencent/QQ/UserDataInfo.ini"),
                        std::string("[UserDataSet]\r\nUserDataSavePath=D:\\QQ\r\n"));
    drives.write(drives.d("QQ/12345/nt_qq/nt_data/Pic/p.jpg"), 300);
    drives.write(drives.d("QQ/nt_qq/global/own.gif"), 9);
    drives.write(drives.c("Users/u/AppData/Roaming/Tencent/QQ/STemp/s.tmp"), 50);
    const TempTree::Snapshot before = drives.snapshot();

    const QJsonObject scan = cli_.run({"qq", "scan", "--json"}).json();
    QCOMPARE(scan.value("accounts").toArray(), QJsonArray({"12345"}));
    const QJsonObject cache = scan.value("categories").toArray()[4].toObject();
    QCOMPARE(cache.value("name").toString(), QStringLiteral("缓存"));
    QCOMPARE(cache.value("rows").toArray()[0].toObject().value("account").toString("-"), QString());

    const CliProgram::Result acted =
        cli_.run({"qq", "clean", "--all", "--account", "12345", "--yes", "--lang", "en"});
    QCOMPARE(acted.status, 0);
    QVERIFY2(acted.outText().contains("cleaned 1 files, freeing 0.29KB"),
             qPrintable(acted.outText()));
    QCOMPARE(drives.changesSince(before),
             QStringList({"removed: d/QQ/12345/nt_qq/nt_data/Pic/p.jpg"}));
}

void tst_CliChat::notInstalled_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("heading");
    QTest::newRow("wechat")
        << "wechat"
        << "未检查到您安装微信（注册表中没有 HKEY_CURRENT_USER\\SOFTWARE\\Tencent\\WeChat）";
    QTest::newRow("qq")
        << "qq"
        << "未检查到您安装QQ（没有 C:\\Users\\Public\\Documents\\Tencent\\QQ\\UserDataInfo.ini）";
}

void tst_CliChat::notInstalled() {
    QFETCH(QString, area);
    QFETCH(QString, heading);
    DriveFixture drives;
    FixtureRegistry registry(drives);
    // Not an error: a machine without the program has nothing of it to clean.
    const CliProgram::Result text = cli_.run({area, "clean", "--yes"});
    QCOMPARE(text.status, 0);
    QCOMPARE(text.errText(), QString());
    QCOMPARE(text.outText(), heading + "\n");
    const QJsonObject json = cli_.run({area, "scan", "--json"}).json();
    QCOMPARE(json.value("installed").toBool(true), false);
    QCOMPARE(json.value("categories").toArray(), QJsonArray());
}

QTEST_GUILESS_MAIN(tst_CliChat)
#include "tst_CliChat.moc"
