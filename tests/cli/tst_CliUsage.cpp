#include "CliProgram.h"
#include "DriveFixture.h"

#include <QtTest>

// How merivane-cli answers what it cannot do: bad usage (2, the usage line), an error (1, a
// message saying what, which path, why), and what it says of itself.
class tst_CliUsage : public QObject {
    Q_OBJECT
private slots:
    void badUsage_data();
    void badUsage();
    void errors_data();
    void errors();
    void helpAndVersion_data();
    void helpAndVersion();

private:
    CliProgram cli_;
};

namespace {
const QString usageZh = QStringLiteral("用法：merivane-cli");
const QString usageEn = QStringLiteral("usage: merivane-cli");
} // namespace

void tst_CliUsage::badUsage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("usage");
    QTest::newRow("nothing") << QStringList() << "缺少区域" << usageZh;
    QTest::newRow("unknown area") << QStringList{"dvd", "scan"} << "没有“dvd”这个区域" << usageZh;
    QTest::newRow("no action") << QStringList{"cdrive"} << "cdrive 缺少动作" << usageZh;
    QTest::newRow("unknown action") << QStringList{"cdrive", "wipe"}
                                    << "cdrive 没有“wipe”这个动作（可用：scan, clean）" << usageZh;
    QTest::newRow("unknown option")
        << QStringList{"cdrive", "scan", "--force"} << "没有 --force 这个选项" << usageZh;
    QTest::newRow("option without its value")
        << QStringList{"largefiles", "move", "--to"} << "选项 --to 需要一个值" << usageZh;
    QTest::newRow("option of another area") << QStringList{"cdrive", "clean", "--to", "D:\\x"}
                                            << "选项 --to 不适用于 cdrive clean" << usageZh;
    QTest::newRow("--yes on a scan")
        << QStringList{"privacy", "scan", "--yes"} << "选项 --yes 不适用于 privacy scan" << usageZh;
    QTest::newRow("days not a number") << QStringList{"wechat", "scan", "--older-than", "a week"}
                                       << "--older-than 需要一个非负整数天数" << usageZh;
    QTest::newRow("negative days") << QStringList{"qq", "clean", "--older-than=-3"}
                                   << "--older-than 需要一个非负整数天数" << usageZh;
    QTest::newRow("keep rule") << QStringList{"duplicates", "clean", "--keep", "largest"}
                               << "--keep 只能是 first、newest 或 oldest" << usageZh;
    QTest::newRow("drive") << QStringList{"duplicates", "scan", "--drive", "Disk1"}
                           << "--drive 需要一个盘符" << usageZh;
    QTest::newRow("--all and --select") << QStringList{"cdrive", "clean", "--all", "--select", "1"}
                                        << "--all 和 --select 不能一起用" << usageZh;
    QTest::newRow("no program named")
        << QStringList{"software", "uninstall"} << "uninstall 需要软件的名称" << usageZh;
    QTest::newRow("extra argument")
        << QStringList{"cdrive", "scan", "now"} << "多余的参数“now”" << usageZh;
    QTest::newRow("large files are moved")
        << QStringList{"largefiles", "clean"} << "大文件不删除，只搬家" << usageZh;
    QTest::newRow("move without a destination")
        << QStringList{"largefiles", "move"} << "move 需要 --to 文件夹" << usageZh;
    QTest::newRow("a selection naming nothing")
        << QStringList{"privacy", "clean", "--select", "999"} << "没有名为“999”的项（可选：001 "
        << usageZh;
    QTest::newRow("an option given twice")
        << QStringList{"wechat", "clean", "--account", "wxid_a", "--account", "wxid_b"}
        << "选项 --account 只能给一次" << usageZh;
    QTest::newRow("an account that is none")
        << QStringList{"qq", "scan", "--account", "nobody"} << "没有名为“nobody”的项" << usageZh;
    QTest::newRow("English, the language read first")
        << QStringList{"dvd", "--lang", "en"} << "there is no area \"dvd\"" << usageEn;
    QTest::newRow("language") << QStringList{"--lang=fr", "cdrive", "scan"}
                              << "--lang 只能是 zh 或 en" << usageZh;
}

void tst_CliUsage::badUsage() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QFETCH(QString, usage);
    DriveFixture drives;
    if (arguments.contains("qq")) {
        // An installed QQ with one account, so that the account is what is wrong.
        drives.tree().write(drives.c("Users/Public/Documents/Tencent/QQ/UserDataInfo.ini"),
                            std::string("[UserDataSet]\nUserDataSavePath=D:\\QQ\n"));
        drives.write(drives.d("QQ/12345/x.txt"), 1);
    }
    const TempTree::Snapshot before = drives.snapshot();
    const CliProgram::Result result = cli_.run(arguments);
    QCOMPARE(result.status, 2);
    QVERIFY(result.out.isEmpty());
    const QStringList lines = result.errText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith("merivane-cli: ") && lines[0].contains(message),
             qPrintable(result.errText()));
    QVERIFY2(lines[1].startsWith(usage), qPrintable(lines[1]));
    QCOMPARE(drives.changesSince(before), QStringList());
}

void tst_CliUsage::errors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("store"); // the registry file's content; empty: none
    QTest::addColumn<QString>("message");
    QTest::newRow("a program that is not installed")
        << QStringList{"software", "uninstall", "Nothing Such"} << ""
        << "没有安装名为“Nothing Such”的软件";
    QTest::newRow("a destination without a drive")
        << QStringList{"largefiles", "move", "--to", "大文件"} << ""
        << "搬家目标“大文件”不是完整的文件夹路径";
    QTest::newRow("a destination below a file")
        << QStringList{"largefiles", "move", "--to", "D:\\file\\sub"} << ""
        << "无法创建搬家目标 D:\\file\\sub：D:\\file 不是文件夹";
    QTest::newRow("a drive that is not there")
        << QStringList{"duplicates", "scan", "--drive", "Q:"} << ""
        << "没有 Q:\\ 这个固定磁盘";
    QTest::newRow("an unreadable registry")
        << QStringList{"privacy", "scan"}
        << "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\n"
        << "无法读取注册表：";
    QTest::newRow("in English") << QStringList{"--lang", "en",      "duplicates",
                                               "scan",   "--drive", "Q:"}
                                << ""
                                << "there is no fixed drive Q:\\";
}

void tst_CliUsage::errors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, store);
    QFETCH(QString, message);
    DriveFixture drives;
    drives.write(drives.d("file"), 10);
    const std::filesystem::path registry = drives.root() / "registry.reg";
    drives.setEnv("MERIVANE_REGISTRY", QByteArray::fromStdString(registry.native()));
    if (!store.isEmpty())
        drives.tree().write(registry, store.toStdString());
    const TempTree::Snapshot before = drives.snapshot();
    const CliProgram::Result result = cli_.run(arguments);
    QCOMPARE(result.status, 1);
    QVERIFY(result.out.isEmpty());
    const QStringList lines = result.errText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].startsWith("merivane-cli: ") && lines[0].contains(message),
             qPrintable(result.errText()));
    if (arguments.contains("privacy"))
        QVERIFY2(lines[0].contains(QString::fromStdString(registry.native())),
                 qPrintable(lines[0]));
    QCOMPARE(drives.changesSince(before), QStringList());
}

void tst_CliUsage::helpAndVersion_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("start");
    QTest::newRow("help") << QStringList{"help"} << "merivane-cli：在命令行上做窗口里各页面做的事";
    QTest::newRow("--help of an area")
        << QStringList{"cdrive", "--help"} << "merivane-cli：在命令行上做窗口里各页面做的事";
    QTest::newRow("help in English")
        << QStringList{"--lang", "en", "help"} << "merivane-cli: what the window's pages do";
    QTest::newRow("version") << QStringList{"--version"} << "merivane-cli 0.1\n";
}

void tst_CliUsage::helpAndVersion() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, start);
    DriveFixture drives;
    const CliProgram::Result result = cli_.run(arguments);
    QCOMPARE(result.status, 0);
    QVERIFY2(result.outText().startsWith(start), qPrintable(result.outText()));
    QVERIFY(result.err.isEmpty());
}

QTEST_GUILESS_MAIN(tst_CliUsage)
#include "tst_CliUsage.moc"
