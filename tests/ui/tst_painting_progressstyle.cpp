#include "ButtonProgressCustomProxyStyle.h"
#include "Screenshots.h"

#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {
const QColor Pill(QStringLiteral("#29DDD3"));
const QColor BusyBackground(QStringLiteral("#D4F6F3"));
const QSize ButtonSize(170, 50);
// A point inside the pill, away from the centred text.
const QPoint PillPoint(100, 8);

enum Look { Platform, Idle, Busy };

// PaintStatus 0 stands for "no property at all".
void setStatus(QPushButton& button, int status) {
    button.setProperty("PaintStatus", status == 0 ? QVariant() : QVariant(status));
}

int pixelsOfColour(const QImage& image, int y, int fromX, int toX, const QColor& colour) {
    int count = 0;
    for (int x = fromX; x < toX; ++x)
        count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

Look lookOf(const QImage& image) {
    if (image.pixelColor(PillPoint) == Pill)
        return Idle;
    // The band covers at most 36 of these 120 pixels; the rest is the pale busy pill.
    if (pixelsOfColour(image, PillPoint.y(), 25, 145, BusyBackground) >= 80)
        return Busy;
    return Platform;
}

// A grab lays the widget's palette colour under whatever the style draws.
bool cornerShowsBackground(const QImage& image, const QWidget& widget) {
    return image.pixelColor(1, 1) == widget.palette().color(widget.backgroundRole());
}
} // namespace

class TestButtonProgressStyle : public QObject {
    Q_OBJECT

    struct Fixture {
        std::unique_ptr<ButtonProgressCustomProxyStyle> style =
            std::make_unique<ButtonProgressCustomProxyStyle>();
        std::unique_ptr<QPushButton> button;
        QTimer* timer = nullptr;

        Fixture() {
            button = std::make_unique<QPushButton>(QStringLiteral("正在扫描"));
            button->setStyle(style.get());
            button->setFixedSize(ButtonSize);
            timer = style->findChild<QTimer*>();
        }
        ~Fixture() { button.reset(); }

        QImage draw() {
            return button->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
    };

private slots:
    void drawsAndSetsStateByPaintStatus_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("enabledBefore");
        QTest::addColumn<bool>("enabledAfter");
        QTest::addColumn<bool>("timerRuns");
        QTest::addColumn<int>("look");
        QTest::addColumn<QString>("shot");
        QTest::newRow("unset: platform look")
            << 0 << true << true << false << int(Platform) << "progress_unset";
        QTest::newRow("unset keeps a disabled button")
            << 0 << false << false << false << int(Platform) << "progress_unset_off";
        QTest::newRow("ready enables")
            << 1 << false << true << false << int(Idle) << "progress_ready";
        QTest::newRow("busy disables")
            << 2 << true << false << true << int(Busy) << "progress_busy";
        QTest::newRow("results keep a disabled button")
            << 3 << false << false << false << int(Idle) << "progress_results_off";
        QTest::newRow("results keep an enabled button")
            << 3 << true << true << false << int(Idle) << "progress_results";
        QTest::newRow("unknown value: platform look")
            << 7 << true << true << false << int(Platform) << "progress_unknown";
    }

    void drawsAndSetsStateByPaintStatus() {
        QFETCH(int, status);
        QFETCH(bool, enabledBefore);
        QFETCH(bool, enabledAfter);
        QFETCH(bool, timerRuns);
        QFETCH(int, look);
        QFETCH(QString, shot);

        Fixture f;
        QVERIFY(f.timer);
        QVERIFY(!f.timer->isActive()); // runs only while the button is drawn busy
        f.button->setEnabled(enabledBefore);
        setStatus(*f.button, status);
        const QImage drawn = f.draw();
        QVERIFY(!saveScreenshot(drawn, shot).isEmpty());

        QCOMPARE(f.button->isEnabled(), enabledAfter);
        QCOMPARE(f.timer->isActive(), timerRuns);
        QCOMPARE(int(lookOf(drawn)), look);
        // The custom looks draw no platform frame: the pill's rounded corner stays clear.
        QCOMPARE(cornerShowsBackground(drawn, *f.button), look != Platform);
    }

    void timerFollowsTheStates_data() {
        QTest::addColumn<QList<int>>("statuses");
        QTest::addColumn<QList<bool>>("timerRuns");
        QTest::newRow("idle drawings keep it stopped")
            << QList<int>{1, 1, 1} << QList<bool>{false, false, false};
        QTest::newRow("busy again after results")
            << QList<int>{3, 2, 3, 2} << QList<bool>{false, true, false, true};
        QTest::newRow("unset after idle leaves it stopped")
            << QList<int>{1, 0, 0} << QList<bool>{false, false, false};
        QTest::newRow("unset after busy stops it")
            << QList<int>{2, 0} << QList<bool>{true, false};
        QTest::newRow("ready after busy stops it")
            << QList<int>{2, 2, 1} << QList<bool>{true, true, false};
    }

    void timerFollowsTheStates() {
        QFETCH(QList<int>, statuses);
        QFETCH(QList<bool>, timerRuns);
        Fixture f;
        for (int i = 0; i < statuses.size(); ++i) {
            setStatus(*f.button, statuses[i]);
            f.draw();
            QVERIFY2(f.timer->isActive() == timerRuns[i], qPrintable(QString::number(i)));
        }
    }

    void bandEntersFromTheLeftWhenBusyBegins() {
        Fixture f;
        setStatus(*f.button, 3);
        f.draw();
        setStatus(*f.button, 2);
        const QImage drawn = f.draw();
        QVERIFY(!saveScreenshot(drawn, "progress_busy_start").isEmpty());
        // The band (36 wide, brightest in its middle) starts 17 pixels left of the edge.
        const QColor left = drawn.pixelColor(1, 25);
        QVERIFY2(qAbs(left.red() - Pill.red()) < 24 && qAbs(left.green() - Pill.green()) < 12,
                 qPrintable(left.name()));
        QCOMPARE(pixelsOfColour(drawn, PillPoint.y(), 40, 160, BusyBackground), 120);
    }

    void idlePillFollowsTheMouse_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<QColor>("fill");
        const int enabled = QStyle::State_Enabled;
        QTest::newRow("plain") << enabled << Pill;
        QTest::newRow("hovered") << (enabled | QStyle::State_MouseOver) << QColor("#20D0D0");
        QTest::newRow("hovered and pressed")
            << (enabled | QStyle::State_MouseOver | QStyle::State_Sunken) << QColor("#29FFD3");
        QTest::newRow("pressed, pointer gone") << (enabled | QStyle::State_Sunken) << Pill;
    }

    void idlePillFollowsTheMouse() {
        QFETCH(int, state);
        QFETCH(QColor, fill);
        Fixture f;
        setStatus(*f.button, 1);
        QStyleOptionButton option;
        option.initFrom(f.button.get());
        option.state = QStyle::State(state);
        option.rect = QRect(QPoint(0, 0), ButtonSize);
        QImage image(ButtonSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            f.style->drawControl(QStyle::CE_PushButton, &option, &painter, f.button.get());
        }
        QCOMPARE(image.pixelColor(PillPoint), fill);
    }

    void survivesItsButtonWhileTheBandRuns() {
        Fixture f;
        setStatus(*f.button, 2);
        f.draw();
        QVERIFY(f.timer->isActive());
        f.button.reset();
        // The next ticks must not touch the destroyed button.
        QSignalSpy ticks(f.timer, &QTimer::timeout);
        QVERIFY(ticks.wait());
        QVERIFY(ticks.wait());
    }
};

QTEST_MAIN(TestButtonProgressStyle)
#include "tst_painting_progressstyle.moc"
