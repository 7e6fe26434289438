// CRC-32 against zlib's, and the side-by-side reading that turns same-size files into
// byte-equal sets: forged collisions, a last byte that differs, files that cannot be read
// or changed size, stops, and sets too large to read side by side.
#include "ContentSplitter.h"
#include "Crc32.h"
#include "DuplicateTestFiles.h"
#include "TempTree.h"

#include <QtTest>
#include <random>
#include <zlib.h>

namespace fs = std::filesystem;

namespace {
// "name=content" with content "X" (seed X), "X!" (X with its last byte changed) or "X~"
// (other bytes with X's CRC-32), all `size` bytes; "name=gone" names no file.
std::vector<fs::path> Write(TempTree& tree, const QStringList& entries, std::size_t size) {
    std::vector<fs::path> files;
    for (const QString& entry : entries) {
        const QStringList nameAndContent = entry.split('=');
        const fs::path file = tree / nameAndContent[0].toStdString();
        files.push_back(file);
        const QString content = nameAndContent[1];
        if (content == "gone")
            continue;
        const unsigned seed = content.at(0).unicode();
        std::string bytes = Bytes(seed, size);
        if (content.endsWith('!'))
            bytes.back() = static_cast<char>(bytes.back() ^ 1);
        if (content.endsWith('~'))
            bytes = WithCrc(Bytes(seed + 1000, size - 4), Crc32Update(0, bytes.data(), size));
        tree.write(file, bytes);
    }
    return files;
}

QStringList Names(const std::vector<ContentSplitter::Copies>& found,
                  const std::vector<fs::path>& files) {
    QStringList sets;
    for (const auto& copies : found) {
        QStringList names;
        for (std::size_t i : copies.files)
            names << QString::fromStdString(files[i].filename().string());
        sets << names.join('|');
    }
    sets.sort();
    return sets;
}
} // namespace

class tst_ContentSplitter : public QObject {
    Q_OBJECT
private slots:
    void crcMatchesZlib_data();
    void crcMatchesZlib();
    void splits_data();
    void splits();
    void crcOfCopiesIsTheirContent();
    void largeSets_data();
    void largeSets();
    void stopGivesNothing();
};

void tst_ContentSplitter::crcMatchesZlib_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("check value") << QByteArray("123456789") << "cbf43926";
    QTest::newRow("empty") << QByteArray() << "00000000";
    QTest::newRow("one byte") << QByteArray("a") << "e8b7be43";
    QTest::newRow("leading zeros kept") << QByteArray::fromHex("9f6d6b9a") << "";
}

void tst_ContentSplitter::crcMatchesZlib() {
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    const std::uint32_t crc = Crc32Update(0, text.constData(), std::size_t(text.size()));
    QCOMPARE(crc, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(text.constData()),
                                      uInt(text.size()))));
    QCOMPARE(Crc32Text(crc).size(), std::size_t(8));
    if (!expected.isEmpty())
        QCOMPARE(QString::fromStdString(Crc32Text(crc)), expected);
    // Every length and alignment around the fast path's 16- and 64-byte steps, carried on
    // from a running value, must give zlib's result.
    const std::string data = Bytes(7, 70000);
    std::mt19937 random(3);
    for (int i = 0; i < 3000; ++i) {
        const std::size_t offset = random() % 64;
        const std::size_t length = i < 2000 ? std::size_t(i % 300) : random() % 69000;
        const auto* bytes = reinterpret_cast<const Bytef*>(data.data() + offset);
        const uLong zlib = crc32(uLong(i), bytes, uInt(length));
        QCOMPARE(Crc32Update(std::uint32_t(i), bytes, length), std::uint32_t(zlib));
    }
}

void tst_ContentSplitter::splits_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("size");
    QTest::addColumn<QStringList>("sets");
    QTest::newRow("copies and a stranger")
        << QStringList{"a=A", "b=B", "c=A", "d=A"} << 300000 << QStringList{"a|c|d"};
    QTest::newRow("two contents") << QStringList{"a=A", "b=B", "c=B", "d=A"} << 200000
                                  << QStringList{"a|d", "b|c"};
    QTest::newRow("last byte differs") << QStringList{"a=A", "b=A!"} << 2500000 << QStringList{};
    QTest::newRow("forged CRC-32 collision")
        << QStringList{"a=A", "b=A~"} << 150000 << QStringList{};
    QTest::newRow("collision beside a copy")
        << QStringList{"a=A", "b=A~", "c=A"} << 150000 << QStringList{"a|c"};
    QTest::newRow("file gone") << QStringList{"a=A", "b=gone"} << 150000 << QStringList{};
    QTest::newRow("one copy gone")
        << QStringList{"a=A", "b=gone", "c=A"} << 150000 << QStringList{"a|c"};
    QTest::newRow("smaller than the first block")
        << QStringList{"a=A", "b=A"} << 1000 << QStringList{"a|b"};
}

void tst_ContentSplitter::splits() {
    QFETCH(QStringList, files);
    QFETCH(int, size);
    QFETCH(QStringList, sets);
    TempTree tree;
    const std::vector<fs::path> paths = Write(tree, files, std::size_t(size));
    ContentSplitter splitter;
    const std::atomic<bool> stop{false};
    QCOMPARE(Names(splitter.split(paths, std::uint64_t(size), stop), paths), sets);
    // A file that grew or shrank since it was listed is not the file that was listed.
    QCOMPARE(Names(splitter.split(paths, std::uint64_t(size) - 1, stop), paths), QStringList{});
    QCOMPARE(Names(splitter.split(paths, std::uint64_t(size) + 1, stop), paths), QStringList{});
}

void tst_ContentSplitter::crcOfCopiesIsTheirContent() {
    TempTree tree;
    const std::string bytes = Bytes(5, 3 * 1024 * 1024 + 17);
    const std::vector<fs::path> files = {tree.write("a", bytes), tree.write("b", bytes)};
    ContentSplitter splitter;
    const std::atomic<bool> stop{false};
    const auto found = splitter.split(files, bytes.size(), stop);
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found[0].crc, Crc32Update(0, bytes.data(), bytes.size()));
}

void tst_ContentSplitter::largeSets_data() {
    QTest::addColumn<int>("copiesOfA");
    QTest::addColumn<int>("collidingWithA");
    QTest::addColumn<int>("copiesOfB");
    QTest::addColumn<int>("strangers");
    QTest::newRow("many sets, narrowed by their first block") << 40 << 0 << 40 << 30;
    QTest::newRow("one set larger than can be read side by side") << 150 << 0 << 0 << 5;
    QTest::newRow("a collision inside a large set") << 130 << 3 << 0 << 0;
}

void tst_ContentSplitter::largeSets() {
    QFETCH(int, copiesOfA);
    QFETCH(int, collidingWithA);
    QFETCH(int, copiesOfB);
    QFETCH(int, strangers);
    TempTree tree;
    const std::size_t size = 40000;
    const std::string a = Bytes(1, size);
    const std::string forged = WithCrc(Bytes(2, size - 4), Crc32Update(0, a.data(), size));
    const std::string b = Bytes(3, size);
    std::vector<fs::path> files;
    std::vector<int> kind; // 0 A, 1 forged, 2 B, 3 stranger
    auto add = [&](int count, int k, const std::function<std::string(int)>& content) {
        for (int i = 0; i < count; ++i) {
            files.push_back(tree.write("f" + std::to_string(files.size()), content(i)));
            kind.push_back(k);
        }
    };
    // Interleaved, so that no set lies in one piece of the list.
    add(copiesOfA / 2, 0, [&](int) { return a; });
    add(strangers, 3, [&](int i) { return Bytes(100 + unsigned(i), size); });
    add(collidingWithA, 1, [&](int) { return forged; });
    add(copiesOfB, 2, [&](int) { return b; });
    add(copiesOfA - copiesOfA / 2, 0, [&](int) { return a; });

    ContentSplitter splitter;
    const std::atomic<bool> stop{false};
    const auto found = splitter.split(files, size, stop);
    std::map<int, int> setsOfKind, filesOfKind;
    for (const auto& copies : found) {
        const int k = kind[copies.files.front()];
        ++setsOfKind[k];
        for (std::size_t i : copies.files) {
            QCOMPARE(kind[i], k); // byte-equal only
            ++filesOfKind[k];
        }
        QVERIFY(std::is_sorted(copies.files.begin(), copies.files.end()));
    }
    QCOMPARE(filesOfKind[0], copiesOfA);
    QCOMPARE(setsOfKind[0], copiesOfA ? 1 : 0);
    QCOMPARE(filesOfKind[1], collidingWithA >= 2 ? collidingWithA : 0);
    QCOMPARE(filesOfKind[2], copiesOfB);
    QCOMPARE(filesOfKind[3], 0);
}

void tst_ContentSplitter::stopGivesNothing() {
    TempTree tree;
    const std::string bytes = Bytes(9, 500000);
    const std::vector<fs::path> files = {tree.write("a", bytes), tree.write("b", bytes)};
    ContentSplitter splitter;
    const std::atomic<bool> stop{true};
    QVERIFY(splitter.split(files, bytes.size(), stop).empty());
}

QTEST_GUILESS_MAIN(tst_ContentSplitter)
#include "tst_ContentSplitter.moc"
