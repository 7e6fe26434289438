#pragma once

#include <QObject>
#include <QPixmap>

class QLabel;
class QMovie;
class QTimer;

// Paints the status icon label it is installed on, by the label's dynamic property
// "PaintFlag": 1 an animated waiting image, 2 a warning image, 3 an information image,
// anything else nothing. The label's own painting (its text) never happens. The waiting
// image is repainted on a timer only while the label shows it.
class StatusIconPainter : public QObject {
    Q_OBJECT

public:
    explicit StatusIconPainter(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tick();
    void followFlag();
    void paint(QLabel* target);
    void drawNextFrame(QPainter& painter, const QRect& area);

    QLabel* label_;
    QPixmap warningImage_;
    QPixmap infoImage_;
    QMovie* movie_;
    QTimer* timer_;
};
