#include "QuitDuringClean.h"

#include "SampleWindow.h"
#include "Work_CClean.h"
#include "platform/QuickExit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cstdlib>

namespace {
bool quitting = false;

void endOnTheSpot() {
    if (quitting)
        std::_Exit(3);
}
} // namespace

QuitDuringClean::QuitDuringClean(SampleWindow& sample)
    : sample(sample),
      folder(sample.profile().onC(QStringLiteral("Users/Merivane/AppData/Local/Temp/quit"))) {}

QuitDuringClean::~QuitDuringClean() {
    quitting = false;
}

QString QuitDuringClean::scan() {
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot make ") + folder;
    for (int i = 0; i < fileCount; ++i) {
        QFile file(folder + QStringLiteral("/%1.tmp").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write("x", 1) != 1)
            return QStringLiteral("cannot write ") + file.fileName();
    }
    Work_CClean* work = Work_CClean::GetInstance();
    QTest::mouseClick(sample.child<QPushButton>(QStringLiteral("btnDriverCClean")), Qt::LeftButton);
    if (work->StartScan() != 1)
        return QStringLiteral("the scan did not start");
    auto* progress = sample.child<QPushButton>(QStringLiteral("btnCCleanRestartAndChecking"));
    // Tens of thousands of files: under the sanitizers on a busy machine this takes a while.
    constexpr int patience = 120000;
    if (!QTest::qWaitFor([&] { return progress->text() == QStringLiteral("立即清理"); }, patience))
        return QStringLiteral("the scan did not end: ") + progress->text();
    if (!QTest::qWaitFor([&] { return !work->HasRegisteredRun(); }, patience))
        return QStringLiteral("the scan's workers are still registered");
    return {};
}

QString QuitDuringClean::quitWhileCleaning(const std::function<void()>& quit) {
    static const bool hooked = [] {
        std::atexit(endOnTheSpot);
        platform::QuickExit::atQuickExit(endOnTheSpot);
        return true;
    }();
    Q_UNUSED(hooked);
    Work_CClean* work = Work_CClean::GetInstance();
    auto* progress = sample.child<QPushButton>(QStringLiteral("btnCCleanRestartAndChecking"));
    quitting = true;
    QTest::mouseClick(progress, Qt::LeftButton);
    if (progress->text() != QStringLiteral("正在清理"))
        return QStringLiteral("the clean did not start: ") + progress->text();
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, &loop, quit);
    QTimer::singleShot(60000, &loop, [&loop] { loop.exit(1); }); // only against a hang
    if (loop.exec() != 0)
        return QStringLiteral("the event loop did not end");
    // Leaving the loop lets the works' pools empty before anything is torn down ...
    if (!QMetaObject::invokeMethod(qApp, "aboutToQuit"))
        return QStringLiteral("aboutToQuit was not emitted");
    if (work->HasRegisteredRun())
        return QStringLiteral("the clean's workers are still registered");
    // ... and the clean stopped between two files instead of deleting on.
    const int left = QDir(folder).entryList(QDir::Files).size();
    qInfo("quit during a clean: %lld ms to drain, %d of %d files left",
          static_cast<long long>(clock.elapsed()), left, fileCount);
    if (left == 0)
        return QStringLiteral("the clean went on after the quit");
    if (work->GetFreedSize() > work->foundSize.load())
        return QStringLiteral("freed more than was found");
    return {};
}
