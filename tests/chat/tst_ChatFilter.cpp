// The account and date choices of the chat pages, below the page: the files of other
// accounts and files newer than the chosen age are not shown, not counted in the selected
// amount and not cleaned, and the choice holds through a rescan. Cleans compare the whole
// fixture tree before and after.
#include "ChatFixture.h"
#include "EitherChatWork.h"
#include "FormatFileSize.h"
#include "ShownRowsProxyModel.h"

#include <QtTest>
#include <chrono>
#include <map>

namespace fs = std::filesystem;

namespace {

// A file of the fixture: its account's letter ("a", "b"; "s" the folder QQ's accounts share),
// its size and how many days ago it was last written.
struct Aged {
    std::string name;
    std::uintmax_t size;
    int days;
};

const std::vector<Aged> agedFiles = {
    {"a1.tmp", 100, 1},  {"a10.tmp", 200, 10},    {"a40.tmp", 400, 40},   {"a200.tmp", 800, 200},
    {"b1.tmp", 1000, 1}, {"b300.tmp", 2000, 300}, {"s300.tmp", 4000, 300}};

void WriteAged(const ChatFixture& tree, const fs::path& file, const Aged& aged) {
    tree.write(file, aged.size);
    fs::last_write_time(file,
                        fs::file_time_type::clock::now() - std::chrono::hours(24) * aged.days);
}

// WeChat: the ticked temporary files of wxid_a and wxid_b, and an old video nobody ticked.
// QQ: the ticked pictures of 12345 and 67890, and in the STemp folder all accounts share,
// whose category the test ticks too. Returns the files by name.
std::map<std::string, fs::path> Lay(ChatFixture& tree, bool qq) {
    std::map<std::string, fs::path> files;
    fs::path a, b, shared;
    if (qq) {
        const fs::path folder = tree.qqOnD({"12345", "67890"});
        a = folder / "12345/nt_qq/nt_data/Pic";
        b = folder / "67890/nt_qq/nt_data/Pic";
        shared = tree.c("Users/u/AppData/Roaming/Tencent/QQ/STemp");
        WriteAged(tree, folder / "12345/nt_qq/nt_data/Video/old.mp4", {"old.mp4", 7, 400});
    } else {
        const fs::path folder = tree.weChatOnD({"wxid_a", "wxid_b"});
        a = folder / "wxid_a/FileStorage/Temp";
        b = folder / "wxid_b/FileStorage/Temp";
        WriteAged(tree, folder / "wxid_a/FileStorage/Video/old.mp4", {"old.mp4", 7, 400});
    }
    for (const Aged& aged : agedFiles) {
        const fs::path& where = aged.name[0] == 'a' ? a : aged.name[0] == 'b' ? b : shared;
        if (where.empty())
            continue;
        files[aged.name] = where / aged.name;
        WriteAged(tree, files[aged.name], aged);
    }
    return files;
}

// The names of the ticked files the page shows, sorted.
QStringList ShownTicked(const LM_ChatListModel& list) {
    QStringList names;
    for (int c = 0; c < list.categoryCount(); ++c) {
        const ShownRowsProxyModel& shown = *list.category(c).shown;
        for (int row = 0; row < shown.rowCount(); ++row) {
            const QModelIndex index = shown.index(row, 0);
            if (shown.data(index, LM_ChatFilesModel::CheckedRole).toBool())
                names
                    << shown.data(index, LM_ChatFilesModel::PathRole).toString().section('\\', -1);
        }
    }
    names.sort();
    return names;
}

} // namespace

class tst_ChatFilter : public QObject {
    Q_OBJECT
private slots:
    void choiceFiltersTheFiles_data();
    void choiceFiltersTheFiles();
};

void tst_ChatFilter::choiceFiltersTheFiles_data() {
    QTest::addColumn<bool>("qq");
    QTest::addColumn<QString>("account");  // empty: "所有微信", "所有QQ"
    QTest::addColumn<int>("days");         // 0: "不限时间"; 7, 30, 182: "7天前" …
    QTest::addColumn<QStringList>("kept"); // the ticked files shown, counted and cleaned
    const QStringList everyWeChat{"a1.tmp", "a10.tmp", "a200.tmp", "a40.tmp", "b1.tmp", "b300.tmp"};
    QTest::newRow("WeChat, all") << false << QString() << 0 << everyWeChat;
    QTest::newRow("WeChat, one account")
        << false << "wxid_a" << 0 << QStringList{"a1.tmp", "a10.tmp", "a200.tmp", "a40.tmp"};
    QTest::newRow("WeChat, 7天前")
        << false << QString() << 7 << QStringList{"a10.tmp", "a200.tmp", "a40.tmp", "b300.tmp"};
    QTest::newRow("WeChat, 30天前")
        << false << QString() << 30 << QStringList{"a200.tmp", "a40.tmp", "b300.tmp"};
    QTest::newRow("WeChat, 半年前")
        << false << QString() << 182 << QStringList{"a200.tmp", "b300.tmp"};
    QTest::newRow("WeChat, the other account, 30天前")
        << false << "wxid_b" << 30 << QStringList{"b300.tmp"};
    QTest::newRow("WeChat, an account without files") << false << "wxid_c" << 0 << QStringList();
    QTest::newRow("QQ, all") << true << QString() << 0 << everyWeChat + QStringList{"s300.tmp"};
    // The shared folder belongs to no account.
    QTest::newRow("QQ, one account")
        << true << "12345" << 0 << QStringList{"a1.tmp", "a10.tmp", "a200.tmp", "a40.tmp"};
    QTest::newRow("QQ, 半年前") << true << QString() << 182
                                << QStringList{"a200.tmp", "b300.tmp", "s300.tmp"};
    QTest::newRow("QQ, the other account, 7天前")
        << true << "67890" << 7 << QStringList{"b300.tmp"};
}

void tst_ChatFilter::choiceFiltersTheFiles() {
    QFETCH(bool, qq);
    QFETCH(QString, account);
    QFETCH(int, days);
    QFETCH(QStringList, kept);
    ChatFixture tree;
    const std::map<std::string, fs::path> files = Lay(tree, qq);
    std::uint64_t keptBytes = 0;
    std::vector<fs::path> keptFiles;
    for (const QString& name : kept) {
        const auto aged = std::find_if(agedFiles.begin(), agedFiles.end(),
                                       [&](const Aged& a) { return a.name == name.toStdString(); });
        keptBytes += aged->size;
        // Rows name files below their folders with links resolved.
        keptFiles.push_back(fs::canonical(files.at(name.toStdString())));
    }
    EitherChatWork work(qq);
    LM_ChatListModel& list = work.list();
    if (qq)
        list.SetCheckedIndexs(true, {4}); // the shared folder's category
    QVERIFY(work.scan());
    const std::uint64_t every = work->selectedSize.load();
    const std::uint64_t found = work->foundSize.load();

    list.setFileFilter(ChatFileFilter{account, days});
    QCOMPARE(ShownTicked(list), kept);
    QCOMPARE(work->selectedSize.load(), keptBytes);
    // The category's title tells what it lists (WeChat's holds only the aged files).
    if (!qq)
        QTRY_COMPARE(list.data(list.index(8), LM_ChatListModel::SizeRole).toString(),
                     FormatFileSize(keptBytes));
    // Every file found is still found: the choice says which ones the user deals with.
    QCOMPARE(work->foundSize.load(), found);

    // A rescan lists what it finds as the choice says.
    QVERIFY(work.scan());
    QCOMPARE(ShownTicked(list), kept);
    QCOMPARE(work->selectedSize.load(), keptBytes);

    const TempTree::Snapshot before = tree.snapshot();
    if (kept.isEmpty() && qq) {
        // QQ asks for a tick first: nothing the page shows is ticked.
        QCOMPARE(work->StartClean(), 1);
    } else {
        QVERIFY(work.clean());
        QCOMPARE(work->GetFreedSize(), keptBytes);
    }
    QCOMPARE(tree.changesSince(before), tree.removedLines(keptFiles));
    // What was left out is still there, and shows again for another choice.
    list.setFileFilter({});
    QCOMPARE(work->selectedSize.load(), every - keptBytes);
}

QTEST_MAIN(tst_ChatFilter)
#include "tst_ChatFilter.moc"
