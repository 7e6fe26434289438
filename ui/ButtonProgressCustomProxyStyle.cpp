#include "ButtonProgressCustomProxyStyle.h"

#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTimer>

namespace {
// The band moves 100 pixels a second, in steps of four: 25 frames a second look smooth, and
// each frame repaints the whole window, page and all.
constexpr int TickMs = 40;
constexpr int Step = 4;
constexpr int BandRestart = -17; // where the band enters when the busy look begins
constexpr int BandWrap = -27;    // where it re-enters after leaving on the right
constexpr int BandEnd = 170;
constexpr qreal PillRadius = 25;

enum PaintStatus { Ready = 1, Busy = 2, Results = 3 };

const QColor LabelColor(QStringLiteral("#456767"));
const QColor PillColor(QStringLiteral("#29DDD3"));
const QColor PillHoverColor(QStringLiteral("#20D0D0"));
const QColor PillPressedColor(QStringLiteral("#29FFD3"));
} // namespace

ButtonProgressCustomProxyStyle::ButtonProgressCustomProxyStyle() : timer_(new QTimer(this)) {
    // It runs only while a busy button shows its band.
    timer_->setInterval(TickMs);
    connect(timer_, &QTimer::timeout, this, &ButtonProgressCustomProxyStyle::tick,
            Qt::DirectConnection);
}

void ButtonProgressCustomProxyStyle::tick() {
    offset_ += Step;
    if (offset_ > BandEnd)
        offset_ = BandWrap;
    if (lastWidget_)
        lastWidget_->update();
}

void ButtonProgressCustomProxyStyle::drawControl(ControlElement element, const QStyleOption* option,
                                                 QPainter* painter, const QWidget* widget) const {
    auto* button = const_cast<QPushButton*>(qobject_cast<const QPushButton*>(widget));
    const int status = button ? button->property("PaintStatus").toInt() : 0;
    lastWidget_ = button;

    switch (status) {
    case Ready:
        button->setDisabled(false);
        timer_->stop();
        drawCustom(element, option, painter, widget, false);
        break;
    case Busy:
        if (!timer_->isActive()) {
            offset_ = BandRestart;
            timer_->start();
        }
        button->setDisabled(true);
        drawCustom(element, option, painter, widget, true);
        break;
    case Results:
        timer_->stop();
        drawCustom(element, option, painter, widget, false);
        break;
    default:
        timer_->stop();
        QProxyStyle::drawControl(element, option, painter, widget);
        break;
    }
}

void ButtonProgressCustomProxyStyle::drawCustom(ControlElement element, const QStyleOption* option,
                                                QPainter* painter, const QWidget* widget,
                                                bool busy) const {
    if (element == CE_PushButtonLabel) {
        drawLabel(option, painter, widget);
    } else if (element == CE_PushButton) {
        if (!busy)
            drawPill(option, painter);
        else if (qobject_cast<const QPushButton*>(widget))
            drawBusyBackground(option, painter, widget);
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    // Every other element, the bevel included, stays undrawn so no platform frame shows.
}

void ButtonProgressCustomProxyStyle::drawPill(const QStyleOption* option, QPainter* painter) {
    QColor fill = PillColor;
    if (option->state & State_MouseOver)
        fill = (option->state & State_Sunken) ? PillPressedColor : PillHoverColor;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    painter->drawRoundedRect(option->rect, PillRadius, PillRadius, Qt::AbsoluteSize);
    painter->restore();
}

void ButtonProgressCustomProxyStyle::drawBusyBackground(const QStyleOption* option,
                                                        QPainter* painter,
                                                        const QWidget* widget) const {
    const QSize size = widget->size();
    // Scaled once per button size, not on every frame of the band.
    if (busyImagesSize_ != size) {
        busyBackground_ = QPixmap(QStringLiteral(":/UI/resources/UI/CClean_CheckingBackound.svg"))
                              .scaled(size, Qt::IgnoreAspectRatio);
        busyBand_ = QPixmap(QStringLiteral(":/UI/resources/UI/CClean_CheckingProgress.svg"))
                        .scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        busyImagesSize_ = size;
    }
    const QPixmap& background = busyBackground_;
    const QPixmap& band = busyBand_;
    QPixmap canvas(size);
    canvas.fill(Qt::transparent);
    {
        QPainter canvasPainter(&canvas);
        canvasPainter.drawPixmap(0, 0, background);
        // The band only shows where the background is, so it keeps the pill's outline.
        canvasPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        canvasPainter.drawPixmap(offset_, (size.height() - band.height()) / 2, band);
    }
    painter->drawPixmap(option->rect, canvas);
}

void ButtonProgressCustomProxyStyle::drawLabel(const QStyleOption* option, QPainter* painter,
                                               const QWidget* widget) const {
    const auto* buttonOption = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (!buttonOption) {
        QProxyStyle::drawControl(CE_PushButtonLabel, option, painter, widget);
        return;
    }
    QStyleOptionButton labelOption(*buttonOption);
    labelOption.palette.setBrush(QPalette::All, QPalette::ButtonText, LabelColor);
    QProxyStyle::drawControl(CE_PushButtonLabel, &labelOption, painter, widget);
}
