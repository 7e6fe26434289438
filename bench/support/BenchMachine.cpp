#include "BenchMachine.h"

#include <QByteArray>
#include <QtGlobal>

namespace fs = std::filesystem;

namespace {
QByteArray Bytes(const fs::path& path) {
    return QByteArray::fromStdString(path.native());
}
} // namespace

fs::path BenchMachine::c(const fs::path& root) {
    return root / "c";
}

void BenchMachine::use(const fs::path& root) {
    const fs::path user = c(root) / "Users" / "bench";
    for (const fs::path& folder : {c(root), root / "d", user / "AppData" / "Local" / "Temp",
                                   user / "AppData" / "Roaming", c(root) / "Users" / "Public"})
        fs::create_directories(folder);
    qputenv("MERIVANE_DRIVES", "C=" + Bytes(c(root)) + ";D=" + Bytes(root / "d"));
    qputenv("MERIVANE_REGISTRY", Bytes(root / "registry.reg"));
    qputenv("USERPROFILE", "C:\\Users\\bench");
    qputenv("APPDATA", "C:\\Users\\bench\\AppData\\Roaming");
    qputenv("TEMP", "C:\\Users\\bench\\AppData\\Local\\Temp");
    qputenv("PUBLIC", "C:\\Users\\Public");
}
