#include "QmlItems.h"

#include <QDebug>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWidget>
#include <QTest>

std::unique_ptr<QQuickWidget> QmlItems::show(const QString& source,
                                             const QList<QPair<QString, QObject*>>& properties,
                                             QSize size) {
    auto view = std::make_unique<QQuickWidget>();
    view->setResizeMode(QQuickWidget::SizeRootObjectToView);
    for (const auto& property : properties)
        view->rootContext()->setContextProperty(property.first, property.second);
    view->setSource(QUrl(source));
    for (const QQmlError& error : view->errors())
        qWarning().noquote() << error.toString();
    if (!view->rootObject())
        return nullptr;
    view->resize(size);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        return nullptr;
    return view;
}

QQuickItem* QmlItems::find(QQuickItem* root, const QString& name) {
    if (!root)
        return nullptr;
    if (root->objectName() == name)
        return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = find(child, name))
            return found;
    }
    return nullptr;
}

QQuickItem* QmlItems::find(const QQuickWidget& view, const QString& name) {
    return find(view.rootObject(), name);
}

QPoint QmlItems::centreOf(const QQuickItem* item) {
    return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
}

bool QmlItems::click(QQuickWidget& view, const QQuickItem* item) {
    if (!item)
        return false;
    const QPoint at = centreOf(item);
    if (!view.rect().contains(at))
        return false;
    QTest::mouseClick(&view, Qt::LeftButton, {}, at);
    return true;
}
