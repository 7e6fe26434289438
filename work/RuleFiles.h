#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>
#include <QString>
#include <functional>

// Loaders of the rule files compiled in under ":/Merivane/resources/". A file that cannot
// be opened or parsed is logged and gives a null document, so its consumer builds an
// empty model.
class RuleFiles {
public:
    static QJsonDocument LoadCleanData();   // item paths expanded
    static QJsonDocument LoadPrivacyData(); // item paths expanded
    static QJsonDocument LoadVXCleanData();
    static QJsonDocument LoadQQCleanData();
    static QJsonDocument LoadLargeFileData();
    static QJsonDocument LoadDuplicateFileData();

    // Opens, parses and logs; postProcess runs on a successfully parsed document.
    static QJsonDocument Load(const QString& resource,
                              const std::function<QJsonDocument(QJsonDocument)>& postProcess = {});
    // Expands the "path" of every item of every group that contains "%".
    static QJsonDocument ExpandItemPaths(QJsonDocument document);
    // Walks a grouped rule file (CleanData, PrivacyData): `group` for each group object,
    // then `item` for each item object of that group with its "path" expanded once more.
    static void
    ForEachGroupItem(const QJsonDocument& rules,
                     const std::function<void(const QJsonObject& group)>& group,
                     const std::function<void(const QJsonObject& item, const QString& path)>& item);
    // A category "path": a string ("%" references expanded) or an array of strings, each
    // followed by ";" and not expanded.
    static QString CategoryPath(const QJsonValue& path);
    // Extensions of an "ext" array, lower-cased with a leading dot.
    static QSet<QString> ExtensionSet(const QJsonArray& extensions);
};
