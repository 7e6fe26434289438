#include "ButtonProgressCustomProxyStyle.h"

#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTimer>

namespace {
constexpr int TickMs = 10;
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
    connect(timer_, &QTimer::timeout, this, &ButtonProgressCustomProxyStyle::tick,
            Qt::DirectConnection);
    timer_->start(TickMs);
}

void ButtonProgressCustomProxyStyle::tick() {
    ++offset_;
    if (offset_ > BandEnd)
        offset_ = BandWrap;
    if (lastWidget_)
        lastWidget_->repaint();
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
            timer_->start(TickMs);
        }
        button->setDisabled(true);
        drawCustom(element, option, painter, widget, true);
        break;
    case Results:
        timer_->stop();
        drawCustom(element, option, painter, widget, false);
        break;
    default:
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
    const QPixmap background =
        QPixmap(QStringLiteral(":/UI/resources/UI/CClean_CheckingBackound.svg"))
            .scaled(size, Qt::IgnoreAspectRatio);
    const QPixmap band = QPixmap(QStringLiteral(":/UI/resources/UI/CClean_CheckingProgress.svg"))
                             .scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
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
