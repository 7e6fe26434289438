// merivane-cli's C-drive scan of the C-drive benchmark's tree (100,000 files in 2,000
// folders below C:\Windows\Temp), run as a user runs it: the program started afresh each
// time, `merivane-cli cdrive scan --json` with its document written to a file. Prints
// cli_ms, find_ms and cli_scan_vs_find (the program's time / the time of
// `find DIR -type f -printf '%p %s\n'` writing a line per file the same way, warm cache), and
// for comparison engine_ms, the same scan by the engine inside this process as the window
// runs it, and cli_vs_engine.
#include "JunkTree.h"
#include "RuleFiles.h"
#include "TimedRun.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_CClean.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 3;

// The Windows profile of the benchmark's machine: every rule folder on its drive C:.
void UseProfile(const fs::path& root) {
    qputenv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString((root / "c").native()));
    qputenv("MERIVANE_REGISTRY", QByteArray::fromStdString((root / "registry.reg").native()));
    qputenv("TEMP", "C:\\Users\\u\\AppData\\Local\\Temp");
    qputenv("USERPROFILE", "C:\\Users\\u");
    qputenv("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
    qputenv("PUBLIC", "C:\\Users\\Public");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    RegisterWorkMetaTypes();
    workBroker = new WorkBroker;

    QTemporaryDir dir;
    const fs::path root(dir.path().toStdString());
    JunkTree::build(root / "c" / "Windows" / "Temp");
    UseProfile(root);
    // The program keeps its logs beside itself: a folder of its own, not the build tree.
    const fs::path program = root / "bin" / "merivane-cli";
    fs::create_directories(program.parent_path());
    fs::copy_file(MERIVANE_CLI_EXECUTABLE, program);
    const QString output = QString::fromStdString((root / "scan.json").native());
    const QString findOutput = QString::fromStdString((root / "find.txt").native());
    const QString temp = QString::fromStdString((root / "c" / "Windows" / "Temp").native());

    const TimedRun::Comparison cli = TimedRun::compare(
        [&] {
            TimedRun run;
            run.ms = TimedRun::program("sh", {"-c", "\"$0\" cdrive scan --json > \"$1\"",
                                              QString::fromStdString(program.native()), output});
            return run;
        },
        [&] {
            return TimedRun::program(
                "sh", {"-c", "find \"$0\" -type f -printf '%p %s\\n' > \"$1\"", temp, findOutput});
        },
        kRounds);

    Work_CClean work{RuleFiles::LoadCleanData()};
    work.statusCallback = WorkBroker::StatusCallback();
    auto engineRun = [&] {
        return TimedRun::of(work, IWork::CCleanScanFinished, 1, [&] { return work.StartScan(); })
            .ms;
    };
    engineRun();
    double engineMs = 1e100;
    for (int round = 0; round < kRounds; ++round)
        engineMs = std::min(engineMs, engineRun());

    const qint64 document = QFile(output).size();
    std::printf("files: %d\n", JunkTree::files);
    std::printf("json_bytes: %lld\n", static_cast<long long>(document));
    std::printf("bytes_found: %llu\n", static_cast<unsigned long long>(work.foundSize.load()));
    std::printf("cli_ms: %.1f\n", cli.ms);
    std::printf("find_ms: %.1f\n", cli.referenceMs);
    std::printf("engine_ms: %.1f\n", engineMs);
    std::printf("cli_scan_vs_find: %.2f\n", cli.ms / cli.referenceMs);
    std::printf("cli_vs_engine: %.2f\n", cli.ms / engineMs);
    return 0;
}
