// The shared folder walk on real folder trees and several threads: what it reports, what
// it never follows, where it stops, and that it ends only when every folder is listed.
#include "FolderWalk.h"
#include "ScratchVolume.h"
#include "TempTree.h"

#include <QtTest>
#include <atomic>
#include <mutex>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

struct Found {
    std::set<std::string> files; // relative to the tree, "tag:path"
    std::uint64_t bytes = 0;
    int folders = 0;
};

// Runs the walk on `workers` threads and gathers what it reported, relative to `base`;
// `also` sees each file and `afterFolder` runs once each folder is listed.
Found Walk(FolderWalk& walk, const fs::path& base, int workers = 3,
           const std::atomic<bool>* stop = nullptr,
           std::function<void(const FolderWalk::File&)> also = {},
           std::function<void()> afterFolder = {}) {
    static const std::atomic<bool> never{false};
    Found found;
    std::mutex mutex;
    std::vector<std::thread> threads;
    for (int i = 0; i < workers; ++i) {
        threads.emplace_back([&] {
            FolderWalk::Visitor visitor;
            visitor.file = [&](const FolderWalk::File& file) {
                if (also)
                    also(file);
                const auto size = file.readableSize();
                std::lock_guard<std::mutex> lock(mutex);
                found.files.insert(std::to_string(file.tag()) + ":" +
                                   file.path().lexically_relative(base).generic_string());
                found.bytes += size.value_or(0);
            };
            visitor.folderDone = [&] {
                if (afterFolder)
                    afterFolder();
                std::lock_guard<std::mutex> lock(mutex);
                ++found.folders;
            };
            walk.work(visitor, stop ? *stop : never);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    return found;
}

std::set<std::string> Set(std::initializer_list<const char*> items) {
    return {items.begin(), items.end()};
}

} // namespace

class tst_FolderWalk : public QObject {
    Q_OBJECT
private slots:
    void filesOfEveryRootWithTheirTags();
    void linksNeverFollowed_data();
    void linksNeverFollowed();
    void rootReachedThroughALink();
    void folderSwappedForALinkAfterListing();
    void folderFilter();
    void bytesNamesAreWalked();
    void deepChainOnManyWorkers();
    void stopEndsBetweenFolders();
    void throwingVisitorLosesOneFolderOnly();
    void staysOnTheRootsFileSystem();
    void missingRootAndReset();
};

void tst_FolderWalk::filesOfEveryRootWithTheirTags() {
    TempTree tree;
    tree.write("a/1.tmp", 10);
    tree.write("a/x/y/2.tmp", 20);
    tree.write("b/3.tmp", 30);
    tree.write("b/深/缓存.dat", 40);
    tree.write("outside.tmp", 99);
    fs::create_directories(tree / "a/empty");
    FolderWalk walk;
    walk.addRoot(tree / "a", 7);
    walk.addRoot(tree / "b", 3);
    const Found found = Walk(walk, tree.path());
    QCOMPARE(found.files, Set({"7:a/1.tmp", "7:a/x/y/2.tmp", "3:b/3.tmp", "3:b/深/缓存.dat"}));
    QCOMPARE(found.bytes, std::uint64_t(100));
    // a, a/x, a/x/y, a/empty, b, b/深
    QCOMPARE(found.folders, 6);
}

void tst_FolderWalk::linksNeverFollowed_data() {
    QTest::addColumn<QString>("link");   // below the root
    QTest::addColumn<QString>("target"); // relative to the tree
    QTest::newRow("link to a folder outside") << "out"
                                              << "secret";
    QTest::newRow("link to a file outside") << "evil.tmp"
                                            << "secret/key.doc";
    QTest::newRow("link to a folder inside (a loop)") << "loop"
                                                      << "root";
    QTest::newRow("link to the tree") << "up"
                                      << ".";
    QTest::newRow("dangling link") << "gone"
                                   << "nothing-here";
}

void tst_FolderWalk::linksNeverFollowed() {
    QFETCH(QString, link);
    QFETCH(QString, target);
    TempTree tree;
    tree.write("root/keep.tmp", 5);
    tree.write("root/sub/after.tmp", 6);
    tree.write("secret/key.doc", 4000);
    fs::create_symlink(tree / target.toStdString(), tree / "root" / link.toStdString());
    FolderWalk walk;
    walk.addRoot(tree / "root", 0);
    const Found found = Walk(walk, tree.path());
    // The link is passed over alone: the rest of its folder is still listed.
    QCOMPARE(found.files, Set({"0:root/keep.tmp", "0:root/sub/after.tmp"}));
}

void tst_FolderWalk::rootReachedThroughALink() {
    // Data moved to another drive and linked back: the root itself may be a link.
    TempTree tree;
    tree.write("moved/FileStorage/a.dat", 7);
    tree.write("moved/FileStorage/x/b.dat", 8);
    fs::create_directories(tree / "profile");
    fs::create_symlink(tree / "moved/FileStorage", tree / "profile/FileStorage");
    const fs::path root = FolderWalk::ResolveRoot(tree / "profile/FileStorage");
    QCOMPARE(root, fs::canonical(tree / "moved/FileStorage"));
    FolderWalk walk;
    walk.addRoot(root, 1);
    const Found found = Walk(walk, fs::canonical(tree.path()));
    QCOMPARE(found.files, Set({"1:moved/FileStorage/a.dat", "1:moved/FileStorage/x/b.dat"}));
    QCOMPARE(FolderWalk::ResolveRoot({}), fs::path());
    QCOMPARE(FolderWalk::ResolveRoot("moved/FileStorage"), fs::path());
}

void tst_FolderWalk::folderSwappedForALinkAfterListing() {
    // root/a is listed (b is queued), then a becomes a link to outside before b is opened:
    // root/a/b now leads to outside/b, which must not be walked as if it were below root.
    TempTree tree;
    tree.write("root/a/listed.tmp", 1);
    tree.write("root/a/b/inside.tmp", 2);
    tree.write("outside/b/secret.doc", 4000);
    bool listedA = false;
    bool swapped = false;
    FolderWalk walk;
    walk.addRoot(tree / "root", 0);
    // One worker lists the folders in the order they were queued: root, a, then b.
    const Found found = Walk(
        walk, tree.path(), 1, nullptr,
        [&](const FolderWalk::File& file) { listedA |= file.path().filename() == "listed.tmp"; },
        [&] {
            if (!listedA || swapped)
                return;
            fs::rename(tree / "root/a", tree / "moved");
            fs::create_directory_symlink(tree / "outside", tree / "root/a");
            swapped = true;
        });
    QVERIFY(swapped);
    QCOMPARE(found.files, Set({"0:root/a/listed.tmp"}));
    QCOMPARE(found.bytes, std::uint64_t(1));
}

void tst_FolderWalk::folderFilter() {
    TempTree tree;
    tree.write("r/a.tmp", 1);
    tree.write("r/Windows/system.dll", 2);
    tree.write("r/Windows/deep/x.tmp", 3);
    tree.write("r/keep/Windows/y.tmp", 4);
    FolderWalk walk;
    walk.addRoot(tree / "r", 0);
    // Asked for sub-folders only, with the root's tag.
    std::atomic<int> asked{0};
    walk.setFolderFilter([&](const fs::path& folder, std::size_t tag) {
        ++asked;
        return !(tag == 0 && folder == tree / "r/Windows");
    });
    const Found found = Walk(walk, tree.path());
    QCOMPARE(found.files, Set({"0:r/a.tmp", "0:r/keep/Windows/y.tmp"}));
    QCOMPARE(asked.load(), 3); // Windows, keep, keep/Windows
}

void tst_FolderWalk::bytesNamesAreWalked() {
    TempTree tree;
    const fs::path odd = tree / "r" / fs::path("\xff\xfe-目录");
    tree.write(odd / fs::path("\xc3\x28.bin"), 11);
    tree.write(tree / "r/fine.txt", 1);
    FolderWalk walk;
    walk.addRoot(tree / "r", 0);
    std::vector<fs::path> seen;
    std::mutex mutex;
    Walk(walk, tree.path(), 2, nullptr, [&](const FolderWalk::File& file) {
        std::lock_guard<std::mutex> lock(mutex);
        seen.push_back(file.path());
    });
    QCOMPARE(seen.size(), std::size_t(2));
    QVERIFY(std::count(seen.begin(), seen.end(), odd / fs::path("\xc3\x28.bin")) == 1);
}

void tst_FolderWalk::deepChainOnManyWorkers() {
    // One long chain: at every moment only one folder can be listed, so the other workers
    // must wait for it rather than leave with folders still to come.
    TempTree tree;
    fs::path folder = tree / "chain";
    for (int depth = 0; depth < 60; ++depth) {
        folder /= "d" + std::to_string(depth);
        tree.write(folder / "f.tmp", 1);
    }
    // Slow every listing down a little so the idle workers reach the empty queue first.
    FolderWalk walk;
    walk.addRoot(tree / "chain", 0);
    const Found found = Walk(walk, tree.path(), 4, nullptr, [](const FolderWalk::File&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    QCOMPARE(int(found.files.size()), 60);
}

void tst_FolderWalk::stopEndsBetweenFolders() {
    TempTree tree;
    for (int i = 0; i < 40; ++i)
        tree.write(tree / "r" / ("d" + std::to_string(i)) / "f.tmp", 1);
    FolderWalk walk;
    walk.addRoot(tree / "r", 0);
    std::atomic<bool> stop{false};
    std::atomic<int> files{0};
    // The first file seen asks for the stop: the folder in hand is finished, no other
    // folder is started.
    const Found found = Walk(walk, tree.path(), 1, &stop, [&](const FolderWalk::File&) {
        ++files;
        stop = true;
    });
    QCOMPARE(files.load(), 1);
    QCOMPARE(found.folders, 2); // the root (no files), then one sub-folder
}

void tst_FolderWalk::throwingVisitorLosesOneFolderOnly() {
    TempTree tree;
    tree.write("r/bad/1.tmp", 1);
    tree.write("r/bad/2.tmp", 1);
    tree.write("r/good/3.tmp", 1);
    FolderWalk walk;
    walk.addRoot(tree / "r", 0);
    std::atomic<int> thrown{0};
    const Found found = Walk(walk, tree.path(), 2, nullptr, [&](const FolderWalk::File& file) {
        if (file.path().parent_path().filename() == "bad") {
            ++thrown;
            throw std::runtime_error("visitor failed");
        }
    });
    QCOMPARE(thrown.load(), 1); // the rest of that folder is passed over
    QCOMPARE(found.files, Set({"0:r/good/3.tmp"}));
}

void tst_FolderWalk::staysOnTheRootsFileSystem() {
    TempTree tree;
    tree.write("r/here.tmp", 1);
    const fs::path mountPoint = tree / "r/mounted";
    const ScratchVolume volume(mountPoint, 1 << 20);
    if (!volume.mounted())
        QSKIP(qPrintable(volume.skipReason()));
    tree.write(mountPoint / "there.tmp", 1);
    tree.write(mountPoint / "deeper/too.tmp", 1);

    FolderWalk walk;
    walk.addRoot(tree / "r", 0);
    QCOMPARE(Walk(walk, tree.path()).files, Set({"0:r/here.tmp"}));
    // A root on the other file system is walked on its own.
    walk.reset();
    walk.addRoot(mountPoint, 1);
    QCOMPARE(Walk(walk, tree.path()).files,
             Set({"1:r/mounted/there.tmp", "1:r/mounted/deeper/too.tmp"}));
}

void tst_FolderWalk::missingRootAndReset() {
    TempTree tree;
    tree.write("r/a.tmp", 1);
    FolderWalk walk;
    walk.addRoot(tree / "nowhere", 0);
    walk.addRoot({}, 1);
    walk.addRoot(tree / "r/a.tmp", 2); // a file is no folder
    walk.addRoot(tree / "r", 3);
    QCOMPARE(Walk(walk, tree.path()).files, Set({"3:r/a.tmp"}));
    // A stopped walk leaves folders behind; reset forgets them and the old roots.
    std::atomic<bool> stop{true};
    walk.reset();
    walk.addRoot(tree / "r", 4);
    QCOMPARE(Walk(walk, tree.path(), 2, &stop).files.size(), std::size_t(0));
    walk.reset();
    QCOMPARE(Walk(walk, tree.path()).files.size(), std::size_t(0));
}

QTEST_MAIN(tst_FolderWalk)
#include "tst_FolderWalk.moc"
