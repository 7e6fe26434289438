#include "PinFontDpi.h"

#include <QtTest>

class tst_PinFontDpi : public QObject {
    Q_OBJECT
private slots:
    void onlyAnUnsetFontDpiIsPinned_data();
    void onlyAnUnsetFontDpiIsPinned();
};

void tst_PinFontDpi::onlyAnUnsetFontDpiIsPinned_data() {
    QTest::addColumn<QByteArray>("fontDpi"); // null: unset
    QTest::addColumn<QByteArray>("scale");   // null: unset
    QTest::addColumn<QByteArray>("fontDpiAfter");
    QTest::addColumn<QByteArray>("scaleAfter");
    QTest::newRow("unset") << QByteArray() << QByteArray() << QByteArray("96") << QByteArray("1.0");
    QTest::newRow("empty") << QByteArray("") << QByteArray("2") << QByteArray("96")
                           << QByteArray("1.0");
    QTest::newRow("user value, no scale")
        << QByteArray("120") << QByteArray() << QByteArray("120") << QByteArray();
    QTest::newRow("user value and scale")
        << QByteArray("144") << QByteArray("1.5") << QByteArray("144") << QByteArray("1.5");
}

void tst_PinFontDpi::onlyAnUnsetFontDpiIsPinned() {
    QFETCH(QByteArray, fontDpi);
    QFETCH(QByteArray, scale);
    QFETCH(QByteArray, fontDpiAfter);
    QFETCH(QByteArray, scaleAfter);
    const auto set = [](const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set("QT_FONT_DPI", fontDpi);
    set("QT_SCALE_FACTOR", scale);
    PinFontDpi();
    QCOMPARE(qgetenv("QT_FONT_DPI"), fontDpiAfter);
    QCOMPARE(qEnvironmentVariableIsSet("QT_SCALE_FACTOR"), !scaleAfter.isNull());
    QCOMPARE(qgetenv("QT_SCALE_FACTOR"), scaleAfter);
}

QTEST_APPLESS_MAIN(tst_PinFontDpi)
#include "tst_PinFontDpi.moc"
