#include "CommandLine.h"

#include "Arguments.h"
#include "CDriveCommand.h"
#include "ChatCommand.h"
#include "CliText.h"
#include "ConsoleOutput.h"
#include "DuplicatesCommand.h"
#include "ExpandEnvString.h"
#include "LargeFilesCommand.h"
#include "LogFiles.h"
#include "MessageHandler.h"
#include "PrivacyCommand.h"
#include "RegistryStoreProblem.h"
#include "SoftwareCommand.h"
#include "WorkMetaTypes.h"
#include "Work_QQClean.h"
#include "Work_VXClean.h"

#include <QCoreApplication>
#include <memory>
#include <platform/Console.h>
#include <platform/Interrupt.h>
#include <platform/ProfileEnvironment.h>

namespace {

const QString prefix = QStringLiteral("merivane-cli: ");

int badUsage(const QString& message) {
    ConsoleOutput::errLine(prefix + message);
    ConsoleOutput::errLine(CliText::get(CliText::Usage));
    return Command::BadUsage;
}

bool readsRegistry(const QString& area) {
    return area == QLatin1String("wechat") || area == QLatin1String("privacy") ||
           area == QLatin1String("software");
}

std::unique_ptr<Command> create(const Arguments& arguments) {
    const QString& area = arguments.area;
    if (area == QLatin1String("cdrive"))
        return std::make_unique<CDriveCommand>(arguments);
    if (area == QLatin1String("wechat"))
        return std::make_unique<ChatCommand>(arguments, *Work_VXClean::GetInstance(),
                                             CliText::AreaWeChat,
                                             CliText::get(CliText::WeChatMissing));
    if (area == QLatin1String("qq")) {
        const QString settings =
            ExpandEnvString(QStringLiteral("%PUBLIC%\\Documents\\Tencent\\QQ\\UserDataInfo.ini"));
        return std::make_unique<ChatCommand>(arguments, *Work_QQClean::GetInstance(),
                                             CliText::AreaQQ,
                                             CliText::get(CliText::QQMissing).arg(settings));
    }
    if (area == QLatin1String("largefiles"))
        return std::make_unique<LargeFilesCommand>(arguments);
    if (area == QLatin1String("duplicates"))
        return std::make_unique<DuplicatesCommand>(arguments);
    if (area == QLatin1String("privacy"))
        return std::make_unique<PrivacyCommand>(arguments);
    return std::make_unique<SoftwareCommand>(arguments);
}

} // namespace

int CommandLine::run(int argc, char* argv[]) {
    // Rule paths such as "%TEMP%" are expanded as soon as the first work is built.
    platform::ProfileEnvironment::ensureWindowsVariables();
    QCoreApplication app(argc, argv);
    RegisterWorkMetaTypes();
    // The engines' diagnostics go to the logs beside the program, as the window's do, and
    // never to the terminal.
    LogFiles::setDirectory(QCoreApplication::applicationDirPath());
    qInstallMessageHandler(MessageHandler);
    platform::Console::useUtf8();
    platform::Interrupt::catchRequests();

    QString problem;
    const Arguments arguments = Arguments::parse(app.arguments().mid(1), problem);
    if (!problem.isEmpty())
        return badUsage(problem);
    if (arguments.versionWanted) {
        ConsoleOutput::outLine(
            QStringLiteral("merivane-cli %1").arg(QStringLiteral(MERIVANE_VERSION)));
        return Command::Done;
    }
    if (arguments.helpWanted) {
        ConsoleOutput::out(CliText::get(CliText::Help).toUtf8());
        return Command::Done;
    }
    if (readsRegistry(arguments.area)) {
        const QString registry = RegistryStoreProblem::describe();
        if (!registry.isEmpty()) {
            ConsoleOutput::errLine(prefix +
                                   CliText::get(CliText::RegistryUnreadable).arg(registry));
            return Command::Error;
        }
    }
    const int status = create(arguments)->run();
    ConsoleOutput::flush();
    return status;
}
