#include "BenchWindow.h"

#include "LogFiles.h"
#include "Merivane.h"
#include "MessageHandler.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QQuickWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

void BenchWindow::prepareApplication() {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    RegisterWorkMetaTypes();
    workBroker = new WorkBroker();
}

BenchWindow::BenchWindow() {
    // The log goes where the benchmark's temporary files go, not beside the executable.
    static QTemporaryDir logs;
    LogFiles::setDirectory(logs.path());
    qInstallMessageHandler(MessageHandler);
    window_ = std::make_unique<Merivane>();
    window_->setFixedSize(1202, 770);
    WorkBroker::InstallStatusCallbacks(window_->works());
    window_->show();
    window_->move(0, 0);
    waitFor([this] { return window_->windowHandle() && window_->windowHandle()->isExposed(); });
    // The untimed set-up is over: a profiler may attach to the GUI thread from here.
    std::fprintf(stderr, "bench: the window shows (process %lld)\n",
                 static_cast<long long>(QCoreApplication::applicationPid()));
}

BenchWindow::~BenchWindow() = default;

void BenchWindow::open(const QString& navigationButton) {
    auto* button = window_->findChild<QPushButton*>(navigationButton);
    if (!button) {
        std::fprintf(stderr, "no button %s in the window\n", qPrintable(navigationButton));
        std::exit(1);
    }
    button->click();
    QElapsedTimer settle;
    settle.start();
    waitFor([&] { return settle.elapsed() > 300; });
}

QQuickWidget* BenchWindow::view(const QString& name) const {
    auto* view = window_->findChild<QQuickWidget*>(name);
    if (!view) {
        std::fprintf(stderr, "no list view %s in the window\n", qPrintable(name));
        std::exit(1);
    }
    return view;
}

void BenchWindow::waitFor(const std::function<bool()>& done) {
    if (done())
        return;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(5);
    loop.exec();
}
