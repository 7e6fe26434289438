#include "AnimatedLabel.h"
#include "Screenshots.h"

#include <QPainter>
#include <QPropertyAnimation>
#include <QtTest>

namespace {
const QString BackgroundPath = QStringLiteral(":/UI/resources/UI/HomeItem.png");
const QString SliderPath = QStringLiteral(":/UI/resources/UI/ProgressBlock.png");

QImage toArgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// What a grab of the label must show with the block at position: the background picture
// over the label's palette colour (a grab fills that in first), the block over both.
QImage expectedLook(const QWidget& label, int position) {
    const QPixmap background(BackgroundPath);
    const QPixmap slider(SliderPath);
    QImage image(background.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(label.palette().color(label.backgroundRole()));
    QPainter painter(&image);
    painter.drawPixmap(0, 0, background);
    painter.drawPixmap(position, (background.height() - slider.height()) / 2, slider);
    return image;
}
} // namespace

class TestAnimatedLabel : public QObject {
    Q_OBJECT

private slots:
    void takesItsSizeAndSweepFromThePictures() {
        AnimatedLabel label;
        const QPixmap background(BackgroundPath);
        const QPixmap slider(SliderPath);
        QVERIFY(!background.isNull());
        QVERIFY(!slider.isNull());
        QCOMPARE(label.size(), background.size());
        QCOMPARE(label.size(), QSize(226, 84));

        // The block sweeps from the left edge to where its right edge meets the label's.
        auto* animation = label.findChild<QPropertyAnimation*>();
        QVERIFY(animation);
        QCOMPARE(animation->propertyName(), QByteArray("sliderPosition"));
        QCOMPARE(animation->startValue().toInt(), 0);
        QCOMPARE(animation->endValue().toInt(), background.width() - slider.width());
    }

    void stopParksTheBlockAndStartRestartsIt() {
        AnimatedLabel label;
        QVERIFY(!label.isAnimating());
        label.startAnimation();
        QVERIFY(label.isAnimating());
        QTRY_VERIFY(label.sliderPosition() > 0);

        label.stopAnimation();
        QVERIFY(!label.isAnimating());
        QCOMPARE(label.sliderPosition(), -100);

        label.startAnimation();
        QVERIFY(label.isAnimating());
        QCOMPARE(label.sliderPosition(), 0);
        label.stopAnimation();
    }

    void startWhileRunningKeepsTheSweepGoing() {
        AnimatedLabel label;
        label.startAnimation();
        label.setSliderPosition(37);
        label.startAnimation();
        QCOMPARE(label.sliderPosition(), 37);
        QVERIFY(label.isAnimating());
        label.stopAnimation();
    }

    void sweepStaysInsideTheLabel() {
        AnimatedLabel label;
        auto* animation = label.findChild<QPropertyAnimation*>();
        QVERIFY(animation);
        const int end = animation->endValue().toInt();
        QList<int> seen;
        connect(animation, &QVariantAnimation::valueChanged, &label,
                [&seen](const QVariant& value) { seen.append(value.toInt()); });
        label.startAnimation();
        QTRY_VERIFY(seen.size() > 20);
        label.stopAnimation();
        for (int position : seen)
            QVERIFY2(position >= 0 && position <= end, qPrintable(QString::number(position)));
    }

    void drawsTheBlockAtItsPosition_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shot");
        QTest::newRow("parked out of sight") << -100 << "animatedlabel_stopped";
        QTest::newRow("partly out on the left") << -30 << "animatedlabel_entering";
        QTest::newRow("left edge") << 0 << "animatedlabel_left";
        QTest::newRow("middle") << 81 << "animatedlabel_middle";
        QTest::newRow("right end") << 226 - 64 << "animatedlabel_right";
    }

    void drawsTheBlockAtItsPosition() {
        QFETCH(int, position);
        QFETCH(QString, shot);
        AnimatedLabel label;
        label.setText(QStringLiteral("不会显示的文字"));
        label.setSliderPosition(position);
        const QImage drawn = toArgb(label.grab().toImage());
        QVERIFY(!saveScreenshot(drawn, shot).isEmpty());
        QCOMPARE(drawn, expectedLook(label, position));
    }
};

QTEST_MAIN(TestAnimatedLabel)
#include "tst_painting_animatedlabel.moc"
