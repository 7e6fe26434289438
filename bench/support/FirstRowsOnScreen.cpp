#include "FirstRowsOnScreen.h"

#include <QQuickWidget>
#include <QQuickWindow>

FirstRowsOnScreen::FirstRowsOnScreen(QQuickWidget* view, std::function<bool()> hasRows)
    : hasRows_(std::move(hasRows)) {
    connect(view->quickWindow(), &QQuickWindow::afterRendering, this,
            [this] {
                if (clock_.isValid() && ms_ < 0 && hasRows_())
                    ms_ = clock_.nsecsElapsed() / 1e6;
            },
            Qt::DirectConnection);
}

void FirstRowsOnScreen::start() {
    ms_ = -1;
    clock_.start();
}
