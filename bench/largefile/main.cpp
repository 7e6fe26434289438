// Large-file scan of drive C: over 200,000 files in 20,000 folders, a few dozen of them
// sparse files of 30 MiB and more, through the real engine and models with a running event
// loop. Prints scan_vs_find (scan time / time of `find ROOT -xdev -type f -size +30M`, warm
// cache) and max_stall_ms (longest gap of a 10 ms heartbeat on the GUI thread during a scan).
#include "LM_LargeFilesItemModel.h"
#include "LM_LargeFilesModel.h"
#include "RuleFiles.h"
#include "TimedRun.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_LargeFile.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int kParents = 200;
constexpr int kFoldersPerParent = 100;
constexpr int kFilesPerFolder = 10;
constexpr int kLargeFiles = 40;
constexpr int kRounds = 3;
// Most names are of no listed type; some are, but small, and cost the scan a look.
const char* const kExtensions[] = {".txt", ".dat", ".log", ".png",  ".zip",
                                   ".js",  ".dll", ".exe", ".json", ".mp4"};

void BuildTree(const fs::path& c) {
    for (int p = 0; p < kParents; ++p) {
        for (int f = 0; f < kFoldersPerParent; ++f) {
            const fs::path folder =
                c / "Users" / ("用户" + std::to_string(p)) / ("资料" + std::to_string(f));
            fs::create_directories(folder);
            for (int i = 0; i < kFilesPerFolder; ++i) {
                std::ofstream out(folder / ("f" + std::to_string(i) + kExtensions[i]),
                                  std::ios::binary);
                out << std::string(static_cast<std::size_t>((p + f + i) % 700), 'x');
            }
        }
    }
    // Large ones, spread over the tree; a few in the system folders, which are left out.
    for (int i = 0; i < kLargeFiles; ++i) {
        const fs::path folder = i % 8 == 0 ? c / "Windows" / "Temp"
                                           : c / "Users" / ("用户" + std::to_string(i * 5)) /
                                                 ("资料" + std::to_string(i));
        fs::create_directories(folder);
        const fs::path file = folder / ("大文件" + std::to_string(i) + (i % 2 ? ".zip" : ".MP4"));
        std::ofstream(file, std::ios::binary) << "x";
        fs::resize_file(file, (30ull + static_cast<unsigned>(i) * 7) << 20);
    }
}

double FindTime(const fs::path& root) {
    return TimedRun::program(
        "find", {QString::fromStdString(root.native()), "-xdev", "-type", "f", "-size", "+30M"});
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    RegisterWorkMetaTypes();
    workBroker = new WorkBroker;

    QTemporaryDir dir;
    const fs::path c = fs::path(dir.path().toStdString()) / "c";
    BuildTree(c);
    qputenv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString(c.native()));

    Work_LargeFile work(RuleFiles::LoadLargeFileData());
    work.statusCallback = WorkBroker::StatusCallback();

    const TimedRun::Comparison timing = TimedRun::compare(
        [&] {
            return TimedRun::of(work, IWork::LargeFileScanFinished, IWork::LargeFileScanning,
                                [&] { return work.StartScan(); });
        },
        [&] { return FindTime(c); }, kRounds);
    const double bestScan = timing.ms, bestFind = timing.referenceMs;
    const double worstStall = timing.maxStallMs;
    const std::uint64_t found = work.foundSize.load();
    int listed = 0;
    for (const LargeFileGroup& group : work.listModel()->groups())
        listed += group.files->rowCount();
    std::printf("files: %d\n", kParents * kFoldersPerParent * kFilesPerFolder + kLargeFiles);
    std::printf("large_files_listed: %d\n", listed);
    std::printf("bytes_found: %llu\n", static_cast<unsigned long long>(found));
    std::printf("scan_ms: %.1f\n", bestScan);
    std::printf("find_ms: %.1f\n", bestFind);
    std::printf("scan_vs_find: %.2f\n", bestScan / bestFind);
    std::printf("max_stall_ms: %.1f\n", worstStall);
    return 0;
}
