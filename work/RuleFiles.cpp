#include "RuleFiles.h"

#include "ExpandEnvString.h"

#include <QDebug>
#include <QFile>
#include <QJsonObject>
#include <QJsonParseError>

namespace {
const QString prefix = QStringLiteral(":/Merivane/resources/");
}

QJsonDocument RuleFiles::Load(const QString& resource,
                              const std::function<QJsonDocument(QJsonDocument)>& postProcess) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "Failed to open the JSON file.";
        return {};
    }
    const QByteArray bytes = file.readAll();
    file.close();
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (document.isNull()) {
        qDebug().noquote() << "Failed to parse JSON. Error:" << error.errorString()
                           << "at offset:" << error.offset;
        return {};
    }
    return postProcess ? postProcess(std::move(document)) : document;
}

QJsonDocument RuleFiles::ExpandItemPaths(QJsonDocument document) {
    if (!document.isArray())
        return document;
    QJsonArray groups = document.array();
    for (int g = 0; g < groups.size(); ++g) {
        if (!groups[g].isObject())
            continue;
        QJsonObject group = groups[g].toObject();
        QJsonArray items = group.value(QStringLiteral("items")).toArray();
        for (int i = 0; i < items.size(); ++i) {
            if (!items[i].isObject())
                continue;
            QJsonObject item = items[i].toObject();
            const QString path = item.value(QStringLiteral("path")).toString();
            if (path.contains(QLatin1Char('%'))) {
                item.insert(QStringLiteral("path"), ExpandEnvString(path));
                items[i] = item;
            }
        }
        group.insert(QStringLiteral("items"), items);
        groups[g] = group;
    }
    document.setArray(groups);
    return document;
}

void RuleFiles::ForEachGroupItem(
    const QJsonDocument& rules, const std::function<void(const QJsonObject& group)>& group,
    const std::function<void(const QJsonObject& item, const QString& path)>& item) {
    if (!rules.isArray())
        return;
    const QJsonArray groups = rules.array();
    for (const QJsonValue& groupValue : groups) {
        if (!groupValue.isObject())
            continue;
        const QJsonObject groupObject = groupValue.toObject();
        group(groupObject);
        const QJsonArray items = groupObject.value(QStringLiteral("items")).toArray();
        for (const QJsonValue& itemValue : items) {
            if (!itemValue.isObject())
                continue;
            const QJsonObject itemObject = itemValue.toObject();
            QString path = itemObject.value(QStringLiteral("path")).toString();
            if (path.contains(QLatin1Char('%')))
                path = ExpandEnvString(path);
            item(itemObject, path);
        }
    }
}

QString RuleFiles::CategoryPath(const QJsonValue& path) {
    if (path.isArray()) {
        QString joined;
        for (const QJsonValue& part : path.toArray())
            joined += part.toString() + QLatin1Char(';');
        return joined;
    }
    const QString text = path.toString();
    return text.contains(QLatin1Char('%')) ? ExpandEnvString(text) : text;
}

QSet<QString> RuleFiles::ExtensionSet(const QJsonArray& extensions) {
    QSet<QString> set;
    for (const QJsonValue& extension : extensions)
        set.insert(QLatin1Char('.') + extension.toString().toLower());
    return set;
}

QJsonDocument RuleFiles::LoadCleanData() {
    return Load(prefix + QStringLiteral("CleanData.json"), ExpandItemPaths);
}

QJsonDocument RuleFiles::LoadPrivacyData() {
    return Load(prefix + QStringLiteral("PrivacyData.json"), ExpandItemPaths);
}

QJsonDocument RuleFiles::LoadVXCleanData() {
    return Load(prefix + QStringLiteral("VXCleanData.json"));
}

QJsonDocument RuleFiles::LoadQQCleanData() {
    return Load(prefix + QStringLiteral("QQCleanData.json"));
}

QJsonDocument RuleFiles::LoadLargeFileData() {
    return Load(prefix + QStringLiteral("LargeFileData.json"));
}

QJsonDocument RuleFiles::LoadDuplicateFileData() {
    return Load(prefix + QStringLiteral("DuplicateFileData.json"));
}
