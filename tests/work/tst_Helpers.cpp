#include "DriveFixture.h"
#include "DriveQuery.h"
#include "FormatFileSize.h"
#include "IsFileLocked.h"
#include "PathQString.h"
#include "ScratchVolume.h"
#include "TempTree.h"

#include <QtTest>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <platform/Drives.h>

class tst_Helpers : public QObject {
    Q_OBJECT
private slots:
    void formatFileSize_data();
    void formatFileSize();
    void isFileLocked_data();
    void isFileLocked();
    void pathTextRoundTrip_data();
    void pathTextRoundTrip();
    void undecodableNameIsShownNotThrown();
    void driveQueryTruncatesToWholeGiB();
    void driveQueryFailsForUnknownDrive();
    void driveQueryFailsBelowOneGiB();
};

void tst_Helpers::formatFileSize_data() {
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<bool>("numberOnly");
    QTest::addColumn<QString>("text");
    const quint64 mib = 1ull << 20, gib = 1ull << 30;
    QTest::newRow("0") << quint64(0) << false << "0.00KB";
    QTest::newRow("1 byte") << quint64(1) << false << "0.00KB";
    QTest::newRow("1 KiB") << quint64(1024) << false << "1.00KB";
    QTest::newRow("2^20 stays KB") << mib << false << "1024.00KB";
    QTest::newRow("2^20 + 1") << mib + 1 << false << "1.00MB";
    QTest::newRow("1.5 MiB") << mib + mib / 2 << false << "1.50MB";
    QTest::newRow("2^30 stays MB") << gib << false << "1024.00MB";
    QTest::newRow("2^30 + 1") << gib + 1 << false << "1.00GB";
    QTest::newRow("1.5 x 2^30") << gib + gib / 2 << false << "1.50GB";
    QTest::newRow("5 TiB") << 5 * 1024 * gib << false << "5120.00GB";
    QTest::newRow("number only GB") << gib + gib / 2 << true << "1.50";
    QTest::newRow("number only KB") << quint64(0) << true << "0.00";
}

void tst_Helpers::formatFileSize() {
    QFETCH(quint64, bytes);
    QFETCH(bool, numberOnly);
    QFETCH(QString, text);
    QCOMPARE(FormatFileSize(bytes, numberOnly), text);
}

void tst_Helpers::isFileLocked_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("create");
    QTest::addColumn<bool>("locked");
    QTest::newRow("readable file") << QByteArray("a.log") << true << false;
    QTest::newRow("Chinese name") << QByteArray("日志.tmp") << true << false;
    QTest::newRow("name not UTF-8") << QByteArray("bad\xff\xfe.tmp") << true << false;
    QTest::newRow("missing file") << QByteArray("gone.tmp") << false << true;
    QTest::newRow("below a file") << QByteArray("a.log/child") << false << true;
}

void tst_Helpers::isFileLocked() {
    QFETCH(QByteArray, name);
    QFETCH(bool, create);
    QFETCH(bool, locked);
    TempTree dir;
    const std::filesystem::path& root = dir.path();
    std::ofstream(root / "a.log") << "content";
    const std::filesystem::path file = root / name.toStdString();
    if (create)
        std::ofstream(file) << "some bytes";
    QCOMPARE(IsFileLocked(file), locked);
}

void tst_Helpers::pathTextRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << "/tmp/a/b.txt";
    QTest::newRow("Chinese") << "/home/张三/下载/报告.docx";
    QTest::newRow("Windows path") << "C:\\Users\\张三\\AppData\\Local\\Temp";
    QTest::newRow("empty") << "";
}

void tst_Helpers::pathTextRoundTrip() {
    QFETCH(QString, text);
    QCOMPARE(PathToQString(QStringToPath(text)), text);
}

void tst_Helpers::undecodableNameIsShownNotThrown() {
    TempTree dir;
    const std::filesystem::path file = dir.path() / "bad\xff\xfe.txt";
    std::ofstream(file) << "x";
    int listed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const QString shown = PathToQString(entry.path());
        QVERIFY(shown.startsWith(QString::fromStdString(dir.path().native()) + "/bad"));
        QVERIFY(shown.contains(QChar(0xFFFD)));
        QVERIFY(shown.endsWith(".txt"));
        QCOMPARE(entry.path(), file);
        ++listed;
    }
    QCOMPARE(listed, 1);
}

void tst_Helpers::driveQueryTruncatesToWholeGiB() {
    DriveFixture drives;
    const auto space = DriveQuery::query("C:");
    QVERIFY(space.has_value());
    // std::filesystem asks the file system itself; QStorageInfo goes through the mount
    // table, which does not describe the folder inside a chroot.
    const auto capacity = std::filesystem::space(drives.c()).capacity;
    QCOMPARE(space->totalGiB, double(std::uint64_t(capacity) >> 30));
    QCOMPARE(space->totalGiB, std::floor(space->totalGiB));
    QCOMPARE(space->freeGiB, std::floor(space->freeGiB));
    QVERIFY(space->freeGiB <= space->totalGiB);
    // Free is every free byte, not the caller's share (which a full ext4 drive keeps from
    // users while the system still has room).
    const auto storage = platform::Drives::storageOf("C:");
    QVERIFY(storage);
    const double all = double(storage->totalFree >> 30);
    const double callers = double(storage->free >> 30);
    QVERIFY(qAbs(space->freeGiB - all) <= 1.0); // other programs write to the disk meanwhile
    if (all - callers > 2.0)
        QVERIFY(space->freeGiB > callers);
}

void tst_Helpers::driveQueryFailsForUnknownDrive() {
    DriveFixture drives;
    QVERIFY(!DriveQuery::query("Q:").has_value());
}

void tst_Helpers::driveQueryFailsBelowOneGiB() {
    DriveFixture drives;
    const std::filesystem::path small = drives.root() / "small";
    const ScratchVolume volume(small, 512 << 20);
    if (!volume.mounted())
        QSKIP(qPrintable(volume.skipReason()));
    drives.setEnv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString(small.native()));
    // 0 GiB in whole units is a failed query, not a division by zero.
    QVERIFY(!DriveQuery::query("C:").has_value());
}

QTEST_GUILESS_MAIN(tst_Helpers)
#include "tst_Helpers.moc"
