// What the program costs while the user only looks: the real window on the sample profile
// (scripts/sample_profile.py), each page opened and scanned as a user does it (its button
// clicked), then left alone. For each page, the CPU the whole process (GUI thread,
// renderer and workers) uses over 30 s with nothing running, in percent of one core:
//   idle_cpu_percent_<page>, and idle_cpu_percent_max over all pages.
// --seconds N measures N seconds per page instead.
#include "BenchWindow.h"
#include "IWork.h"
#include "LM_DuplicateFileListModel.h"
#include "LM_SoftWareInfoModel.h"
#include "Merivane.h"
#include "QmlItems.h"
#include "SampleProfile.h"
#include "WorkBroker.h"
#include "Work_DuplicateFile.h"
#include "Work_UninstallSoft.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QQuickWidget>
#include <cstdio>
#include <optional>
#include <sys/resource.h>

namespace {

struct Page {
    const char* name;
    const char* navigationButton;
    const char* scanButton; // null: the page scans otherwise, or not at all
    std::optional<IWork::WorkStatus> scanFinished;
};

const Page kPages[] = {
    {"cclean", "btnDriverCClean", "btnCCleanStart", IWork::CCleanScanFinished},
    {"wechat", "btnVXClean", "btnVXCleanScan", IWork::VXCleanScanFinished},
    {"qq", "btnQQClean", "btnQQCleanScan", IWork::QQCleanScanFinished},
    {"largefile", "btnLargeFileReplace", "btnLargeFileScan", IWork::LargeFileScanFinished},
    {"privacy", "btnPrivacyFileClean", "btnPrivacyStart", IWork::PrivacyScanFinished},
    {"duplicates", "btnDuplicateFileClean", nullptr, std::nullopt},
    {"uninstall", "btnUninstall", nullptr, std::nullopt},
    {"home", "btnHome", nullptr, std::nullopt},
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The CPU the process uses while the event loop turns for `seconds`, in percent of a core.
double IdlePercent(int seconds) {
    QElapsedTimer wall;
    const double before = CpuSeconds();
    wall.start();
    BenchWindow::waitFor([&] { return wall.elapsed() >= seconds * 1000; });
    return 100.0 * (CpuSeconds() - before) / (wall.nsecsElapsed() / 1e9);
}

void Fail(const char* what) {
    std::fprintf(stderr, "idle: %s\n", what);
    std::exit(1);
}

// Scans the page as a user does, and waits until it has ended.
void Scan(BenchWindow& bench, const Page& page) {
    if (page.scanButton) {
        bool finished = false;
        QObject::connect(
            workBroker, &WorkBroker::OnCCleanStatusChanging, &bench.window(),
            [&](IWork::WorkStatus status) { finished |= status == *page.scanFinished; });
        bench.window().findChild<QPushButton*>(page.scanButton)->click();
        BenchWindow::waitFor([&] { return finished; });
    } else if (QLatin1String(page.name) == QLatin1String("duplicates")) {
        QQuickWidget* view = bench.view(QStringLiteral("qwDuplicateFile"));
        bool finished = false;
        QObject::connect(Work_DuplicateFile::GetInstance()->typeModel(),
                         &LM_DuplicateFileListModel::scanFinishedInfo, &bench.window(),
                         [&] { finished = true; });
        if (!QmlItems::click(*view, QmlItems::find(*view, QStringLiteral("dfQuickScan"))))
            Fail("the duplicate page's scan button cannot be clicked");
        BenchWindow::waitFor([&] { return finished; });
    } else if (QLatin1String(page.name) == QLatin1String("uninstall")) {
        // The first visit started the inventory.
        Work_UninstallSoft* work = Work_UninstallSoft::GetInstance();
        BenchWindow::waitFor(
            [&] { return work->model()->rowCount() > 0 && !work->HasRegisteredRun(); });
    }
    // The end's presentation (result sentence, badges, fading) settles.
    QElapsedTimer settle;
    settle.start();
    BenchWindow::waitFor([&] { return settle.elapsed() > 2000; });
}

} // namespace

int main(int argc, char** argv) {
    BenchWindow::prepareApplication();
    QApplication app(argc, argv);
    int seconds = 30;
    const QStringList arguments = QCoreApplication::arguments();
    const int at = arguments.indexOf(QStringLiteral("--seconds"));
    if (at > 0 && at + 1 < arguments.size())
        seconds = arguments.at(at + 1).toInt();

    SampleProfile profile;
    if (!profile.isValid())
        Fail(qPrintable(profile.error()));
    profile.apply();

    BenchWindow bench;
    double worst = 0;
    for (const Page& page : kPages) {
        bench.open(QString::fromLatin1(page.navigationButton));
        Scan(bench, page);
        const double percent = IdlePercent(seconds);
        worst = std::max(worst, percent);
        std::printf("idle_cpu_percent_%s: %.2f\n", page.name, percent);
        std::fflush(stdout);
    }
    std::printf("idle_cpu_percent_max: %.2f\n", worst);
    return 0;
}
