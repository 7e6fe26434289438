#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// What --select names among the items an action offers (tiles, categories, file types,
// traces): each value names the items whose id it is, or whose name it is, letter case
// aside. A value that names nothing is bad usage.
class Selection {
public:
    struct Item {
        QString id;
        // Names the item answers to besides its id (its title, the title of its group).
        QStringList names;
    };

    // Per item, whether a value names it. On a value that names nothing, `error` says so
    // and lists what may be named.
    static std::vector<bool> pick(const std::vector<Item>& items, const QStringList& values,
                                  QString& error);
};
