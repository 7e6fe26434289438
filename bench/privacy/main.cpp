// Privacy scan and clean of a recent-items folder of 5,000 shortcuts and a full Run history
// (26 commands) in a registry of 20,000 other values, through the real engine and models
// with a running event loop. Prints scan_vs_find (scan time / `find DIR -maxdepth 1 -type f`),
// clean_vs_find_delete (clean time / `find … -delete` of the same files), the clean's time
// and max_stall_scan_ms / max_stall_clean_ms (longest gap of a 10 ms heartbeat on the GUI
// thread during a scan / a clean).
#include "LogFiles.h"
#include "TimedRun.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_Privacy.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int kRecentItems = 5000;
constexpr int kOtherKeys = 1000;
constexpr int kValuesPerKey = 20;
constexpr int kRounds = 3;

void BuildRecent(const fs::path& folder) {
    fs::create_directories(folder);
    for (int i = 0; i < kRecentItems; ++i) {
        std::ofstream out(folder / ("文档" + std::to_string(i) + ".docx.lnk"), std::ios::binary);
        out << std::string(static_cast<std::size_t>(200 + i % 800), 'l');
    }
    std::ofstream(folder / "desktop.ini") << "[.ShellClassInfo]\n";
}

void BuildRegistry(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    out << "Windows Registry Editor Version 5.00\n\n";
    for (int k = 0; k < kOtherKeys; ++k) {
        out << "[HKEY_CURRENT_USER\\Software\\Bench\\Key" << k << "]\n";
        for (int v = 0; v < kValuesPerKey; ++v)
            out << "\"v" << v << "\"=\"some data of value " << v << "\"\n";
        out << "\n";
    }
    out << "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]\n";
    std::string list;
    for (char c = 'a'; c <= 'z'; ++c) {
        out << "\"" << c << "\"=\"program-" << c << "\\\\1\"\n";
        list += c;
    }
    out << "\"MRUList\"=\"" << list << "\"\n\n";
}

double TimeFind(const fs::path& folder, bool remove) {
    QStringList arguments{QString::fromStdString(folder.native()),
                          "-maxdepth",
                          "1",
                          "-type",
                          "f",
                          "!",
                          "-name",
                          "desktop.ini"};
    if (remove)
        arguments << "-delete";
    return TimedRun::program("find", arguments);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    RegisterWorkMetaTypes();
    workBroker = new WorkBroker;

    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path c = root / "c";
    const fs::path recent = c / "Users/u/AppData/Roaming/Microsoft/Windows/Recent";
    const fs::path registry = root / "registry.reg";
    qputenv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString(c.native()));
    qputenv("MERIVANE_REGISTRY", QByteArray::fromStdString(registry.native()));
    qputenv("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
    // The scan's journal of every file goes here, not beside the executable.
    LogFiles::setDirectory(dir.path());

    const auto item = [](const char* id, const char* path) {
        return QJsonObject{{"id", id},
                           {"icon", "qrc:/Icons/resources/icon/100.png"},
                           {"path", path},
                           {"description", id},
                           {"checked", true}};
    };
    const QJsonObject group{
        {"id", "group0"},
        {"group", "Windows运行痕迹"},
        {"items",
         QJsonArray{
             item("001", "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"),
             item("002", "%APPDATA%\\Microsoft\\Windows\\Recent")}}};
    Work_Privacy work(QJsonDocument(QJsonArray{group}), std::chrono::milliseconds(0));
    work.statusCallback = WorkBroker::StatusCallback();

    double bestFind = 1e100, bestScan = 1e100, bestDelete = 1e100, bestClean = 1e100;
    double scanStall = 0, cleanStall = 0;
    int records = 0;
    for (int round = 0; round <= kRounds; ++round) {
        BuildRecent(recent);
        TimeFind(recent, false); // warm the cache
        const double find = TimeFind(recent, false);
        const double remove = TimeFind(recent, true);
        BuildRecent(recent);
        BuildRegistry(registry);
        const TimedRun scan =
            TimedRun::of(work, IWork::PrivacyScanFinished, 1, [&] { return work.StartScan(); });
        int selected = 0;
        work.GetRecordCounts(records, selected);
        const TimedRun clean =
            TimedRun::of(work, IWork::PrivacyCleanFinished, 1, [&] { return work.StartClean(); });
        if (round == 0)
            continue; // warm-up
        bestFind = std::min(bestFind, find);
        bestDelete = std::min(bestDelete, remove);
        bestScan = std::min(bestScan, scan.ms);
        bestClean = std::min(bestClean, clean.ms);
        scanStall = std::max(scanStall, scan.maxStallMs);
        cleanStall = std::max(cleanStall, clean.maxStallMs);
    }
    int left = 0, selected = 0;
    work.GetRecordCounts(left, selected);
    std::printf("records_found: %d\n", records);
    std::printf("records_left: %d\n", left);
    std::printf("scan_ms: %.1f\n", bestScan);
    std::printf("find_ms: %.1f\n", bestFind);
    std::printf("scan_vs_find: %.2f\n", bestScan / bestFind);
    std::printf("clean_ms: %.1f\n", bestClean);
    std::printf("find_delete_ms: %.1f\n", bestDelete);
    std::printf("clean_vs_find_delete: %.2f\n", bestClean / bestDelete);
    std::printf("max_stall_scan_ms: %.1f\n", scanStall);
    std::printf("max_stall_clean_ms: %.1f\n", cleanStall);
    return 0;
}
