// CRC-32 against zlib's on every path this processor can take, and the side-by-side
// reading that turns same-size files into byte-equal sets: forged collisions, a last byte
// that differs, files that cannot be read or changed size, stops, and sets too large to
// read side by side.
#include "ContentSplitter.h"
#include "Crc32.h"
#include "DuplicateTestFiles.h"
#include "TempTree.h"

#include <QSemaphore>
#include <QtTest>
#include <mutex>
#include <random>
#include <set>
#include <sys/resource.h>
#include <thread>
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

// The limit of descriptor numbers that leaves `room` of them free for new files: those
// below it that are open now do not count.
rlim_t LimitLeaving(std::size_t room) {
    std::set<int> open;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd"))
        open.insert(std::stoi(entry.path().filename().string()));
    int limit = 0;
    for (std::size_t free = 0; free < room; ++limit) {
        if (open.count(limit) == 0)
            ++free;
    }
    return rlim_t(limit);
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
    void crcMatchesZlibAtEveryLength_data();
    void crcMatchesZlibAtEveryLength();
    void splits_data();
    void splits();
    void crcOfCopiesIsTheirContent();
    void largeSets_data();
    void largeSets();
    void splittersShareTheOpenBudget();
    void stopGivesNothing();
};

namespace {
// Every path the CRC can take, by row name.
const std::pair<Crc32Path, const char*> crcPaths[] = {{Crc32Path::Zlib, "zlib"},
                                                      {Crc32Path::Folding, "folding"},
                                                      {Crc32Path::WideFolding, "wide folding"}};

Crc32Path FetchedPath() {
    QFETCH(int, path);
    return static_cast<Crc32Path>(path);
}
} // namespace

void tst_ContentSplitter::crcMatchesZlib_data() {
    QTest::addColumn<int>("path");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    // Long enough for every fold and a tail of 11 bytes after the last 16-byte step.
    const QByteArray pangram =
        QByteArray("The quick brown fox jumps over the lazy dog. ").repeated(23);
    for (const auto& [path, name] : crcPaths) {
        QTest::addRow("check value, %s", name)
            << int(path) << QByteArray("123456789") << "cbf43926";
        QTest::addRow("empty, %s", name) << int(path) << QByteArray() << "00000000";
        QTest::addRow("one byte, %s", name) << int(path) << QByteArray("a") << "e8b7be43";
        QTest::addRow("leading zeros kept, %s", name)
            << int(path) << QByteArray("ob") << "000065e3";
        QTest::addRow("1035 bytes, %s", name) << int(path) << pangram << "90f387e5";
    }
}

void tst_ContentSplitter::crcMatchesZlib() {
    const Crc32Path path = FetchedPath();
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    if (!Crc32PathAvailable(path))
        QSKIP("this processor cannot take this path");
    const std::uint32_t zlib = std::uint32_t(
        crc32(0, reinterpret_cast<const Bytef*>(text.constData()), uInt(text.size())));
    const std::uint32_t crc = Crc32UpdateOn(path, 0, text.constData(), std::size_t(text.size()));
    QCOMPARE(crc, zlib);
    QCOMPARE(Crc32Update(0, text.constData(), std::size_t(text.size())), zlib);
    QCOMPARE(Crc32Text(crc).size(), std::size_t(8));
    QCOMPARE(QString::fromStdString(Crc32Text(crc)), expected);
}

void tst_ContentSplitter::crcMatchesZlibAtEveryLength_data() {
    QTest::addColumn<int>("path");
    for (const auto& [path, name] : crcPaths)
        QTest::newRow(name) << int(path);
}

void tst_ContentSplitter::crcMatchesZlibAtEveryLength() {
    const Crc32Path path = FetchedPath();
    if (!Crc32PathAvailable(path))
        QSKIP("this processor cannot take this path");
    // Every length and alignment around the folds' 16-, 64- and 256-byte steps, and the
    // lanes' main loops, carried on from a running value, must give zlib's result.
    const std::string data = Bytes(7, 70000);
    std::mt19937 random(3);
    for (int i = 0; i < 3000; ++i) {
        const std::size_t offset = random() % 64;
        const std::size_t length = i < 2000 ? std::size_t(i % 300) : random() % 69000;
        const auto* bytes = reinterpret_cast<const Bytef*>(data.data() + offset);
        const uLong zlib = crc32(uLong(i), bytes, uInt(length));
        QCOMPARE(Crc32UpdateOn(path, std::uint32_t(i), bytes, length), std::uint32_t(zlib));
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
    QStringList failed;
    splitter.setOpenFailed([&](const fs::path& file, const std::error_code& error) {
        failed << QString::fromStdString(file.filename().string()) + ": " +
                      (error == std::errc::no_such_file_or_directory ? "gone" : "other");
    });
    const std::atomic<bool> stop{false};
    QCOMPARE(Names(splitter.split(paths, std::uint64_t(size), stop), paths), sets);
    // A file that cannot be opened is told, with why.
    QStringList gone;
    for (const QString& entry : files) {
        if (entry.endsWith("=gone"))
            gone << entry.section('=', 0, 0) + ": gone";
    }
    QCOMPARE(failed, gone);
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

void tst_ContentSplitter::splittersShareTheOpenBudget() {
    // Six splitters, each with a set of as many files as are read side by side: the last
    // file is gone, and each splitter is held where it hears so, its other files open. The
    // budget has room for four such sets; a limit of open files that fits the budget, but
    // not six sets, makes the other two fail unless they wait for their share.
    constexpr int splitters = 6;
    constexpr std::size_t size = 20000;
    TempTree tree;
    std::vector<std::vector<fs::path>> sets(splitters);
    for (int s = 0; s < splitters; ++s) {
        const std::string bytes = Bytes(50 + unsigned(s), size);
        const std::string name = "s" + std::to_string(s) + "-";
        for (std::size_t i = 0; i + 1 < ContentSplitter::maxOpen; ++i)
            sets[std::size_t(s)].push_back(tree.write(name + std::to_string(i), bytes));
        sets[std::size_t(s)].push_back(tree / (name + "gone"));
    }
    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit lowered = saved;
    lowered.rlim_cur = LimitLeaving(ContentSplitter::openBudget + 16);
    QVERIFY(lowered.rlim_cur <= saved.rlim_cur);
    QVERIFY(ContentSplitter::openBudget / ContentSplitter::maxOpen < std::size_t(splitters));
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &lowered), 0);

    QSemaphore held;
    QSemaphore goOn;
    std::vector<std::size_t> found(splitters, 0);
    QStringList failed;
    std::mutex failedMutex;
    const std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    for (int s = 0; s < splitters; ++s) {
        threads.emplace_back([&, s] {
            ContentSplitter splitter;
            splitter.setOpenFailed([&](const fs::path& file, const std::error_code& error) {
                if (error == std::errc::no_such_file_or_directory) {
                    held.release();
                    goOn.acquire();
                    return;
                }
                std::lock_guard<std::mutex> lock(failedMutex);
                failed << QString::fromStdString(file.filename().string() + ": " + error.message());
            });
            for (const auto& copies : splitter.split(sets[std::size_t(s)], size, stop))
                found[std::size_t(s)] += copies.files.size();
        });
    }
    const int room = int(ContentSplitter::openBudget / ContentSplitter::maxOpen);
    const bool allHeld = held.tryAcquire(room, 30000);
    // The others' chance to open their files now, if nothing made them wait.
    QTest::qSleep(100);
    goOn.release(splitters);
    for (std::thread& thread : threads)
        thread.join();
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &saved), 0);
    QVERIFY(allHeld);
    QCOMPARE(failed, QStringList());
    QCOMPARE(found, std::vector<std::size_t>(splitters, ContentSplitter::maxOpen - 1));
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
