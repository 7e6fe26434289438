// WeChat scan and clean through the real engine, with its page on screen in the real window:
// 20,000 files of two accounts in the nine rule folders, or 300,000 with --heavy. Every file
// is a hard link (bench/support/LinkedTree), so the heavy tree costs little disk.
// Prints, besides the counts and times:
//   scan_vs_find          scan / `find DIR -type f -printf '%s\n'` (best of the rounds, warm)
//   first_rows_ms         from the start of a scan to the first frame showing found files
//   max_stall_ms          longest gap of a 10 ms GUI heartbeat during the scans
//   tick_stall_ms         the same while the user ticks the largest category, and unticks it
//   peak_rss_mb           the process's peak resident memory during a scan
//   bytes_per_row         heap a listed row keeps, beyond its path's bytes
//   clean_vs_find_delete  a clean of every file / `find DIR -type f -delete` on a copy
//   clean_stall_ms        longest GUI gap during the clean
#include "BenchMachine.h"
#include "BenchSize.h"
#include "BenchWindow.h"
#include "FirstRowsOnScreen.h"
#include "LM_ChatFilesModel.h"
#include "LM_ChatListModel.h"
#include "LinkedTree.h"
#include "ProcessMemory.h"
#include "TimedRun.h"
#include "Work_VXClean.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <platform/RegistryKey.h>

namespace fs = std::filesystem;

namespace {

const char* const kRuleFolders[] = {
    "FileStorage/MsgAttach",      "FileStorage/Video", "FileStorage/General/Data",
    "FileStorage/File",           "FileStorage/Cache", "FileStorage/CustomEmotion",
    "FileStorage/MPPageFastLoad", "FileStorage/Sns",   "FileStorage/Temp"};
constexpr int kAccounts = 2;
constexpr int kFilesPerFolder = 111;
constexpr int kRounds = 3;

struct Built {
    int files = 0;
    std::uint64_t pathBytes = 0; // the native paths' bytes, summed
};

// 2 x 9 x folders x 111 files.
Built BuildTree(const LinkedTree& links, const fs::path& weChatFiles, int foldersPerCategory) {
    Built built;
    for (int a = 0; a < kAccounts; ++a) {
        for (const char* rule : kRuleFolders) {
            for (int f = 0; f < foldersPerCategory; ++f) {
                const fs::path folder = weChatFiles / ("wxid_bench" + std::to_string(a)) / rule /
                                        ("2026-" + std::to_string(f));
                for (int i = 0; i < kFilesPerFolder; ++i, ++built.files) {
                    const fs::path file = folder / ("图片" + std::to_string(i) + ".dat");
                    links.link(file, built.files);
                    built.pathBytes += file.native().size();
                }
            }
        }
    }
    return built;
}

int ListedRows(LM_ChatListModel& model) {
    int rows = 0;
    for (int i = 0; i < model.categoryCount(); ++i)
        rows += model.category(i).files->rows();
    return rows;
}

int LargestCategory(LM_ChatListModel& model) {
    int largest = 0;
    for (int i = 1; i < model.categoryCount(); ++i)
        if (model.category(i).files->rows() > model.category(largest).files->rows())
            largest = i;
    return largest;
}

} // namespace

int main(int argc, char** argv) {
    BenchWindow::prepareApplication();
    QApplication app(argc, argv);
    const bool heavy = HeavyRun();

    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    BenchMachine::use(root);
    const fs::path weChatFiles = BenchMachine::c(root) / "WeChatData" / "WeChat Files";
    const LinkedTree links(root / "pool", 300, [](int i) { return std::uint64_t(i); });
    const Built tree = BuildTree(links, weChatFiles, heavy ? 150 : 10);
    platform::RegistryKey::open(platform::RegistryRoot::CurrentUser, "SOFTWARE\\Tencent\\WeChat",
                                platform::RegistryAccess::ReadWrite,
                                platform::RegistryView::Default, true)
        .writeString("FileSavePath", "C:\\WeChatData");

    BenchWindow bench;
    bench.open(QStringLiteral("btnVXClean"));
    Work_VXClean& work = *Work_VXClean::GetInstance();
    LM_ChatListModel& model = *work.chatListModel();
    FirstRowsOnScreen firstRows(bench.view(QStringLiteral("qwVXCleanList")),
                                [&] { return ListedRows(model) > 0; });

    ProcessMemory::resetPeak();
    double firstRowsMs = 1e100;
    const TimedRun::Comparison timing = TimedRun::compare(
        [&] {
            firstRows.start();
            const TimedRun run =
                TimedRun::of(work, IWork::VXCleanScanFinished, IWork::VXCleanScanning,
                             [&] { return work.StartScan(); });
            firstRowsMs = std::min(firstRowsMs, firstRows.ms());
            return run;
        },
        [&] {
            return TimedRun::program("find", {QString::fromStdString(weChatFiles.native()), "-type",
                                              "f", "-printf", "%s\\n"});
        },
        kRounds);
    const std::uint64_t peak = ProcessMemory::peakBytes();
    const std::uint64_t heapWithRows = ProcessMemory::heapInUseBytes();
    const int rows = ListedRows(model);
    // What the rows keep: the heap emptying the lists gives back.
    model.clearGroupFiles();
    const std::uint64_t heapWithoutRows = ProcessMemory::heapInUseBytes();
    TimedRun::of(work, IWork::VXCleanScanFinished, IWork::VXCleanScanning,
                 [&] { return work.StartScan(); });

    const int largest = LargestCategory(model);
    const bool wasTicked = model.category(largest).checked;
    // In this order: an argument list would leave the order open.
    const double flipStall =
        TimedRun::stallOf([&] { model.SetCheckedIndexs(!wasTicked, {largest}); });
    const double tickStall = std::max(
        flipStall, TimedRun::stallOf([&] { model.SetCheckedIndexs(wasTicked, {largest}); }));

    // The clean deletes every file; find deletes those of an identical copy.
    const fs::path copy = root / "copy";
    LinkedTree::copy(weChatFiles, copy);
    const double findDelete =
        TimedRun::program("find", {QString::fromStdString(copy.native()), "-type", "f", "-delete"});
    QList<int> all;
    for (int i = 0; i < model.categoryCount(); ++i)
        all << i;
    model.SetCheckedIndexs(true, all);
    const TimedRun clean =
        TimedRun::of(work, IWork::VXCleanCleanFinished, 0, [&] { return work.StartClean(); });

    const double kept = double(heapWithRows) - double(heapWithoutRows);
    std::printf("files: %d\n", tree.files);
    std::printf("rows: %d\n", rows);
    timing.print("scan", "find");
    std::printf("first_rows_ms: %.1f\n", firstRowsMs);
    std::printf("max_stall_ms: %.1f\n", timing.maxStallMs);
    std::printf("tick_stall_ms: %.1f\n", tickStall);
    std::printf("peak_rss_mb: %.1f\n", peak / 1048576.0);
    std::printf("bytes_per_row: %.0f\n", kept / rows - double(tree.pathBytes) / tree.files);
    std::printf("clean_ms: %.1f\n", clean.ms);
    std::printf("find_delete_ms: %.1f\n", findDelete);
    std::printf("clean_vs_find_delete: %.2f\n", clean.ms / findDelete);
    std::printf("clean_stall_ms: %.1f\n", clean.maxStallMs);
    std::printf("files_left: %d\n", ListedRows(model));
    return 0;
}
