#include "StatusIconPainter.h"

#include <QDebug>
#include <QEvent>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QTimer>

namespace {
constexpr int TickMs = 50;

enum PaintFlag { Waiting = 1, Warning = 2, Information = 3 };

void drawCentred(QPainter& painter, const QRect& area, const QPixmap& image) {
    painter.drawPixmap((area.width() - image.width()) / 2, (area.height() - image.height()) / 2,
                       image);
}
} // namespace

StatusIconPainter::StatusIconPainter(QObject* parent)
    : QObject(parent), label_(qobject_cast<QLabel*>(parent)),
      warningImage_(QStringLiteral(":/UI/resources/UI/Warning.png")),
      infoImage_(QStringLiteral(":/UI/resources/UI/Infomation.png")),
      movie_(new QMovie(QStringLiteral(":/UI/resources/UI/WaitLoading.gif"), QByteArray(), this)),
      timer_(new QTimer(this)) {
    if (movie_->isValid())
        movie_->jumpToFrame(1);
    else
        qWarning() << "Error: Failed to load GIF -" << movie_->lastErrorString();
    timer_->setInterval(TickMs);
    connect(timer_, &QTimer::timeout, this, &StatusIconPainter::tick);
    followFlag();
}

void StatusIconPainter::followFlag() {
    // Only the waiting image moves; repainting a still image, or one nobody sees, would
    // cost the window a frame every tick for nothing.
    const bool animate = label_ && label_->isVisible() &&
                         label_->property("PaintFlag").toInt() == Waiting;
    if (animate && !timer_->isActive())
        timer_->start();
    else if (!animate)
        timer_->stop();
}

void StatusIconPainter::tick() {
    if (label_)
        label_->update();
}

bool StatusIconPainter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label_ &&
        (event->type() == QEvent::DynamicPropertyChange || event->type() == QEvent::Show ||
         event->type() == QEvent::Hide))
        followFlag();
    if (event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    if (auto* target = qobject_cast<QLabel*>(watched))
        paint(target);
    return true;
}

void StatusIconPainter::paint(QLabel* target) {
    QPainter painter(target);
    const QRect area(0, 0, target->width(), target->height());
    switch (target->property("PaintFlag").toInt()) {
    case Waiting:
        drawNextFrame(painter, area);
        break;
    case Warning:
        movie_->stop();
        drawCentred(painter, area, warningImage_);
        break;
    case Information:
        movie_->stop();
        drawCentred(painter, area, infoImage_);
        break;
    default:
        break;
    }
}

void StatusIconPainter::drawNextFrame(QPainter& painter, const QRect& area) {
    // One frame per paint, whatever the GIF's own delays: the 50 ms tick sets the pace.
    if (!movie_->isValid())
        return;
    const int current = movie_->currentFrameNumber();
    if (current == movie_->frameCount() || current == -1)
        movie_->jumpToFrame(0);
    const QPixmap frame = movie_->currentPixmap();
    if (!frame.isNull())
        painter.drawPixmap(area, frame);
    movie_->jumpToNextFrame();
}
