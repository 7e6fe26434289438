#include "AnimatedLabel.h"

#include <QPainter>
#include <QPropertyAnimation>

namespace {
// Far enough left that the block is entirely outside the label.
constexpr int ParkedPosition = -100;
} // namespace

AnimatedLabel::AnimatedLabel(QWidget* parent)
    : QLabel(parent), animation_(new QPropertyAnimation(this, "sliderPosition", this)) {
    updateRange();
    animation_->setDuration(duration_);
    animation_->setLoopCount(-1);

    background_.load(QStringLiteral(":/UI/resources/UI/HomeItem.png"));
    if (!background_.isNull())
        setFixedSize(background_.size());
    repaint();

    slider_.load(QStringLiteral(":/UI/resources/UI/ProgressBlock.png"));
    updateRange();
    repaint();
}

void AnimatedLabel::setSliderPosition(int position) {
    sliderPosition_ = position;
    update();
}

void AnimatedLabel::startAnimation() {
    if (isAnimating())
        return;
    setSliderPosition(0);
    repaint();
    animation_->start(QAbstractAnimation::KeepWhenStopped);
}

void AnimatedLabel::stopAnimation() {
    setSliderPosition(ParkedPosition);
    repaint();
    animation_->stop();
}

bool AnimatedLabel::isAnimating() const {
    return animation_->state() == QAbstractAnimation::Running;
}

void AnimatedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.isNull())
        painter.drawPixmap(0, 0, background_);
    if (!slider_.isNull())
        painter.drawPixmap(sliderPosition_, (height() - slider_.height()) / 2, slider_);
}

void AnimatedLabel::updateRange() {
    // Without both pictures there is nothing to sweep over, so the animation keeps no range.
    if (background_.isNull() || slider_.isNull())
        return;
    animation_->setStartValue(0);
    animation_->setEndValue(width() - slider_.width());
}
