#include "Arguments.h"

#include "CliText.h"

#include <QMap>
#include <QRegularExpression>

namespace {

// Options that take a value.
const QStringList valueOptions = {"--select",  "--to",         "--keep", "--drive",
                                  "--account", "--older-than", "--lang"};
const QStringList flagOptions = {"--json", "--yes", "--all", "--help", "-h", "--version", "-V"};

// Whether an option applies to an area's action; the others apply everywhere.
bool applies(const QString& option, const QString& area, const QString& action) {
    const bool chat = area == QLatin1String("wechat") || area == QLatin1String("qq");
    const bool acting = action != QLatin1String("scan");
    if (option == QLatin1String("--yes"))
        return acting;
    if (option == QLatin1String("--select") || option == QLatin1String("--all"))
        return acting && action != QLatin1String("uninstall");
    if (option == QLatin1String("--to"))
        return area == QLatin1String("largefiles") && action == QLatin1String("move");
    if (option == QLatin1String("--keep"))
        return area == QLatin1String("duplicates") && acting;
    if (option == QLatin1String("--drive"))
        return area == QLatin1String("duplicates");
    if (option == QLatin1String("--account") || option == QLatin1String("--older-than"))
        return chat;
    return true;
}

} // namespace

QStringList Arguments::areas() {
    return {"cdrive", "wechat", "qq", "largefiles", "duplicates", "privacy", "software"};
}

QStringList Arguments::actionsOf(const QString& area) {
    if (area == QLatin1String("largefiles"))
        return {"scan", "move"};
    if (area == QLatin1String("software"))
        return {"scan", "uninstall"};
    return {"scan", "clean"};
}

Arguments Arguments::parse(const QStringList& arguments, QString& error) {
    error.clear();
    // The language first, wherever it stands.
    for (int i = 0; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == QLatin1String("--lang") && i + 1 < arguments.size())
            value = arguments[i + 1];
        else if (arguments[i].startsWith(QLatin1String("--lang=")))
            value = arguments[i].mid(7);
        else
            continue;
        if (value == QLatin1String("en"))
            CliText::setLanguage(CliText::Language::English);
        else if (value == QLatin1String("zh"))
            CliText::setLanguage(CliText::Language::Chinese);
    }

    Arguments parsed;
    QStringList positionals;
    QStringList given;
    for (int i = 0; i < arguments.size() && error.isEmpty(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            positionals << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            positionals << arguments.mid(i + 1);
            break;
        }
        QString option = argument;
        std::optional<QString> value;
        const int equals = argument.indexOf(QLatin1Char('='));
        if (argument.startsWith(QLatin1String("--")) && equals > 0) {
            option = argument.left(equals);
            value = argument.mid(equals + 1);
        }
        if (valueOptions.contains(option)) {
            if (!value) {
                if (i + 1 >= arguments.size()) {
                    error = CliText::get(CliText::OptionNeedsValue).arg(option);
                    break;
                }
                value = arguments[++i];
            }
            error = parsed.applyOption(option, *value);
        } else if (flagOptions.contains(option) && !value) {
            error = parsed.applyOption(option, QString());
        } else {
            error = CliText::get(CliText::UnknownOption).arg(argument);
        }
        // Only --select names several things; another option given twice is a slip.
        if (error.isEmpty() && given.contains(option) && option != QLatin1String("--select"))
            error = CliText::get(CliText::OptionTwice).arg(option);
        given << option;
    }
    if (!error.isEmpty() || parsed.versionWanted)
        return parsed;

    if (!positionals.isEmpty() && positionals.first() == QLatin1String("help")) {
        parsed.helpWanted = true;
        positionals.removeFirst();
    }
    if (parsed.helpWanted)
        return parsed;

    const QString areaList = areas().join(QLatin1String(", "));
    if (positionals.isEmpty()) {
        error = CliText::get(CliText::MissingArea).arg(areaList);
        return parsed;
    }
    parsed.area = positionals.takeFirst();
    if (!areas().contains(parsed.area)) {
        error = CliText::get(CliText::UnknownArea).arg(parsed.area, areaList);
        return parsed;
    }
    const QStringList actions = actionsOf(parsed.area);
    if (positionals.isEmpty()) {
        error = CliText::get(CliText::MissingAction)
                    .arg(parsed.area, actions.join(QLatin1String(", ")));
        return parsed;
    }
    parsed.action = positionals.takeFirst();
    if (parsed.area == QLatin1String("largefiles") && parsed.action == QLatin1String("clean")) {
        error = CliText::get(CliText::LargeFilesClean);
        return parsed;
    }
    if (!actions.contains(parsed.action)) {
        error = CliText::get(CliText::UnknownAction)
                    .arg(parsed.area, parsed.action, actions.join(QLatin1String(", ")));
        return parsed;
    }
    if (parsed.action == QLatin1String("uninstall")) {
        if (positionals.isEmpty()) {
            error = CliText::get(CliText::MissingProgram);
            return parsed;
        }
        parsed.name = positionals.takeFirst();
    }
    if (!positionals.isEmpty()) {
        error = CliText::get(CliText::ExtraArgument).arg(positionals.first());
        return parsed;
    }
    error = parsed.checkApplies(given);
    return parsed;
}

QString Arguments::applyOption(const QString& option, const QString& value) {
    if (option == QLatin1String("--json")) {
        json = true;
    } else if (option == QLatin1String("--yes")) {
        yes = true;
    } else if (option == QLatin1String("--all")) {
        all = true;
    } else if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
        helpWanted = true;
    } else if (option == QLatin1String("--version") || option == QLatin1String("-V")) {
        versionWanted = true;
    } else if (option == QLatin1String("--select")) {
        select << value;
    } else if (option == QLatin1String("--account")) {
        account = value;
    } else if (option == QLatin1String("--to")) {
        to = value;
    } else if (option == QLatin1String("--drive")) {
        static const QRegularExpression letter(QStringLiteral("^[A-Za-z]:\\\\?$"));
        if (value == QLatin1String("all") || value == QLatin1String("*"))
            drive = QStringLiteral("*");
        else if (letter.match(value).hasMatch())
            drive = value.left(1).toUpper() + QStringLiteral(":\\");
        else
            return CliText::get(CliText::BadDrive).arg(value);
    } else if (option == QLatin1String("--older-than")) {
        bool ok = false;
        const int days = value.toInt(&ok);
        if (!ok || days < 0)
            return CliText::get(CliText::BadDays).arg(value);
        olderThanDays = days;
    } else if (option == QLatin1String("--keep")) {
        static const QMap<QString, Keep> rules = {
            {"first", Keep::First}, {"newest", Keep::Newest}, {"oldest", Keep::Oldest}};
        if (!rules.contains(value))
            return CliText::get(CliText::BadKeep).arg(value);
        keep = rules.value(value);
    } else if (option == QLatin1String("--lang")) {
        if (value != QLatin1String("zh") && value != QLatin1String("en"))
            return CliText::get(CliText::BadLang).arg(value);
    }
    return QString();
}

QString Arguments::checkApplies(const QStringList& given) const {
    for (const QString& option : given) {
        if (!applies(option, area, action))
            return CliText::get(CliText::OptionNotHere)
                .arg(option, area + QLatin1Char(' ') + action);
    }
    if (all && !select.isEmpty())
        return CliText::get(CliText::AllAndSelect);
    return QString();
}
