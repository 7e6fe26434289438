#include "ApplicationFonts.h"
#include "InitFirstRunSettings.h"
#include "LogFiles.h"
#include "Merivane.h"
#include "MessageHandler.h"
#include "PathQString.h"
#include "PinFontDpi.h"
#include "QtTranslations.h"
#include "ReportUnreadableRegistry.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"
#include "Work_CClean.h"

#include <QApplication>
#include <QDebug>
#include <QQuickWindow>
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
    PinFontDpi();

    RegisterWorkMetaTypes();
    workBroker = new WorkBroker();

    QApplication app(argc, argv);
    // Messages logged before the current directory moves still land beside the executable.
    LogFiles::setDirectory(QCoreApplication::applicationDirPath());
    qInstallMessageHandler(MessageHandler);
    ReportUnreadableRegistry();
    InitFirstRunSettings();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("C盘清理"));
    if (platform::SystemInfo::isWindows7OrLower())
        qDebug() << "Windows 7 or lower";
    platform::SystemInfo::setCurrentDirectory(
        QStringToPath(QCoreApplication::applicationDirPath()));
    ApplicationFonts::install();
    QtTranslations::install();

    Merivane window;
    window.setFixedSize(1202, 770);
    window.setWindowFlags(window.windowFlags() & ~Qt::WindowMaximizeButtonHint);
    window.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    // Every page's work with a status block reports through the broker; the C-drive work
    // also has the progress callback.
    WorkBroker::InstallStatusCallbacks(window.works());
    Work_CClean::GetInstance()->progressCallback = WorkBroker::ProgressCallback();

    window.show();
    return app.exec();
}
