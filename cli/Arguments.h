#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The command line as given: the area, its action and the options, checked against what
// each action takes. --lang is read first, so that a complaint is in the language asked for.
class Arguments {
public:
    enum class Keep { First, Newest, Oldest };

    // The areas in the order the help lists them, and the actions of one.
    static QStringList areas();
    static QStringList actionsOf(const QString& area);

    // Parses the arguments after the program's name. On bad usage `error` tells why.
    static Arguments parse(const QStringList& arguments, QString& error);

    bool helpWanted = false;
    bool versionWanted = false;
    QString area;
    QString action;
    // What follows the action: the program's name of "software uninstall".
    QString name;

    bool json = false;
    bool yes = false;
    bool all = false;
    QStringList select;
    std::optional<QString> account;
    std::optional<QString> to;
    std::optional<QString> drive;
    std::optional<int> olderThanDays;
    Keep keep = Keep::First;

    // Whether the action changes anything (clean, move, uninstall), with or without --yes.
    bool acts() const { return action != QLatin1String("scan"); }

private:
    QString applyOption(const QString& option, const QString& value);
    QString checkApplies(const QStringList& given) const;
};
