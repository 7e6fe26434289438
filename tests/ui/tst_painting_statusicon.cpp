#include "Screenshots.h"
#include "StatusIconPainter.h"

#include <QImageReader>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QtTest>
#include <memory>

namespace {
const QSize IconSize(50, 50);
const QString GifPath = QStringLiteral(":/UI/resources/UI/WaitLoading.gif");

enum Shows { Nothing, WarningImage, InfoImage, WaitingFrame };

QImage grabOf(QLabel& label) {
    return label.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage blank() {
    QImage image(IconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QImage withCentred(const QString& path) {
    QImage image = blank();
    const QPixmap picture(path);
    QPainter painter(&image);
    painter.drawPixmap((IconSize.width() - picture.width()) / 2,
                       (IconSize.height() - picture.height()) / 2, picture);
    return image;
}

// Every frame of the waiting animation, decoded in order and drawn over the label's area.
QList<QImage> waitingFrames() {
    QList<QImage> frames;
    QMovie movie(GifPath);
    movie.jumpToFrame(0);
    for (int i = 0; i < movie.frameCount(); ++i) {
        QImage image = blank();
        QPainter painter(&image);
        painter.drawPixmap(QRect(QPoint(0, 0), IconSize), movie.currentPixmap());
        frames.append(image);
        movie.jumpToNextFrame();
    }
    return frames;
}

QImage expected(Shows shows) {
    switch (shows) {
    case WarningImage:
        return withCentred(QStringLiteral(":/UI/resources/UI/Warning.png"));
    case InfoImage:
        return withCentred(QStringLiteral(":/UI/resources/UI/Infomation.png"));
    case WaitingFrame:
        break; // any frame will do; see showsAsExpected
    case Nothing:
        break;
    }
    return blank();
}

bool showsAsExpected(const QImage& drawn, Shows shows) {
    if (shows != WaitingFrame)
        return drawn == expected(shows);
    return waitingFrames().contains(drawn);
}

// Counts the paint events of the object it is installed on.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// A status icon label as the pages have it, on a white ground, with text it must never show.
struct Fixture {
    std::unique_ptr<QLabel> label = std::make_unique<QLabel>(QStringLiteral("状态文字"));
    StatusIconPainter* painter;

    Fixture() {
        label->setFixedSize(IconSize);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Qt::white);
        label->setPalette(palette);
        painter = new StatusIconPainter(label.get());
        label->installEventFilter(painter);
    }
};
} // namespace

class TestStatusIconPainter : public QObject {
    Q_OBJECT

private slots:
    void picturesLoad() {
        QMovie movie(GifPath);
        QVERIFY(movie.isValid());
        QVERIFY(movie.frameCount() > 1);
        QCOMPARE(QImageReader(GifPath).size(), IconSize);
        QVERIFY(!QPixmap(QStringLiteral(":/UI/resources/UI/Warning.png")).isNull());
        QVERIFY(!QPixmap(QStringLiteral(":/UI/resources/UI/Infomation.png")).isNull());
    }

    void paintsByPaintFlag_data() {
        QTest::addColumn<QVariant>("flag");
        QTest::addColumn<int>("shows");
        QTest::addColumn<QString>("shot");
        QTest::newRow("unset") << QVariant() << int(Nothing) << "statusicon_unset";
        QTest::newRow("zero") << QVariant(0) << int(Nothing) << "statusicon_zero";
        QTest::newRow("waiting") << QVariant(1) << int(WaitingFrame) << "statusicon_waiting";
        QTest::newRow("warning") << QVariant(2) << int(WarningImage) << "statusicon_warning";
        QTest::newRow("information") << QVariant(3) << int(InfoImage) << "statusicon_info";
        QTest::newRow("above the range") << QVariant(4) << int(Nothing) << "statusicon_four";
        QTest::newRow("negative") << QVariant(-1) << int(Nothing) << "statusicon_negative";
        QTest::newRow("not a number")
            << QVariant(QStringLiteral("警告")) << int(Nothing) << "statusicon_text";
    }

    void paintsByPaintFlag() {
        QFETCH(QVariant, flag);
        QFETCH(int, shows);
        QFETCH(QString, shot);
        Fixture f;
        f.label->setProperty("PaintFlag", flag);
        const QImage drawn = grabOf(*f.label);
        QVERIFY(!saveScreenshot(drawn, shot).isEmpty());
        QVERIFY(showsAsExpected(drawn, Shows(shows)));
    }

    void followsAChangedFlag_data() {
        QTest::addColumn<QList<int>>("flags");
        QTest::addColumn<QList<int>>("shows");
        QTest::newRow("busy, then something to clean, then clean")
            << QList<int>{1, 2, 3} << QList<int>{WaitingFrame, WarningImage, InfoImage};
        QTest::newRow("cleared after a warning")
            << QList<int>{2, 0} << QList<int>{WarningImage, Nothing};
    }

    void followsAChangedFlag() {
        QFETCH(QList<int>, flags);
        QFETCH(QList<int>, shows);
        Fixture f;
        for (int i = 0; i < flags.size(); ++i) {
            f.label->setProperty("PaintFlag", flags[i]);
            QVERIFY2(showsAsExpected(grabOf(*f.label), Shows(shows[i])),
                     qPrintable(QString::number(i)));
        }
    }

    // Each paint shows one frame and moves on by one; after the last frame it starts over.
    void waitingAnimationCyclesThroughAllFrames() {
        Fixture f;
        f.label->setProperty("PaintFlag", 1);
        const int frames = QMovie(GifPath).frameCount();
        QList<QImage> shown;
        for (int i = 0; i < 3 * frames; ++i)
            shown.append(grabOf(*f.label));
        for (int i = 0; i + 1 < shown.size(); ++i) {
            QVERIFY2(showsAsExpected(shown[i], WaitingFrame), qPrintable(QString::number(i)));
            QVERIFY2(shown[i] != shown[i + 1], qPrintable(QString::number(i)));
        }
        for (int i = 0; i + frames < shown.size(); ++i)
            QVERIFY2(shown[i] == shown[i + frames], qPrintable(QString::number(i)));
        for (int i = 0; i < 4; ++i)
            saveScreenshot(shown[i * frames / 4], QStringLiteral("statusicon_waiting_%1").arg(i));
    }

    void keepsRepaintingTheLabel() {
        Fixture f;
        f.label->setProperty("PaintFlag", 1);
        f.label->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.label.get()));
        // Without any other trigger the animation must advance on its own.
        QMovie* movie = f.painter->findChild<QMovie*>();
        QVERIFY(movie);
        const int frame = movie->currentFrameNumber();
        QTRY_VERIFY(movie->currentFrameNumber() != frame);
    }

    // Only the moving image is repainted on its own: a still one, or one hidden, costs the
    // window no frame while the user only looks.
    void repaintsOnItsOwnOnlyWhileWaitingAndShown_data() {
        QTest::addColumn<QList<int>>("flags"); // set in turn; the last one stays
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("repaints");
        QTest::newRow("waiting") << QList<int>{1} << false << true;
        QTest::newRow("waiting, then a warning") << QList<int>{1, 2} << false << false;
        QTest::newRow("waiting, then information") << QList<int>{1, 3} << false << false;
        QTest::newRow("waiting, then cleared") << QList<int>{1, 0} << false << false;
        QTest::newRow("warning, then waiting") << QList<int>{2, 1} << false << true;
        QTest::newRow("never set") << QList<int>{} << false << false;
        QTest::newRow("waiting, hidden") << QList<int>{1} << true << false;
    }

    void repaintsOnItsOwnOnlyWhileWaitingAndShown() {
        QFETCH(QList<int>, flags);
        QFETCH(bool, hidden);
        QFETCH(bool, repaints);
        Fixture f;
        f.label->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.label.get()));
        for (int flag : flags)
            f.label->setProperty("PaintFlag", flag);
        if (hidden)
            f.label->hide();
        QTest::qWait(100); // the paints the changes themselves asked for
        PaintCounter counter;
        f.label->installEventFilter(&counter);
        QTest::qWait(400);
        if (repaints)
            QVERIFY2(counter.paints >= 3, qPrintable(QString::number(counter.paints)));
        else
            QCOMPARE(counter.paints, 0);
    }
};

QTEST_MAIN(TestStatusIconPainter)
#include "tst_painting_statusicon.moc"
