#pragma once

#include <QPoint>
#include <QString>

class QQuickItem;
class QQuickWidget;

// Finding and clicking the items of a QML page. Delegates have no QObject parent, so the
// search walks the visual tree.
class QmlItems {
public:
    // The first item below `root` (itself included) with this object name, or null.
    static QQuickItem* find(QQuickItem* root, const QString& name);
    static QQuickItem* find(const QQuickWidget& view, const QString& name);
    // The centre of an item in the coordinates of the view that shows it.
    static QPoint centreOf(const QQuickItem* item);
    // Clicks the item's centre with the left button, as a user would; false when the
    // centre lies outside the view (scroll it into view first).
    static bool click(QQuickWidget& view, const QQuickItem* item);
};
