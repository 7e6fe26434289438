#pragma once

#include <QLabel>
#include <QPixmap>

class QPaintEvent;
class QPropertyAnimation;

// A label that slides a small highlight block back and forth over a background picture.
// The home page lays one over a summary row while that row's scan runs.
class AnimatedLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int sliderPosition READ sliderPosition WRITE setSliderPosition)

public:
    explicit AnimatedLabel(QWidget* parent = nullptr);

    int sliderPosition() const { return sliderPosition_; }
    void setSliderPosition(int position);

    // Starting a running animation changes nothing; stopping parks the block out of sight.
    void startAnimation();
    void stopAnimation();
    bool isAnimating() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateRange();

    QPixmap background_;
    QPixmap slider_;
    int sliderPosition_ = 0;
    int duration_ = 500;
    QPropertyAnimation* animation_;
};
