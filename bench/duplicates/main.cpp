// Duplicate scan over 50,000 files of four types, all over 100 KiB: 5,000 groups of copies,
// same-size files that differ in their last byte only, hard links, and files of sizes
// nobody shares. The real engine and models run with an event loop; jdupes and rmlint
// (Debian's, installed by `bash scripts/setup.sh --bench`, which bench/run.sh runs) scan the
// same tree in the same run, warm cache.
// Prints scan_vs_jdupes, scan_vs_rmlint, groups_equal_jdupes (our groups against jdupes'
// on file identities, so hard links count alike), crc_gb_per_s (CRC-32 of 1 MiB buffers
// on one thread) and max_stall_ms (longest gap of a 10 ms GUI heartbeat during a scan).
// The clean deletes one copy of each of 1,000 pairs (101 to 400 KiB), each compared byte
// for byte with the copy that stays just before; on fresh copies of one tree, `find
// -delete` deletes the same files without reading them and `jdupes -d -N` finds the pairs
// and deletes one of each. Prints clean_vs_find_delete, clean_vs_jdupes_delete and
// clean_left_ok (every kept copy there, every ticked one gone).
#include "Crc32.h"
#include "LM_DuplicateFileListModel.h"
#include "LM_DuplicateFileListNode.h"
#include "LM_DuplicateFileListNodes.h"
#include "RuleFiles.h"
#include "TimedRun.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_DuplicateFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 50000;
constexpr int kGroups = 5000;
constexpr int kTriples = 1000;   // groups with three copies, the others have two
constexpr int kNearPairs = 2000; // same size, last byte differs
constexpr int kHardLinks = 1000; // extra names of files of the groups
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 3;
constexpr int kCleanPairs = 1000;
const char* const kExtensions[] = {".jpg", ".mp4", ".zip", ".docx"};

struct Tree {
    fs::path root;
    int written = 0;
    std::vector<fs::path> groupFiles;

    fs::path next(int kind) {
        const int n = written++;
        const fs::path folder = root / ("d" + std::to_string(n / kFilesPerFolder));
        if (n % kFilesPerFolder == 0)
            fs::create_directories(folder);
        return folder / ("f" + std::to_string(n) + kExtensions[kind % 4]);
    }
};

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Random(std::mt19937_64& random, std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        const std::uint64_t value = random();
        std::copy_n(reinterpret_cast<const char*>(&value), 8, bytes.begin() + long(i));
    }
    return bytes;
}

void Build(Tree& tree) {
    std::mt19937_64 random(42);
    // Copies: sizes between 101 KiB and 400 KiB, shared now and then by other groups.
    for (int g = 0; g < kGroups; ++g) {
        const std::size_t size = 101 * 1024 + std::size_t(random() % (300 * 1024));
        const std::string bytes = Random(random, size);
        const int copies = g < kTriples ? 3 : 2;
        for (int c = 0; c < copies; ++c) {
            const fs::path file = tree.next(g);
            WriteBytes(file, bytes);
            tree.groupFiles.push_back(file);
        }
    }
    for (int p = 0; p < kNearPairs; ++p) {
        const std::size_t size = 101 * 1024 + std::size_t(random() % (300 * 1024));
        std::string bytes = Random(random, size);
        WriteBytes(tree.next(p), bytes);
        bytes.back() = static_cast<char>(bytes.back() ^ 1);
        WriteBytes(tree.next(p), bytes);
    }
    for (int h = 0; h < kHardLinks; ++h)
        fs::create_hard_link(tree.groupFiles[std::size_t(h) * 7 % tree.groupFiles.size()],
                             tree.next(h));
    // The rest: sizes of their own (above every size used so far), sparse.
    for (int u = 0; tree.written < kFiles; ++u) {
        const fs::path file = tree.next(u);
        { std::ofstream out(file, std::ios::binary); }
        fs::resize_file(file, 500 * 1024 + std::uint64_t(u));
    }
}

// A group as a set of files, by device and inode.
using Group = std::set<std::pair<std::uint64_t, std::uint64_t>>;

Group Identities(const std::vector<fs::path>& files) {
    Group group;
    for (const fs::path& file : files) {
        struct stat st {};
        if (::lstat(file.c_str(), &st) == 0)
            group.insert({std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)});
    }
    return group;
}

std::set<Group> JdupesGroups(const fs::path& root) {
    QProcess jdupes;
    jdupes.setStandardErrorFile(QProcess::nullDevice());
    jdupes.start("jdupes", {"-r", "-q", QString::fromStdString(root.native())});
    jdupes.waitForFinished(-1);
    const QByteArray output = jdupes.readAllStandardOutput();
    std::set<Group> groups;
    std::vector<fs::path> files;
    for (const QByteArray& line : output.split('\n')) {
        if (!line.isEmpty()) {
            files.emplace_back(line.toStdString());
            continue;
        }
        const Group group = Identities(files);
        if (group.size() >= 2)
            groups.insert(group);
        files.clear();
    }
    return groups;
}

std::set<Group> OurGroups(Work_DuplicateFile& work) {
    std::set<Group> groups;
    for (const auto& type : work.typeModel()->types()) {
        for (const auto& node : type.nodes->groups()) {
            std::vector<fs::path> files;
            for (const DuplicateFile& file : node.files)
                files.push_back(file.row.path);
            const Group group = Identities(files);
            if (group.size() >= 2)
                groups.insert(group);
        }
    }
    return groups;
}

TimedRun TimeScan(Work_DuplicateFile& work) {
    RunEnd end;
    // The scan is over for the user when the page has its totals.
    QObject::connect(work.typeModel(), &LM_DuplicateFileListModel::scanFinishedInfo, &end,
                     [&] { end.reach(); });
    return TimedRun::until(work, end, 21, [&] { return work.ScanDrive(QStringLiteral("C:\\")); });
}

// Pairs of copies "f<n>a" and "f<n>b"; the clean deletes the b's.
void BuildPairs(const fs::path& root) {
    std::mt19937_64 random(99);
    for (int p = 0; p < kCleanPairs; ++p) {
        const fs::path folder = root / ("d" + std::to_string(2 * p / kFilesPerFolder));
        if (2 * p % kFilesPerFolder == 0)
            fs::create_directories(folder);
        const std::size_t size = 101 * 1024 + std::size_t(random() % (300 * 1024));
        const std::string bytes = Random(random, size);
        for (const char* copy : {"a", "b"})
            WriteBytes(folder / ("f" + std::to_string(p) + copy + kExtensions[p % 4]), bytes);
    }
}

// A fresh copy of the pairs to delete from; not timed.
fs::path FreshCopy(const fs::path& master, const fs::path& copy) {
    fs::remove_all(copy);
    QProcess cp;
    cp.start("cp", {"-a", QString::fromStdString(master.native()),
                    QString::fromStdString(copy.native())});
    cp.waitForFinished(-1);
    return copy;
}

bool TickedCopy(const fs::path& file) {
    const std::string stem = file.stem().string();
    return !stem.empty() && stem.back() == 'b';
}

// Scans the copy (not timed), ticks every b and times the clean until the page has its end.
TimedRun TimeClean(Work_DuplicateFile& work, const fs::path& copy) {
    qputenv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString(copy.native()));
    TimeScan(work);
    for (const auto& type : work.typeModel()->types()) {
        for (int row = 0; row < type.allTable->rows(); ++row) {
            if (TickedCopy(type.allTable->at(row).path))
                type.allTable->setChecked(row, true);
        }
    }
    RunEnd end;
    QObject::connect(work.typeModel(), &LM_DuplicateFileListModel::scanStatusChanged, &end,
                     [&](int code) {
                         if (code == 6)
                             end.reach();
                     });
    return TimedRun::until(work, end, 0, [&] { return work.StartClean(); });
}

// Every a still there and every b gone.
bool LeftAsTicked(const fs::path& copy) {
    int kept = 0;
    for (const auto& entry : fs::recursive_directory_iterator(copy)) {
        if (!entry.is_regular_file())
            continue;
        if (TickedCopy(entry.path()))
            return false;
        ++kept;
    }
    return kept == kCleanPairs;
}

double CrcGigabytesPerSecond() {
    std::mt19937_64 random(7);
    const std::string buffer = Random(random, 1 << 20);
    std::uint32_t crc = 0;
    double best = 0;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 1000; ++i)
            crc = Crc32Update(crc, buffer.data(), buffer.size());
        best = std::max(best, 1000.0 * (1 << 20) / (clock.nsecsElapsed() / 1e9) / 1e9);
    }
    std::fprintf(stderr, "crc %08x\n", crc);
    return best;
}

bool HaveTools() {
    return !QStandardPaths::findExecutable("jdupes").isEmpty() &&
           !QStandardPaths::findExecutable("rmlint").isEmpty();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!HaveTools()) {
        std::fprintf(stderr, "jdupes and rmlint are missing: bash scripts/setup.sh --bench\n");
        return 1;
    }
    RegisterWorkMetaTypes();
    workBroker = new WorkBroker;

    QTemporaryDir dir;
    Tree tree{fs::path(dir.path().toStdString()) / "c", 0, {}};
    Build(tree);
    qputenv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString(tree.root.native()));
    Work_DuplicateFile work(RuleFiles::LoadDuplicateFileData());
    work.statusCallback = WorkBroker::StatusCallback();

    const QString root = QString::fromStdString(tree.root.native());
    const QStringList jdupes = {"-r", "-q", root};
    const QStringList rmlint = {"-T", "df", "-o", "fdupes:/dev/null", root};
    const QStringList find = {root, "-type", "f", "-printf", "%s\\n"};
    // Warm every cache first.
    TimedRun::program("jdupes", jdupes);
    TimedRun::program("rmlint", rmlint);
    TimeScan(work);
    double bestScan = 1e100, bestJdupes = 1e100, bestRmlint = 1e100, bestFind = 1e100;
    double worstStall = 0;
    for (int round = 0; round < kRounds; ++round) {
        bestJdupes = std::min(bestJdupes, TimedRun::program("jdupes", jdupes));
        bestRmlint = std::min(bestRmlint, TimedRun::program("rmlint", rmlint));
        bestFind = std::min(bestFind, TimedRun::program("find", find));
        const TimedRun run = TimeScan(work);
        bestScan = std::min(bestScan, run.ms);
        worstStall = std::max(worstStall, run.maxStallMs);
    }
    const std::set<Group> ours = OurGroups(work);
    const std::set<Group> theirs = JdupesGroups(tree.root);

    const fs::path master = fs::path(dir.path().toStdString()) / "pairs";
    const fs::path copy = fs::path(dir.path().toStdString()) / "pairs-copy";
    BuildPairs(master);
    const QString copyText = QString::fromStdString(copy.native());
    const QStringList findDelete = {copyText, "-type", "f", "-name", "*b.*", "-delete"};
    const QStringList jdupesDelete = {"-r", "-q", "-d", "-N", copyText};
    double bestClean = 1e100, bestFindDelete = 1e100, bestJdupesDelete = 1e100;
    bool leftOk = true;
    for (int round = 0; round < kRounds; ++round) {
        FreshCopy(master, copy);
        bestFindDelete = std::min(bestFindDelete, TimedRun::program("find", findDelete));
        FreshCopy(master, copy);
        bestJdupesDelete = std::min(bestJdupesDelete, TimedRun::program("jdupes", jdupesDelete));
        FreshCopy(master, copy);
        bestClean = std::min(bestClean, TimeClean(work, copy).ms);
        leftOk = leftOk && LeftAsTicked(copy);
    }
    fs::remove_all(copy);

    std::printf("files: %d\n", tree.written);
    std::printf("groups: %zu\n", ours.size());
    std::printf("scan_ms: %.1f\n", bestScan);
    std::printf("jdupes_ms: %.1f\n", bestJdupes);
    std::printf("rmlint_ms: %.1f\n", bestRmlint);
    std::printf("find_ms: %.1f\n", bestFind);
    std::printf("scan_vs_jdupes: %.2f\n", bestScan / bestJdupes);
    std::printf("scan_vs_rmlint: %.2f\n", bestScan / bestRmlint);
    std::printf("groups_equal_jdupes: %d\n", ours == theirs ? 1 : 0);
    std::printf("crc_gb_per_s: %.2f\n", CrcGigabytesPerSecond());
    std::printf("max_stall_ms: %.1f\n", worstStall);
    std::printf("clean_pairs: %d\n", kCleanPairs);
    std::printf("clean_ms: %.1f\n", bestClean);
    std::printf("find_delete_ms: %.1f\n", bestFindDelete);
    std::printf("jdupes_delete_ms: %.1f\n", bestJdupesDelete);
    std::printf("clean_vs_find_delete: %.2f\n", bestClean / bestFindDelete);
    std::printf("clean_vs_jdupes_delete: %.2f\n", bestClean / bestJdupesDelete);
    std::printf("clean_left_ok: %d\n", leftOk ? 1 : 0);
    return 0;
}
