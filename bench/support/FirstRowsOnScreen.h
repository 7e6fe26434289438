#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QQuickWidget;

// How long after start() a page first shows rows: the time of the first frame its view
// renders once `hasRows` holds (asked on the GUI thread, where the view renders).
class FirstRowsOnScreen : public QObject {
public:
    FirstRowsOnScreen(QQuickWidget* view, std::function<bool()> hasRows);
    void start();
    // -1 while no such frame has been rendered.
    double ms() const { return ms_; }

private:
    std::function<bool()> hasRows_;
    QElapsedTimer clock_;
    double ms_ = -1;
};
