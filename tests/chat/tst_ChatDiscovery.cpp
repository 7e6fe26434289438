// Finding the chat programs at start-up: WeChat through its registry key, QQ through its
// settings file, and the account folders of each; what a page does when a program or its
// accounts are missing.
#include "ChatFixture.h"
#include "EitherChatWork.h"
#include "WorkBroker.h"

#include <QtTest>

namespace fs = std::filesystem;

namespace {
QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}
} // namespace

class tst_ChatDiscovery : public QObject {
    Q_OBJECT
private slots:
    void weChatFolder_data();
    void weChatFolder();
    void weChatAccounts();
    void qqFolder_data();
    void qqFolder();
    void qqAccounts();
    void notFound_data();
    void notFound();
    void noAccount_data();
    void noAccount();
};

void tst_ChatDiscovery::weChatFolder_data() {
    QTest::addColumn<bool>("key");
    QTest::addColumn<QString>("fileSavePath"); // null: no such value
    QTest::addColumn<bool>("otherValue");
    QTest::addColumn<QString>("folderText"); // null: WeChat not found
    QTest::newRow("no key") << false << QString() << false << QString();
    QTest::newRow("empty key") << true << QString() << false << QString();
    QTest::newRow("key without the value: Documents")
        << true << QString() << true << "C:\\Users\\u/Documents\\WeChat Files";
    QTest::newRow("MyDocument:") << true << "MyDocument:" << false
                                 << "C:\\Users\\u/Documents\\WeChat Files";
    QTest::newRow("absolute folder, Chinese name")
        << true << "D:\\微信数据" << false << "D:\\微信数据\\WeChat Files";
}

void tst_ChatDiscovery::weChatFolder() {
    QFETCH(bool, key);
    QFETCH(QString, fileSavePath);
    QFETCH(bool, otherValue);
    QFETCH(QString, folderText);
    ChatFixture tree;
    if (key)
        tree.installWeChat(fileSavePath.isNull() ? std::nullopt
                                                 : std::optional(fileSavePath.toStdString()),
                           otherValue);
    fs::create_directories(tree.c("Users/u/Documents/WeChat Files/wxid_doc"));
    fs::create_directories(tree.d("微信数据/WeChat Files/wxid_d"));
    TestVX work;
    if (folderText.isNull()) {
        QVERIFY(!work.chatListModel());
        QVERIFY(!work.saveRoot());
        return;
    }
    QVERIFY(work.chatListModel());
    QCOMPARE(work.list().folderText(), folderText);
    QCOMPARE(work.list().accounts().size(), 1);
    QCOMPARE(work.list().categoryCount(), 9);
}

void tst_ChatDiscovery::weChatAccounts() {
    ChatFixture tree;
    const fs::path folder = tree.weChatOnD(
        {"wxid_abc", "WXID_def", "wxid", "All Users", "wxid_微信号", "wxid_\xff\xfe"});
    tree.write(folder / "wxid_x.txt", 10);
    fs::create_directories(tree.d("elsewhere/wxid_far"));
    fs::create_directory_symlink(tree.d("elsewhere/wxid_far"), folder / "wxid_link");
    TestVX work;
    const QStringList accounts = work.list().accounts();
    QCOMPARE(Sorted(accounts), Sorted({"wxid_abc", "wxid_微信号", "wxid_\uFFFD\uFFFD"}));
    // The name on disk stays the bytes it is.
    QCOMPARE(work.accounts().size(), std::size_t(3));
    bool raw = false;
    for (const auto& account : work.accounts())
        raw |= account.name == fs::path("wxid_\xff\xfe");
    QVERIFY(raw);
}

void tst_ChatDiscovery::qqFolder_data() {
    QTest::addColumn<QString>("settings"); // null: no settings file
    QTest::addColumn<QString>("saveRoot"); // null: QQ not found
    QTest::newRow("no settings file") << QString() << QString();
    QTest::newRow("no key") << "[UserDataSet]\nOther=1\n"
                            << "";
    QTest::newRow("absolute folder") << "[UserDataSet]\r\nUserDataSavePath=D:\\QQData\r\n"
                                     << "D:\\QQData";
    QTest::newRow("MyDocument:") << "[UserDataSet]\nUserDataSavePath=MyDocument:\n"
                                 << "C:\\Users\\u\\Documents";
}

void tst_ChatDiscovery::qqFolder() {
    QFETCH(QString, settings);
    QFETCH(QString, saveRoot);
    ChatFixture tree;
    if (!settings.isNull())
        tree.writeQQSettings(settings.toStdString());
    TestQQ work;
    if (saveRoot.isNull()) {
        QVERIFY(!work.chatListModel());
        return;
    }
    QVERIFY(work.chatListModel());
    QCOMPARE(*work.saveRoot(), saveRoot);
    QCOMPARE(work.list().folderText(), saveRoot);
    QCOMPARE(work.list().categoryCount(), 5);
}

void tst_ChatDiscovery::qqAccounts() {
    ChatFixture tree;
    const fs::path folder = tree.qqOnD({"12345", "67890", "nt_qq", "NT_QQ"});
    tree.write(folder / "notes.txt", 10);
    fs::create_directories(tree.d("elsewhere/555"));
    fs::create_directory_symlink(tree.d("elsewhere/555"), folder / "555");
    TestQQ work;
    QCOMPARE(Sorted(work.list().accounts()), Sorted({"12345", "67890", "NT_QQ"}));
}

void tst_ChatDiscovery::notFound_data() {
    QTest::addColumn<bool>("qq");
    QTest::addColumn<QString>("message");
    QTest::newRow("WeChat") << false << "未检查到您安装微信!";
    QTest::newRow("QQ") << true << "未检查到您安装QQ!";
}

void tst_ChatDiscovery::notFound() {
    QFETCH(bool, qq);
    QFETCH(QString, message);
    ChatFixture tree;
    EitherChatWork work(qq);
    QSignalSpy statuses(workBroker, &WorkBroker::OnCCleanStatusChanging);
    // Every press tells the user again; nothing starts, nothing is reported.
    QCOMPARE(work->StartScan(), 0);
    QCOMPARE(work->StartScan(), 0);
    QCOMPARE(work->StartClean(), 0);
    QCOMPARE(work.messages(), QStringList({message, message}));
    QCoreApplication::processEvents();
    QCOMPARE(statuses.count(), 0);
    QVERIFY(!work->HasRegisteredRun());
}

void tst_ChatDiscovery::noAccount_data() {
    QTest::addColumn<bool>("qq");
    QTest::newRow("WeChat") << false;
    QTest::newRow("QQ") << true;
}

void tst_ChatDiscovery::noAccount() {
    QFETCH(bool, qq);
    ChatFixture tree;
    if (qq)
        tree.qqOnD({"nt_qq"});
    else
        tree.weChatOnD({"All Users"});
    EitherChatWork work(qq);
    QVERIFY(work->chatListModel());
    QSignalSpy statuses(workBroker, &WorkBroker::OnCCleanStatusChanging);
    // A refused start reports nothing, so the page never waits for an end that won't come.
    QCOMPARE(work->StartScan(), 0);
    QCOMPARE(work->StartClean(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(statuses.count(), 0);
    QVERIFY(!work->HasRegisteredRun());
}

QTEST_MAIN(tst_ChatDiscovery)
#include "tst_ChatDiscovery.moc"
