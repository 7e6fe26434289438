#pragma once

#include <QList>
#include <QPair>
#include <QString>

class QObject;
class QQuickWidget;

// Loads a QML page into a view after publishing the native objects it reads.
class QmlPageHost {
public:
    using Properties = QList<QPair<QString, QObject*>>;

    // Sets the context properties on the view's own root context, then the source.
    // Returns the root object; when there is none, writes failureLine to the log.
    static QObject* host(QQuickWidget* view, const Properties& properties, const QString& source,
                         const QString& failureLine);
};
