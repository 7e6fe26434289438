// Software inventory of 200 registered programs whose folders hold 50,000 files, through
// the real work and model with a running event loop. Prints inventory_ms, du_ms (the time
// of `du -sb` over the same folders, warm cache), inventory_vs_du and max_stall_ms
// (longest gap of a 10 ms heartbeat on the GUI thread during an inventory).
#include "LM_SoftWareInfoModel.h"
#include "TimedRun.h"
#include "Work_UninstallSoft.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int kPrograms = 200;
constexpr int kFoldersPerProgram = 10;
constexpr int kFilesPerFolder = 25;
constexpr int kRounds = 3;

// Program folders below c/Program Files and their uninstall keys in a registry file.
QStringList BuildPrograms(const fs::path& c, const fs::path& registry) {
    std::ofstream reg(registry);
    reg << "Windows Registry Editor Version 5.00\n\n";
    // The other three uninstall keys exist on every machine, empty here.
    for (const char* key :
         {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node", "HKEY_CURRENT_USER\\SOFTWARE",
          "HKEY_CURRENT_USER\\SOFTWARE\\Wow6432Node"})
        reg << "[" << key << "\\Microsoft\\Windows\\CurrentVersion\\Uninstall]\n\n";
    QStringList folders;
    int n = 0;
    for (int p = 0; p < kPrograms; ++p) {
        const std::string name = "应用" + std::to_string(p);
        const fs::path folder = c / "Program Files" / name;
        for (int f = 0; f < kFoldersPerProgram; ++f) {
            fs::create_directories(folder / ("模块" + std::to_string(f)));
            for (int i = 0; i < kFilesPerFolder; ++i, ++n) {
                std::ofstream out(folder / ("模块" + std::to_string(f)) / ("f" + std::to_string(i)),
                                  std::ios::binary);
                out << std::string(static_cast<std::size_t>(n % 700), 'x');
            }
        }
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const QStringList folders = BuildPrograms(root / "c", root / "registry.reg");
    qputenv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString((root / "c").native()));
    qputenv("MERIVANE_REGISTRY", QByteArray::fromStdString((root / "registry.reg").native()));
    // The work's per-program log lines would dominate the figures.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    Work_UninstallSoft work;
    const TimedRun::Comparison timing = TimedRun::compare(
        [&] { return TimeInventory(work); },
        [&] { return TimedRun::program("du", QStringList{"-sb"} + folders); }, kRounds);
    const double bestInventory = timing.ms, bestDu = timing.referenceMs;
    const double worstStall = timing.maxStallMs;
    std::printf("programs: %d\n", work.model()->rowCount());
    std::printf("files: %d\n", kPrograms * kFoldersPerProgram * kFilesPerFolder);
    std::printf("inventory_ms: %.1f\n", bestInventory);
    std::printf("du_ms: %.1f\n", bestDu);
    std::printf("inventory_vs_du: %.2f\n", bestInventory / bestDu);
    std::printf("max_stall_ms: %.1f\n", worstStall);
    return 0;
}
