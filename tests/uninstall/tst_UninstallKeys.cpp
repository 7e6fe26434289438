#include "SoftwareFixture.h"
#include "UninstallKeys.h"

#include <QtTest>

using Key = SoftwareFixture::Key;

// Which registry entries become programs: the four keys in order, the first entry of a
// name winning, entries without a name read but not listed.
class tst_UninstallKeys : public QObject {
    Q_OBJECT
private slots:
    void firstKeyWinsAndNamelessEntriesAreSkipped();
    void missingKeysAreReported();
    void valuesAndFallbacks();
    void stopEndsTheRead();
};

namespace {

QList<UninstallKeys::Entry> ReadAll(UninstallKeys::Counts* counts = nullptr) {
    QList<UninstallKeys::Entry> entries;
    const std::atomic<bool> stop{false};
    const UninstallKeys::Counts read =
        UninstallKeys::read([&](const UninstallKeys::Entry& e) { entries.append(e); }, stop);
    if (counts)
        *counts = read;
    return entries;
}

} // namespace

void tst_UninstallKeys::firstKeyWinsAndNamelessEntriesAreSkipped() {
    SoftwareFixture fixture;
    // Added in the opposite order of the passes, so file order cannot be what decides.
    fixture.add(Key::User32, "p32u", {{"DisplayName", "Player"}, {"UninstallString", "u32"}});
    fixture.add(Key::User64, "p64u", {{"DisplayName", "Player"}, {"UninstallString", "u64"}});
    fixture.add(Key::Machine32, "p32", {{"DisplayName", "Player"}, {"UninstallString", "m32"}});
    fixture.add(Key::Machine64, "p64", {{"DisplayName", "Player"}, {"UninstallString", "m64"}});
    fixture.add(Key::Machine32, "ime", {{"DisplayName", "输入法"}, {"UninstallString", "ime"}});
    fixture.add(Key::User64, "tool", {{"DisplayName", "Tool"}, {"UninstallString", "tool"}});
    // An update without a name of its own, and one whose name differs only in case.
    fixture.add(Key::Machine64, "KB5031356", {{"UninstallString", "kb"}});
    fixture.add(Key::User32, "player", {{"DisplayName", "PLAYER"}, {"UninstallString", "up"}});

    UninstallKeys::Counts counts;
    const QList<UninstallKeys::Entry> entries = ReadAll(&counts);
    QStringList listed;
    for (const auto& entry : entries)
        listed << entry.displayName + "=" + entry.uninstallString;
    QCOMPARE(listed, QStringList({"Player=m64", "输入法=ime", "Tool=tool", "PLAYER=up"}));
    QCOMPARE(counts.read, 8);
    QCOMPARE(counts.listed, 4);
}

void tst_UninstallKeys::missingKeysAreReported() {
    SoftwareFixture fixture(false);
    fixture.add(Key::User64, "tool", {{"DisplayName", "Tool"}});
    for (const char* path : {"HKEY_LOCAL_MACHINE and SOFTWARE\\\\Microsoft",
                             "HKEY_LOCAL_MACHINE and SOFTWARE\\\\Wow6432Node",
                             "HKEY_CURRENT_USER and SOFTWARE\\\\Wow6432Node"})
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral("^===Unistall scan path read bad,main KEY "
                                              "and path is <<") +
                               path));
    QCOMPARE(ReadAll().size(), 1);
}

void tst_UninstallKeys::valuesAndFallbacks() {
    SoftwareFixture fixture;
    fixture.add(Key::Machine64, "full",
                {{"DisplayName", "Full"},
                 {"UninstallString", "\"C:\\App\\u.exe\" /S"},
                 {"EstimatedSize", "dword:00001000"},
                 {"DisplayIcon", "C:\\App\\app.ico"},
                 {"InstallDate", "20230115"},
                 {"InstallTime", "20990101"},
                 {"InstallLocation", "C:\\App\\"}});
    fixture.add(Key::Machine64, "time", {{"DisplayName", "Time"}, {"InstallTime", "20200202"}});
    fixture.add(Key::Machine64, "bare", {{"DisplayName", "Bare"}, {"DisplayIcon", ""}});
    // Subkeys come in name order, as on Windows.
    const QList<UninstallKeys::Entry> entries = ReadAll();
    QCOMPARE(entries.size(), 3);
    const UninstallKeys::Entry& bare = entries.at(0);
    const UninstallKeys::Entry& full = entries.at(1);
    const UninstallKeys::Entry& time = entries.at(2);
    QCOMPARE(full.uninstallString, QStringLiteral("\"C:\\App\\u.exe\" /S"));
    QCOMPARE(full.estimatedSize, 4096u);
    QCOMPARE(full.displayIcon, QStringLiteral("C:\\App\\app.ico"));
    QVERIFY(full.hasDisplayIcon);
    QCOMPARE(full.installDate, QStringLiteral("20230115"));
    QCOMPARE(full.installLocation, QStringLiteral("C:\\App\\"));
    QCOMPARE(time.installDate, QStringLiteral("20200202"));
    QVERIFY(!time.hasDisplayIcon);
    QVERIFY(time.uninstallString.isEmpty());
    QCOMPARE(time.estimatedSize, 0u);
    QVERIFY(bare.hasDisplayIcon);
    QVERIFY(bare.displayIcon.isEmpty());
}

void tst_UninstallKeys::stopEndsTheRead() {
    SoftwareFixture fixture;
    for (int i = 0; i < 5; ++i)
        fixture.add(Key::Machine64, QString("p%1").arg(i),
                    {{"DisplayName", QString("P%1").arg(i)}});
    std::atomic<bool> stop{false};
    int seen = 0;
    UninstallKeys::read(
        [&](const UninstallKeys::Entry&) {
            if (++seen == 2)
                stop.store(true);
        },
        stop);
    QCOMPARE(seen, 2);
}

QTEST_GUILESS_MAIN(tst_UninstallKeys)
#include "tst_UninstallKeys.moc"
