// The shared clean: each file deleted once, confined to its root, with the reason for each
// file that stayed, the rows to hide gathered for one hand-over, and a stop between files
// once the program quits.
#include "CleanList.h"
#include "IWork.h"
#include "TempTree.h"

#include <QtTest>
#include <algorithm>
#include <map>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace {
// Runs the list on `workers` threads; the outcome of each row.
std::map<std::uint64_t, CleanList::RemoveResult> Clean(CleanList& list, int workers = 3) {
    std::map<std::uint64_t, CleanList::RemoveResult> outcomes;
    std::mutex mutex;
    std::vector<std::thread> threads;
    for (int i = 0; i < workers; ++i) {
        threads.emplace_back([&] {
            list.work([&](const CleanList::Target& target, const CleanList::RemoveResult& result) {
                std::lock_guard<std::mutex> lock(mutex);
                QVERIFY(!outcomes.count(target.row)); // taken by exactly one worker
                outcomes[target.row] = result;
            });
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    return outcomes;
}

// The diff lines of files removed below the tree, as TempTree::diff gives them.
std::vector<std::string> Removed(const std::vector<std::string>& files) {
    std::vector<std::string> lines;
    for (const std::string& file : files)
        lines.push_back("removed: " + file);
    std::sort(lines.begin(), lines.end());
    return lines;
}
} // namespace

class tst_CleanList : public QObject {
    Q_OBJECT
private slots:
    void eachFileOnceWithItsOutcome();
    void hiddenRowsAreHandedOverOnce();
    void anActionOfItsOwnInsteadOfTheDelete();
    void checkRefusesFilesBeforeDeleting();
    // Last: quitting cannot be undone in a process.
    void quittingStopsBetweenFiles();
};

void tst_CleanList::eachFileOnceWithItsOutcome() {
    TempTree tree;
    for (int i = 0; i < 200; ++i)
        tree.write(tree / "a" / ("f" + std::to_string(i)), std::uintmax_t(i));
    tree.write("b/中文.dat", 1000);
    tree.write("secret.doc", 77);
    CleanList list;
    const std::uint32_t a = list.addRoot(tree / "a");
    const std::uint32_t b = list.addRoot(tree / "b");
    for (int i = 0; i < 200; ++i)
        list.add(tree / "a" / ("f" + std::to_string(i)), a, std::uint64_t(i));
    list.add(tree / "b/中文.dat", b, 500);
    list.add(tree / "b/gone.dat", b, 501);
    fs::create_symlink(tree / "secret.doc", tree / "b/link.doc");
    list.add(tree / "b/link.doc", b, 502);
    QCOMPARE(list.size(), std::size_t(203));

    const auto before = tree.snapshot();
    const auto outcomes = Clean(list);
    QCOMPARE(outcomes.size(), std::size_t(203));
    std::uint64_t freed = 0;
    for (int i = 0; i < 200; ++i) {
        QVERIFY(outcomes.at(std::uint64_t(i)).removed());
        freed += outcomes.at(std::uint64_t(i)).freed;
    }
    QCOMPARE(freed, std::uint64_t(199 * 200 / 2));
    QCOMPARE(outcomes.at(500).freed, std::uint64_t(1000));
    QCOMPARE(outcomes.at(501).error, std::uint32_t(platform::ErrorFileNotFound));
    QVERIFY(!outcomes.at(502).removed()); // a link is never deleted, nor what it leads to
    const auto changes = TempTree::diff(before, tree.snapshot());
    std::vector<std::string> deleted{"b/中文.dat"};
    for (int i = 0; i < 200; ++i)
        deleted.push_back("a/f" + std::to_string(i));
    QCOMPARE(changes, Removed(deleted));
    QCOMPARE(int(changes.size()), 201);
    QVERIFY(std::none_of(changes.begin(), changes.end(), [](const std::string& line) {
        return line.find("secret") != std::string::npos || line.find("link") != std::string::npos;
    }));
    // Cleared, the list is ready for the next clean.
    list.clear();
    QCOMPARE(list.size(), std::size_t(0));
    QCOMPARE(Clean(list).size(), std::size_t(0));
}

void tst_CleanList::hiddenRowsAreHandedOverOnce() {
    TempTree tree;
    CleanList list;
    const std::uint32_t root = list.addRoot(tree / "r");
    for (std::uint64_t row = 0; row < 50; ++row)
        list.add(tree / "r" / ("missing" + std::to_string(row)), root, row);
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i)
        threads.emplace_back([&] {
            list.work([&](const CleanList::Target& target, const CleanList::RemoveResult&) {
                if (target.row % 2)
                    list.hide(target.row);
            });
        });
    for (std::thread& thread : threads)
        thread.join();
    std::vector<std::uint64_t> hidden = list.takeHidden();
    std::sort(hidden.begin(), hidden.end());
    QCOMPARE(int(hidden.size()), 25);
    QCOMPARE(hidden.front(), std::uint64_t(1));
    QCOMPARE(hidden.back(), std::uint64_t(49));
    QVERIFY(list.takeHidden().empty());
}

void tst_CleanList::anActionOfItsOwnInsteadOfTheDelete() {
    TempTree tree;
    CleanList list;
    const std::uint32_t root = list.addRoot(tree / "r");
    for (std::uint64_t row = 0; row < 40; ++row)
        list.add(tree.write(tree / "r" / ("f" + std::to_string(row)), 3), root, row);
    const auto before = tree.snapshot();
    std::mutex mutex;
    std::map<std::uint64_t, fs::path> seen;
    std::map<std::uint64_t, CleanList::RemoveResult> outcomes;
    const CleanList::Action action = [&](const fs::path& from, const CleanList::Target& target,
                                         platform::ConfinedFileRemover&) {
        if (target.row == 7)
            throw std::runtime_error("one file's trouble");
        std::lock_guard<std::mutex> lock(mutex);
        seen[target.row] = from;
        return CleanList::RemoveResult{target.row, target.row % 2 ? 183u : 0u};
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i)
        threads.emplace_back([&] {
            list.work(action,
                      [&](const CleanList::Target& target, const CleanList::RemoveResult& result) {
                          std::lock_guard<std::mutex> lock(mutex);
                          outcomes[target.row] = result;
                      });
        });
    for (std::thread& thread : threads)
        thread.join();
    // Nothing deleted; every target but the throwing one reached the action once, with its
    // root, and its result reached the outcome.
    QCOMPARE(TempTree::diff(before, tree.snapshot()), std::vector<std::string>{});
    QCOMPARE(int(seen.size()), 39);
    QCOMPARE(int(outcomes.size()), 39);
    QVERIFY(!outcomes.count(7));
    QCOMPARE(seen.at(0), tree / "r");
    QCOMPARE(outcomes.at(8).freed, std::uint64_t(8));
    QCOMPARE(outcomes.at(9).error, std::uint32_t(183));
}

void tst_CleanList::checkRefusesFilesBeforeDeleting() {
    TempTree tree;
    CleanList list;
    const std::uint32_t root = list.addRoot(tree / "r");
    for (std::uint64_t row = 0; row < 40; ++row)
        list.add(tree.write(tree / "r" / ("f" + std::to_string(row)), row + 1), root, row);
    tree.write("outside.tmp", 5);
    const auto before = tree.snapshot();
    std::mutex mutex;
    std::vector<std::uint64_t> told;
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i)
        threads.emplace_back([&] {
            list.work(
                [&](const CleanList::Target& target, const CleanList::RemoveResult&) {
                    std::lock_guard<std::mutex> lock(mutex);
                    told.push_back(target.row);
                },
                // The check sees the file still there, right before its deletion.
                [&](const CleanList::Target& target) {
                    return fs::exists(target.file) && target.row % 4 != 0;
                });
        });
    for (std::thread& thread : threads)
        thread.join();
    QCOMPARE(int(told.size()), 30); // refused files are not told
    for (std::uint64_t row = 0; row < 40; ++row) {
        const bool kept = fs::exists(tree / "r" / ("f" + std::to_string(row)));
        QCOMPARE(kept, row % 4 == 0);
    }
    std::vector<std::string> deleted;
    for (std::uint64_t row = 0; row < 40; ++row)
        if (row % 4 != 0)
            deleted.push_back("r/f" + std::to_string(row));
    QCOMPARE(TempTree::diff(before, tree.snapshot()), Removed(deleted));
}

void tst_CleanList::quittingStopsBetweenFiles() {
    TempTree tree;
    for (int i = 0; i < 10; ++i)
        tree.write(tree / "r" / ("f" + std::to_string(i)), 1);
    CleanList list;
    const std::uint32_t root = list.addRoot(tree / "r");
    for (int i = 0; i < 10; ++i)
        list.add(tree / "r" / ("f" + std::to_string(i)), root, std::uint64_t(i));
    tree.write("outside.tmp", 1);
    const auto before = tree.snapshot();
    int outcomes = 0;
    list.work([&](const CleanList::Target&, const CleanList::RemoveResult&) {
        if (++outcomes == 3)
            IWork::BeginQuit();
    });
    QCOMPARE(outcomes, 3);
    int left = 0;
    for (const auto& entry : fs::directory_iterator(tree / "r"))
        left += entry.is_regular_file() ? 1 : 0;
    QCOMPARE(left, 7);
    // One worker takes the files in the order they were added.
    QCOMPARE(TempTree::diff(before, tree.snapshot()), Removed({"r/f0", "r/f1", "r/f2"}));
}

QTEST_MAIN(tst_CleanList)
#include "tst_CleanList.moc"
