#include "DirectoryLister.h"
#include "FixtureTree.h"

#include <QtTest>
#include <map>
#include <sys/stat.h>

namespace fs = std::filesystem;

// What a scan sees of one folder: only real sub-folders and regular files, each file with
// the size it has when it can be opened.
class tst_DirectoryLister : public QObject {
    Q_OBJECT
private slots:
    void listsFoldersAndRegularFilesOnly();
    void sizeOfTheFileListedLast_data();
    void sizeOfTheFileListedLast();
    void folderSwappedForLinkIsNotOpened();
};

void tst_DirectoryLister::listsFoldersAndRegularFilesOnly() {
    FixtureTree tree;
    const fs::path dir = tree.root() / "d";
    FixtureTree::writeFile(dir / "a.tmp", 10);
    FixtureTree::writeFile(dir / "缓存.dat", 20);
    FixtureTree::writeFile(dir / fs::path("\xff\xfe.bin"), 30);
    fs::create_directories(dir / "子目录");
    FixtureTree::writeFile(tree.root() / "outside/x", 1);
    fs::create_directory_symlink(tree.root() / "outside", dir / "dirlink");
    fs::create_symlink(tree.root() / "outside/x", dir / "filelink");
    QCOMPARE(::mkfifo((dir / "fifo").c_str(), 0600), 0);

    DirectoryLister lister(dir);
    QVERIFY(lister.isOpen());
    std::map<fs::path, std::pair<DirectoryLister::Kind, qlonglong>> seen;
    fs::path child;
    DirectoryLister::Kind kind;
    while (lister.next(child, kind)) {
        const std::optional<std::uint64_t> size = lister.readableSize();
        seen[child.filename()] = {kind, size ? qlonglong(*size) : -1};
    }
    using K = DirectoryLister::Kind;
    const std::map<fs::path, std::pair<K, qlonglong>> expected{
        {"a.tmp", {K::RegularFile, 10}},
        {"缓存.dat", {K::RegularFile, 20}},
        {fs::path("\xff\xfe.bin"), {K::RegularFile, 30}},
        {"子目录", {K::Directory, -1}}};
    QVERIFY(seen == expected);
}

void tst_DirectoryLister::sizeOfTheFileListedLast_data() {
    QTest::addColumn<QString>("replacement"); // what the file becomes after the listing
    QTest::addColumn<qlonglong>("expected");  // -1: not counted
    QTest::newRow("unchanged") << "" << 1234LL;
    QTest::newRow("grown") << "grown" << 5000LL;
    QTest::newRow("gone") << "gone" << -1LL;
    QTest::newRow("link to a file outside") << "link" << -1LL;
    QTest::newRow("FIFO (must not hang)") << "fifo" << -1LL;
}

void tst_DirectoryLister::sizeOfTheFileListedLast() {
    QFETCH(QString, replacement);
    QFETCH(qlonglong, expected);
    FixtureTree tree;
    const fs::path dir = tree.root() / "d";
    const fs::path file = dir / "文件.tmp";
    FixtureTree::writeFile(file, 1234);
    FixtureTree::writeFile(tree.root() / "secret", 99);
    DirectoryLister lister(dir);
    fs::path child;
    DirectoryLister::Kind kind;
    QVERIFY(lister.next(child, kind));
    QCOMPARE(child, file);
    if (replacement == "grown")
        FixtureTree::writeFile(file, 5000);
    if (replacement == "gone" || replacement == "link" || replacement == "fifo")
        fs::remove(file);
    if (replacement == "link")
        fs::create_symlink(tree.root() / "secret", file);
    if (replacement == "fifo")
        QCOMPARE(::mkfifo(file.c_str(), 0600), 0);
    const std::optional<std::uint64_t> size = lister.readableSize();
    QCOMPARE(size ? qlonglong(*size) : -1LL, expected);
}

void tst_DirectoryLister::folderSwappedForLinkIsNotOpened() {
    FixtureTree tree;
    FixtureTree::writeFile(tree.root() / "outside/x", 1);
    fs::create_directory_symlink(tree.root() / "outside", tree.root() / "d");
    DirectoryLister lister(tree.root() / "d");
    QVERIFY(!lister.isOpen());
    fs::path child;
    DirectoryLister::Kind kind;
    QVERIFY(!lister.next(child, kind));
    QVERIFY(!DirectoryLister(tree.root() / "missing").isOpen());
}

QTEST_MAIN(tst_DirectoryLister)
#include "tst_DirectoryLister.moc"
