#pragma once

#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>

class QPushButton;
class QTimer;

// Draws a big progress button by its dynamic property "PaintStatus": 1 (ready) and
// 3 (results) as a flat rounded pill, 2 (busy) as a pale pill with a sweeping band; any
// other value leaves the platform look. One instance serves one button, since its timer
// repaints only the button it drew last; the timer runs only while that button is busy.
class ButtonProgressCustomProxyStyle : public QProxyStyle {
    Q_OBJECT

public:
    ButtonProgressCustomProxyStyle();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

private:
    void tick();
    void drawCustom(ControlElement element, const QStyleOption* option, QPainter* painter,
                    const QWidget* widget, bool busy) const;
    static void drawPill(const QStyleOption* option, QPainter* painter);
    void drawBusyBackground(const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const;
    void drawLabel(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;

    // Painting is const for QStyle, yet it drives the band and remembers the button.
    mutable int offset_ = 0;
    QTimer* timer_;
    // Guarded: the timer may fire after the button it last drew has been destroyed.
    mutable QPointer<QWidget> lastWidget_;
    // The busy look's images, scaled to the size they were last drawn at.
    mutable QSize busyImagesSize_;
    mutable QPixmap busyBackground_;
    mutable QPixmap busyBand_;
};
