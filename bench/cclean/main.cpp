// C-drive scan and clean through the real engine, with its tile page on screen in the real
// window, on the shipped rules: C:\Windows\Temp (a tile ticked by default) holds 100,000
// files in 2,000 folders, or 1,000,000 in 50,000 with --heavy. Every file is a hard link
// (bench/support/LinkedTree), so the heavy tree costs little disk.
// Prints, besides the counts and times:
//   scan_vs_find          scan / `find DIR -type f -printf '%s\n'` (best of the rounds, warm)
//   first_rows_ms         from the start of a scan to the first frame showing a found size
//   max_stall_ms          longest gap of a 10 ms GUI heartbeat during the scans
//   tick_stall_ms         the same while the user unticks the tile, and ticks it again
//   peak_rss_mb           the process's peak resident memory during a scan
//   bytes_per_row         heap the engine keeps per file found, beyond its path's bytes
//   clean_vs_find_delete  a clean of the tile / `find DIR -type f -delete` on a copy
//   clean_stall_ms        longest GUI gap during the clean
#include "BenchMachine.h"
#include "BenchSize.h"
#include "BenchWindow.h"
#include "FirstRowsOnScreen.h"
#include "FolderItem.h"
#include "Group.h"
#include "LM_GroupModel.h"
#include "LM_GroupsModel.h"
#include "LinkedTree.h"
#include "ProcessMemory.h"
#include "TimedRun.h"
#include "Work_CClean.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 3;

struct Built {
    int files = 0;
    std::uint64_t pathBytes = 0;
};

Built BuildTree(const LinkedTree& links, const fs::path& root, int parents, int foldersPerParent,
                int filesPerFolder) {
    Built built;
    for (int p = 0; p < parents; ++p) {
        for (int f = 0; f < foldersPerParent; ++f) {
            const fs::path folder = root / ("p" + std::to_string(p)) / ("临时" + std::to_string(f));
            for (int i = 0; i < filesPerFolder; ++i, ++built.files) {
                const fs::path file = folder / ("f" + std::to_string(i) + ".tmp");
                links.link(file, built.files);
                built.pathBytes += file.native().size();
            }
        }
    }
    return built;
}

// The tile of a folder, as (group model, row).
std::pair<LM_GroupModel*, int> TileOf(Work_CClean& work, const QString& path) {
    for (Group* group : work.groupsModel()->groups())
        for (int row = 0; row < group->model->items().size(); ++row)
            if (group->model->items().at(row)->path == path)
                return {group->model, row};
    std::fprintf(stderr, "no tile for %s\n", qPrintable(path));
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    BenchWindow::prepareApplication();
    QApplication app(argc, argv);
    const bool heavy = HeavyRun();

    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    BenchMachine::use(root);
    const fs::path temp = BenchMachine::c(root) / "Windows" / "Temp";
    const LinkedTree links(root / "pool", 512, [](int i) { return std::uint64_t(i); });
    const Built tree =
        heavy ? BuildTree(links, temp, 500, 100, 20) : BuildTree(links, temp, 40, 50, 50);

    BenchWindow bench;
    bench.open(QStringLiteral("btnDriverCClean"));
    Work_CClean& work = *Work_CClean::GetInstance();
    FirstRowsOnScreen firstRows(bench.view(QStringLiteral("qwCCleanList")),
                                [&] { return work.foundSize.load() > 0; });

    ProcessMemory::resetPeak();
    double firstRowsMs = 1e100;
    const TimedRun::Comparison timing = TimedRun::compare(
        [&] {
            firstRows.start();
            const TimedRun run =
                TimedRun::of(work, IWork::CCleanScanFinished, 1, [&] { return work.StartScan(); });
            firstRowsMs = std::min(firstRowsMs, firstRows.ms());
            return run;
        },
        [&] {
            return TimedRun::program(
                "find", {QString::fromStdString(temp.native()), "-type", "f", "-printf", "%s\\n"});
        },
        kRounds);
    const std::uint64_t peak = ProcessMemory::peakBytes();
    const std::uint64_t heapWithFiles = ProcessMemory::heapInUseBytes();
    const std::uint64_t found = work.foundSize.load();

    const auto [tiles, row] = TileOf(work, QStringLiteral("C:\\Windows\\Temp"));
    // In this order: an argument list would leave the order open.
    const double untickStall = TimedRun::stallOf([&] { tiles->setChecked(row, false); });
    const double tickStall =
        std::max(untickStall, TimedRun::stallOf([&] { tiles->setChecked(row, true); }));

    const fs::path copy = root / "copy";
    LinkedTree::copy(temp, copy);
    const double findDelete =
        TimedRun::program("find", {QString::fromStdString(copy.native()), "-type", "f", "-delete"});
    const TimedRun clean =
        TimedRun::of(work, IWork::CCleanCleanFinished, 0, [&] { return work.StartClean(); });
    // What the engine kept per file: the heap the clean gave back with its lists.
    const std::uint64_t heapWithoutFiles = ProcessMemory::heapInUseBytes();
    std::size_t left = 0;
    for (auto it = fs::recursive_directory_iterator(temp); it != fs::recursive_directory_iterator();
         ++it)
        left += it->is_regular_file() ? 1 : 0;

    std::printf("files: %d\n", tree.files);
    std::printf("bytes_found: %llu\n", static_cast<unsigned long long>(found));
    timing.print("scan", "find");
    std::printf("files_per_second: %.0f\n", tree.files / (timing.ms / 1000.0));
    std::printf("first_rows_ms: %.1f\n", firstRowsMs);
    std::printf("max_stall_ms: %.1f\n", timing.maxStallMs);
    std::printf("tick_stall_ms: %.1f\n", tickStall);
    std::printf("peak_rss_mb: %.1f\n", peak / 1048576.0);
    std::printf("bytes_per_row: %.0f\n",
                (double(heapWithFiles) - double(heapWithoutFiles)) / tree.files -
                    double(tree.pathBytes) / tree.files);
    std::printf("clean_ms: %.1f\n", clean.ms);
    std::printf("find_delete_ms: %.1f\n", findDelete);
    std::printf("clean_vs_find_delete: %.2f\n", clean.ms / findDelete);
    std::printf("clean_stall_ms: %.1f\n", clean.maxStallMs);
    std::printf("freed_bytes: %llu\n", static_cast<unsigned long long>(work.GetFreedSize()));
    std::printf("files_left: %zu\n", left);
    return 0;
}
