#include "ApplicationFonts.h"
#include "InitFirstRunSettings.h"
#include "LogFiles.h"
#include "MessageHandler.h"
#include "PathQString.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"

#include <QApplication>
#include <QDebug>
#include <QQuickWindow>
#include <QWidget>
#include <platform/CrashHandler.h>
#include <platform/ProfileEnvironment.h>
#include <platform/SystemInfo.h>

int main(int argc, char* argv[]) {
    platform::CrashHandler::install();
    if (!platform::SystemInfo::isWindows7OrLower()) {
        platform::SystemInfo::setDpiUnawareProcess();
        platform::SystemInfo::setDpiUnawareThread();
    }
    platform::SystemInfo::setProcessDpiAware();
    // Rule paths such as "%TEMP%" are expanded as soon as the first work is built.
    platform::ProfileEnvironment::ensureWindowsVariables();

    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QQuickWindow::setDefaultAlphaBuffer(true);
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI")) {
        qputenv("QT_FONT_DPI", "96");
        qputenv("QT_SCALE_FACTOR", "1.0");
    }

    RegisterWorkMetaTypes();
    workBroker = new WorkBroker();

    QApplication app(argc, argv);
    // Messages logged before the current directory moves still land beside the executable.
    LogFiles::setDirectory(QCoreApplication::applicationDirPath());
    qInstallMessageHandler(MessageHandler);
    InitFirstRunSettings();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("C盘清理"));
    if (platform::SystemInfo::isWindows7OrLower())
        qDebug() << "Windows 7 or lower";
    platform::SystemInfo::setCurrentDirectory(
        QStringToPath(QCoreApplication::applicationDirPath()));
    ApplicationFonts::install();

    // The main window. Until the real window class lands this is an empty frame of the
    // final size.
    QWidget window;
    window.setWindowTitle(QStringLiteral("Merivane"));
    window.setFixedSize(1202, 770);
    window.setWindowFlags(window.windowFlags() & ~Qt::WindowMaximizeButtonHint);
    window.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    // Work callbacks are installed here, in start-up order, as the works come into being:
    // work->statusCallback = WorkBroker::StatusCallback();

    window.show();
    return app.exec();
}
