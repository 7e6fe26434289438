#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QPoint>
#include <QSize>
#include <QString>
#include <memory>

class QQuickItem;
class QQuickWidget;

// Finding and clicking the items of a QML page. Delegates have no QObject parent, so the
// search walks the visual tree.
class QmlItems {
public:
    // A new view of `size` showing the page at `source`, with the native objects it reads
    // published first, exposed and ready for clicks; null when the page does not load (its
    // errors are logged as warnings).
    static std::unique_ptr<QQuickWidget>
    show(const QString& source, const QList<QPair<QString, QObject*>>& properties, QSize size);
    // The first item below `root` (itself included) with this object name, or null.
    static QQuickItem* find(QQuickItem* root, const QString& name);
    static QQuickItem* find(const QQuickWidget& view, const QString& name);
    // The centre of an item in the coordinates of the view that shows it.
    static QPoint centreOf(const QQuickItem* item);
    // Clicks the item's centre with the left button, as a user would; false when the
    // centre lies outside the view (scroll it into view first).
    static bool click(QQuickWidget& view, const QQuickItem* item);
};
