// C-drive scan over 100,000 files in 2,000 folders, through the real engine and models with
// a running event loop. Prints files_per_second, scan_vs_find (scan time / time of
// `find DIR -type f -printf '%s\n'`, warm cache) and max_stall_ms (longest gap of a 10 ms
// heartbeat on the GUI thread during a scan).
#include "JunkTree.h"
#include "LM_GroupsModel.h"
#include "TimedRun.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_CClean.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 3;

double TimeFind(const fs::path& root) {
    return TimedRun::program(
        "find", {QString::fromStdString(root.native()), "-type", "f", "-printf", "%s\\n"});
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    RegisterWorkMetaTypes();
    workBroker = new WorkBroker;

    QTemporaryDir dir;
    const fs::path c = fs::path(dir.path().toStdString()) / "c";
    const fs::path temp = c / "Windows" / "Temp";
    JunkTree::build(temp);
    qputenv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString(c.native()));

    const QJsonObject item{{"icon", "qrc:/Icons/resources/icon/100.png"},
                           {"path", "C:\\Windows\\Temp"},
                           {"description", "系统临时文件"},
                           {"checked", true}};
    const QJsonObject group{
        {"id", "group2"}, {"group", "Windows系列"}, {"items", QJsonArray{item}}};
    Work_CClean work{QJsonDocument(QJsonArray{group})};
    work.statusCallback = WorkBroker::StatusCallback();

    const TimedRun::Comparison timing = TimedRun::compare(
        [&] {
            return TimedRun::of(work, IWork::CCleanScanFinished, 1,
                                [&] { return work.StartScan(); });
        },
        [&] { return TimeFind(temp); }, kRounds);
    const double bestScan = timing.ms, bestFind = timing.referenceMs;
    const double worstStall = timing.maxStallMs;
    const std::uint64_t found = work.foundSize.load();
    const int files = JunkTree::files;
    std::printf("files: %d\n", files);
    std::printf("bytes_found: %llu\n", static_cast<unsigned long long>(found));
    std::printf("scan_ms: %.1f\n", bestScan);
    std::printf("find_ms: %.1f\n", bestFind);
    std::printf("files_per_second: %.0f\n", files / (bestScan / 1000.0));
    std::printf("scan_vs_find: %.2f\n", bestScan / bestFind);
    std::printf("max_stall_ms: %.1f\n", worstStall);
    return 0;
}
