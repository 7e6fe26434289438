// WeChat scan and clean over 20,000 files of two accounts in the nine rule folders, through
// the real engine and models with a running event loop. Prints files_per_second,
// scan_vs_find (scan time / time of `find DIR -type f -printf '%s\n'`, warm cache),
// max_stall_ms (longest gap of a 10 ms heartbeat on the GUI thread during a scan, rows
// arriving in the models), gui_batches (row insertions into the file models per scan: one per
// category per queued batch) and clean_vs_find_delete (a clean of every file /
// `find DIR -type f -delete` on an identical tree).
#include "LM_ChatFilesModel.h"
#include "LM_ChatListModel.h"
#include "TimedRun.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_VXClean.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <platform/RegistryKey.h>

namespace fs = std::filesystem;

namespace {

const char* const kRuleFolders[] = {
    "FileStorage/MsgAttach",      "FileStorage/Video", "FileStorage/General/Data",
    "FileStorage/File",           "FileStorage/Cache", "FileStorage/CustomEmotion",
    "FileStorage/MPPageFastLoad", "FileStorage/Sns",   "FileStorage/Temp"};
constexpr int kAccounts = 2;
constexpr int kFoldersPerCategory = 10;
constexpr int kFilesPerFolder = 111; // 2 x 9 x 10 x 111 = 19,980 files
constexpr int kRounds = 3;

int BuildTree(const fs::path& weChatFiles) {
    int n = 0;
    for (int a = 0; a < kAccounts; ++a) {
        for (const char* rule : kRuleFolders) {
            for (int f = 0; f < kFoldersPerCategory; ++f) {
                const fs::path folder = weChatFiles / ("wxid_bench" + std::to_string(a)) / rule /
                                        ("2026-" + std::to_string(f));
                fs::create_directories(folder);
                for (int i = 0; i < kFilesPerFolder; ++i, ++n) {
                    std::ofstream out(folder / ("图片" + std::to_string(i) + ".dat"),
                                      std::ios::binary);
                    out << std::string(static_cast<std::size_t>(n % 300), 'x');
                }
            }
        }
    }
    return n;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    RegisterWorkMetaTypes();
    workBroker = new WorkBroker;

    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path c = root / "c";
    const fs::path weChatFiles = c / "WeChatData" / "WeChat Files";
    const fs::path copy = root / "copy";
    const int files = BuildTree(weChatFiles);
    qputenv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString(c.native()));
    qputenv("MERIVANE_REGISTRY", QByteArray::fromStdString((root / "registry.reg").native()));
    platform::RegistryKey::open(platform::RegistryRoot::CurrentUser, "SOFTWARE\\Tencent\\WeChat",
                                platform::RegistryAccess::ReadWrite,
                                platform::RegistryView::Default, true)
        .writeString("FileSavePath", "C:\\WeChatData");

    Work_VXClean work;
    work.statusCallback = WorkBroker::StatusCallback();
    const QString tree = QString::fromStdString(weChatFiles.native());
    int batches = 0;
    for (int category = 0; category < work.chatListModel()->categoryCount(); ++category)
        QObject::connect(work.chatListModel()->category(category).files,
                         &QAbstractItemModel::rowsInserted, [&] { ++batches; });

    const TimedRun::Comparison timing = TimedRun::compare(
        [&] {
            batches = 0;
            return TimedRun::of(work, IWork::VXCleanScanFinished, IWork::VXCleanScanning,
                                [&] { return work.StartScan(); });
        },
        [&] {
            return TimedRun::program("find", {tree, "-type", "f", "-printf", "%s\\n"});
        },
        kRounds);
    const double bestScan = timing.ms, bestFind = timing.referenceMs;
    const double worstStall = timing.maxStallMs;
    const int scanBatches = batches;
    std::uint64_t rows = 0;
    for (int i = 0; i < work.chatListModel()->categoryCount(); ++i)
        rows += static_cast<std::uint64_t>(work.chatListModel()->category(i).files->rows());

    // The clean deletes every file; find deletes those of an identical copy.
    fs::copy(weChatFiles, copy, fs::copy_options::recursive);
    work.chatListModel()->SetCheckedIndexs(true, {0, 1, 2, 3, 4, 5, 6, 7, 8});
    const double findDelete =
        TimedRun::program("find", {QString::fromStdString(copy.native()), "-type", "f", "-delete"});
    const TimedRun clean =
        TimedRun::of(work, IWork::VXCleanCleanFinished, 0, [&] { return work.StartClean(); });

    std::printf("files: %d\n", files);
    std::printf("rows: %llu\n", static_cast<unsigned long long>(rows));
    std::printf("scan_ms: %.1f\n", bestScan);
    std::printf("find_ms: %.1f\n", bestFind);
    std::printf("files_per_second: %.0f\n", files / (bestScan / 1000.0));
    std::printf("scan_vs_find: %.2f\n", bestScan / bestFind);
    std::printf("max_stall_ms: %.1f\n", worstStall);
    std::printf("gui_batches: %d\n", scanBatches);
    std::printf("clean_ms: %.1f\n", clean.ms);
    std::printf("find_delete_ms: %.1f\n", findDelete);
    std::printf("clean_vs_find_delete: %.2f\n", clean.ms / findDelete);
    std::printf("freed_bytes: %llu\n", static_cast<unsigned long long>(work.GetFreedSize()));
    return 0;
}
