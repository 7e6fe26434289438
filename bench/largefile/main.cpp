// Large-file scan of drive C: through the real engine, with its page on screen in the real
// window: 200,000 small files in 20,000 folders and 40 sparse files of 30 MiB and more, or
// with --heavy 500,000 small files and 2,000 large ones listed. The small files are hard
// links (bench/support/LinkedTree) and the large ones sparse, so the heavy tree costs little
// disk.
// Prints, besides the counts and times:
//   scan_vs_find     scan / `find ROOT -xdev -type f -size +30M` (best of the rounds, warm)
//   first_rows_ms    from the start of a scan to the first frame showing a listed file
//   max_stall_ms     longest gap of a 10 ms GUI heartbeat during the scans
//   tick_stall_ms    the same while the user ticks the largest category's box, and unticks it
//   peak_rss_mb      the process's peak resident memory during a scan
//   bytes_per_row    heap a listed row keeps, beyond its path's bytes (what emptying the
//                    lists gives back)
#include "BenchMachine.h"
#include "BenchSize.h"
#include "BenchWindow.h"
#include "FirstRowsOnScreen.h"
#include "LM_LargeFilesItemModel.h"
#include "LM_LargeFilesModel.h"
#include "LinkedTree.h"
#include "ProcessMemory.h"
#include "TimedRun.h"
#include "Work_LargeFile.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 3;
// Most names are of no listed type; some are, but small, and cost the scan a look.
const char* const kExtensions[] = {".txt", ".dat", ".log", ".png",  ".zip",
                                   ".js",  ".dll", ".exe", ".json", ".mp4"};
const char* const kLargeExtensions[] = {".zip", ".MP4", ".docx", ".exe", ".rar"};

struct Sizes {
    int parents, foldersPerParent, filesPerFolder, largeFiles;
};

struct Built {
    int files = 0;
    int listed = 0; // large files outside the system folders
    std::uint64_t listedPathBytes = 0;
};

Built BuildTree(const LinkedTree& links, const fs::path& c, const Sizes& sizes) {
    Built built;
    for (int p = 0; p < sizes.parents; ++p) {
        for (int f = 0; f < sizes.foldersPerParent; ++f) {
            const fs::path folder =
                c / "Users" / ("用户" + std::to_string(p)) / ("资料" + std::to_string(f));
            for (int i = 0; i < sizes.filesPerFolder; ++i, ++built.files)
                links.link(folder / ("f" + std::to_string(i) + kExtensions[i % 10]), built.files);
        }
    }
    // Large ones, spread over the tree; one in eight in a system folder, which is left out.
    for (int i = 0; i < sizes.largeFiles; ++i, ++built.files) {
        const bool system = i % 8 == 0;
        const fs::path folder = system
                                    ? c / "Windows" / "Temp" / std::to_string(i)
                                    : c / "Users" / ("用户" + std::to_string(i % sizes.parents)) /
                                          ("资料" + std::to_string(i % sizes.foldersPerParent));
        fs::create_directories(folder);
        const fs::path file = folder / ("大文件" + std::to_string(i) + kLargeExtensions[i % 5]);
        std::ofstream(file, std::ios::binary) << "x";
        fs::resize_file(file, (30ull << 20) + std::uint64_t(i) * 4099);
        if (!system) {
            ++built.listed;
            built.listedPathBytes += file.native().size();
        }
    }
    return built;
}

int ListedRows(const LM_LargeFilesModel& model) {
    int rows = 0;
    for (const LargeFileGroup& group : model.groups())
        rows += group.files->rowCount();
    return rows;
}

int LargestCategory(const LM_LargeFilesModel& model) {
    int largest = 0;
    for (int i = 1; i < int(model.groups().size()); ++i)
        if (model.groups()[std::size_t(i)].files->rowCount() >
            model.groups()[std::size_t(largest)].files->rowCount())
            largest = i;
    return largest;
}

} // namespace

int main(int argc, char** argv) {
    BenchWindow::prepareApplication();
    QApplication app(argc, argv);
    const Sizes sizes = HeavyRun() ? Sizes{500, 100, 10, 2300} : Sizes{200, 100, 10, 40};

    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    BenchMachine::use(root);
    const fs::path c = BenchMachine::c(root);
    const LinkedTree links(root / "pool", 700, [](int i) { return std::uint64_t(i); });
    const Built tree = BuildTree(links, c, sizes);

    BenchWindow bench;
    bench.open(QStringLiteral("btnLargeFileReplace"));
    Work_LargeFile& work = *Work_LargeFile::GetInstance();
    LM_LargeFilesModel& model = *work.listModel();
    FirstRowsOnScreen firstRows(bench.view(QStringLiteral("qwLargeFileReplace")),
                                [&] { return ListedRows(model) > 0; });

    ProcessMemory::resetPeak();
    double firstRowsMs = 1e100;
    const TimedRun::Comparison timing = TimedRun::compare(
        [&] {
            firstRows.start();
            const TimedRun run =
                TimedRun::of(work, IWork::LargeFileScanFinished, IWork::LargeFileScanning,
                             [&] { return work.StartScan(); });
            firstRowsMs = std::min(firstRowsMs, firstRows.ms());
            return run;
        },
        [&] {
            return TimedRun::program("find", {QString::fromStdString(c.native()), "-xdev", "-type",
                                              "f", "-size", "+30M"});
        },
        kRounds);
    const std::uint64_t peak = ProcessMemory::peakBytes();
    const std::uint64_t heapWithRows = ProcessMemory::heapInUseBytes();
    const int rows = ListedRows(model);

    const int largest = LargestCategory(model);
    // In this order: an argument list would leave the order open.
    const double tickStall = TimedRun::stallOf([&] { model.setCheckedToChildren(largest, true); });
    const double untickStall =
        TimedRun::stallOf([&] { model.setCheckedToChildren(largest, false); });

    // What the rows keep: the heap emptying the lists gives back.
    model.clearGroupFiles();
    const std::uint64_t heapWithoutRows = ProcessMemory::heapInUseBytes();

    std::printf("files: %d\n", tree.files);
    std::printf("large_files_listed: %d\n", rows);
    std::printf("large_files_expected: %d\n", tree.listed);
    std::printf("bytes_found: %llu\n", static_cast<unsigned long long>(work.foundSize.load()));
    timing.print("scan", "find");
    std::printf("first_rows_ms: %.1f\n", firstRowsMs);
    std::printf("max_stall_ms: %.1f\n", timing.maxStallMs);
    std::printf("tick_stall_ms: %.1f\n", std::max(tickStall, untickStall));
    std::printf("peak_rss_mb: %.1f\n", peak / 1048576.0);
    std::printf("bytes_per_row: %.0f\n", (double(heapWithRows) - double(heapWithoutRows)) / rows -
                                             double(tree.listedPathBytes) / tree.listed);
    return 0;
}
