// Software inventory through the real work, with its page on screen in the real window: 200
// registered programs whose folders hold 50,000 files, or 2,000 programs holding 100,000 with
// --heavy. The files are hard links (bench/support/LinkedTree).
// Prints, besides the counts and times:
//   inventory_vs_du   inventory / `du -sb` over the program folders (best of the rounds, warm)
//   first_rows_ms     from the start of an inventory to the first frame showing a program
//   max_stall_ms      longest gap of a 10 ms GUI heartbeat during the inventories
//   filter_stall_ms   the same while the user types a search text, and clears it
//   sort_stall_ms     the same while the user sorts by date, newest first
//   peak_rss_mb       the process's peak resident memory during an inventory
//   bytes_per_row     heap a program's row keeps, beyond its texts' bytes
#include "BenchMachine.h"
#include "BenchSize.h"
#include "BenchWindow.h"
#include "FirstRowsOnScreen.h"
#include "LM_SoftWareInfoModel.h"
#include "LinkedTree.h"
#include "ProcessMemory.h"
#include "TimedRun.h"
#include "Work_UninstallSoft.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 3;

struct Sizes {
    int programs, foldersPerProgram, filesPerFolder;
};

// Program folders below c/Program Files and their uninstall keys in the registry file.
QStringList BuildPrograms(const LinkedTree& links, const fs::path& c, const fs::path& registry,
                          const Sizes& sizes) {
    std::ofstream reg(registry);
    reg << "Windows Registry Editor Version 5.00\n\n";
    // The other three uninstall keys exist on every machine, empty here.
    for (const char* key :
         {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node", "HKEY_CURRENT_USER\\SOFTWARE",
          "HKEY_CURRENT_USER\\SOFTWARE\\Wow6432Node"})
        reg << "[" << key << "\\Microsoft\\Windows\\CurrentVersion\\Uninstall]\n\n";
    QStringList folders;
    int n = 0;
    for (int p = 0; p < sizes.programs; ++p) {
        const std::string name = "应用" + std::to_string(p);
        const fs::path folder = c / "Program Files" / name;
        for (int f = 0; f < sizes.foldersPerProgram; ++f)
            for (int i = 0; i < sizes.filesPerFolder; ++i, ++n)
                links.link(folder / ("模块" + std::to_string(f)) / ("f" + std::to_string(i)), n);
        folders << QString::fromStdString(folder.native());
        reg << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
            << name << "]\n"
            << "\"DisplayName\"=\"" << name << "\"\n"
            << "\"UninstallString\"=\"\\\"C:\\\\Program Files\\\\" << name
            << "\\\\uninst.exe\\\" /S\"\n"
            << "\"InstallDate\"=\"2023" << (10 + p % 3) << (10 + p % 19) << "\"\n\n";
    }
    return folders;
}

// The work has no status to wait for: its model tells when the inventory is over.
TimedRun TimeInventory(Work_UninstallSoft& work) {
    RunEnd end;
    QObject::connect(work.model(), &LM_SoftWareInfoModel::scanStatusChanged, &end, [&](int status) {
        if (status == 3)
            end.reach();
    });
    return TimedRun::until(work, end, 1, [&] { return work.StartScan(); });
}

std::uint64_t TextBytes(const LM_SoftWareInfoModel& model) {
    std::uint64_t bytes = 0;
    for (const TSoftwareInfo& record : model.records())
        bytes += 2 * std::uint64_t(record.iconPath.size() + record.softName.size() +
                                   record.uninstString.size());
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    BenchWindow::prepareApplication();
    QApplication app(argc, argv);
    const Sizes sizes = HeavyRun() ? Sizes{2000, 5, 10} : Sizes{200, 10, 25};

    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    BenchMachine::use(root);
    const LinkedTree links(root / "pool", 700, [](int i) { return std::uint64_t(i); });
    const QStringList folders =
        BuildPrograms(links, BenchMachine::c(root), root / "registry.reg", sizes);

    BenchWindow bench;
    Work_UninstallSoft& work = *Work_UninstallSoft::GetInstance();
    LM_SoftWareInfoModel& model = *work.model();
    // The first visit starts an inventory; the timed ones follow it.
    bench.open(QStringLiteral("btnUninstall"));
    BenchWindow::waitFor(
        [&] { return model.rowCount() == sizes.programs && !work.HasRegisteredRun(); });
    FirstRowsOnScreen firstRows(bench.view(QStringLiteral("qwUninstall")),
                                [&] { return model.rowCount() > 0; });

    ProcessMemory::resetPeak();
    double firstRowsMs = 1e100;
    const TimedRun::Comparison timing = TimedRun::compare(
        [&] {
            firstRows.start();
            const TimedRun run = TimeInventory(work);
            firstRowsMs = std::min(firstRowsMs, firstRows.ms());
            return run;
        },
        [&] { return TimedRun::program("du", QStringList{"-sb"} + folders); }, kRounds);
    const std::uint64_t peak = ProcessMemory::peakBytes();

    // In this order: an argument list would leave the order open.
    const double filterStall = TimedRun::stallOf([&] { model.setFilterString("应用1"); });
    const double clearStall = TimedRun::stallOf([&] { model.setFilterString(QString()); });
    const double sortStall = TimedRun::stallOf([&] { model.SortDescending(); });

    const int rows = model.rowCount();
    const std::uint64_t textBytes = TextBytes(model);
    const std::uint64_t heapWithRows = ProcessMemory::heapInUseBytes();
    model.clear();
    const std::uint64_t heapWithoutRows = ProcessMemory::heapInUseBytes();

    std::printf("programs: %d\n", rows);
    timing.print("inventory", "du");
    std::printf("first_rows_ms: %.1f\n", firstRowsMs);
    std::printf("max_stall_ms: %.1f\n", timing.maxStallMs);
    std::printf("filter_stall_ms: %.1f\n", std::max(filterStall, clearStall));
    std::printf("sort_stall_ms: %.1f\n", sortStall);
    std::printf("peak_rss_mb: %.1f\n", peak / 1048576.0);
    std::printf("bytes_per_row: %.0f\n",
                (double(heapWithRows) - double(heapWithoutRows) - double(textBytes)) / rows);
    return 0;
}
