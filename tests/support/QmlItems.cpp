#include "QmlItems.h"

#include <QQuickItem>
#include <QQuickWidget>
#include <QTest>

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
