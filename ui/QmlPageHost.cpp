#include "QmlPageHost.h"

#include <QDebug>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWidget>
#include <QUrl>

QObject* QmlPageHost::host(QQuickWidget* view, const Properties& properties, const QString& source,
                           const QString& failureLine) {
    for (const auto& property : properties)
        view->rootContext()->setContextProperty(property.first, property.second);
    view->setSource(QUrl(source));
    QObject* root = view->rootObject();
    if (!root) {
        for (const auto& error : view->errors())
            qWarning().noquote() << error.toString();
        qWarning().noquote() << failureLine;
    }
    return root;
}
