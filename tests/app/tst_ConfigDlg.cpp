#include "ConfigDlg.h"
#include "ShellFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

namespace {
const std::string command = "C:\\Program Files\\梅里\\Merivane.exe";
const std::string elsewhere = "C:\\Old\\Merivane.exe";

void sendMouse(QWidget* widget, QEvent::Type type, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, widget->mapFromGlobal(global), global, button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}
} // namespace

class tst_ConfigDlg : public QObject {
    Q_OBJECT
private slots:
    void runBoxFollowsTheAutostartTable_data();
    void runBoxFollowsTheAutostartTable();
    void untickThenTickRecreatesRunValue();
    void trayPreference_data();
    void trayPreference();
    void trayBoxWritesABool();
    void closeButtonRejects();
    void dragKeepsTheGrabOffset();
    void looksAsDesigned();
};

void tst_ConfigDlg::runBoxFollowsTheAutostartTable_data() {
    QTest::addColumn<QString>("present"); // empty: no value
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("after"); // empty: no value
    const QString path = QString::fromStdString(command), other = QString::fromStdString(elsewhere);
    QTest::newRow("equal, ticked: none") << path << true << path;
    QTest::newRow("equal, unticked: remove") << path << false << QString();
    QTest::newRow("other, ticked: overwrite") << other << true << path;
    QTest::newRow("other, unticked: remove") << other << false << QString();
    QTest::newRow("absent, ticked: create") << QString() << true << path;
    QTest::newRow("absent, unticked: none") << QString() << false << QString();
}

void tst_ConfigDlg::runBoxFollowsTheAutostartTable() {
    QFETCH(QString, present);
    QFETCH(bool, ticked);
    QFETCH(QString, after);
    ShellFixture fixture;
    if (!present.isEmpty())
        fixture.setRunValue(present);
    ConfigDlg dialog(nullptr, fixture.paths);
    QCOMPARE(dialog.findChild<QCheckBox*>("chkRun")->isChecked(), present.toStdString() == command);
    QCheckBox* box = dialog.findChild<QCheckBox*>("chkRun");
    box->setChecked(!ticked);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QCOMPARE(box->isChecked(), ticked);
    const auto value = fixture.runValue();
    QCOMPARE(value.has_value(), !after.isEmpty());
    if (value)
        QCOMPARE(QString::fromStdString(*value), after);
    QCOMPARE(dialog.isAutostartRegistered(), after.toStdString() == command);
}

void tst_ConfigDlg::untickThenTickRecreatesRunValue() {
    ShellFixture fixture;
    fixture.setRunValue(QString::fromStdString(command));
    ConfigDlg dialog(nullptr, fixture.paths);
    QCheckBox* box = dialog.findChild<QCheckBox*>("chkRun");
    QVERIFY(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QVERIFY(!fixture.runValue());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QCOMPARE(fixture.runValue(), std::optional<std::string>(command));
}

void tst_ConfigDlg::trayPreference_data() {
    QTest::addColumn<QString>("stored"); // null: key missing
    QTest::addColumn<bool>("tray");
    QTest::newRow("key missing") << QString() << true;
    QTest::newRow("text true") << "true" << true;
    QTest::newRow("false") << "false" << false;
}

void tst_ConfigDlg::trayPreference() {
    QFETCH(QString, stored);
    QFETCH(bool, tray);
    ShellFixture fixture;
    {
        QSettings config(fixture.paths.configFile, QSettings::IniFormat);
        config.setValue("LargeFileSaveDir", "D:/大文件");
        if (!stored.isNull())
            config.setValue("isTray", stored);
    }
    ConfigDlg dialog(nullptr, fixture.paths);
    QCOMPARE(dialog.isTray(), tray);
    QCOMPARE(dialog.findChild<QCheckBox*>("chkTray")->isChecked(), tray);
}

void tst_ConfigDlg::trayBoxWritesABool() {
    ShellFixture fixture;
    {
        ConfigDlg dialog(nullptr, fixture.paths);
        QCheckBox* box = dialog.findChild<QCheckBox*>("chkTray");
        QVERIFY(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QCOMPARE(dialog.isTray(), false);
    }
    QSettings config(fixture.paths.configFile, QSettings::IniFormat);
    QCOMPARE(config.value("isTray").toString(), QStringLiteral("false"));
    QVERIFY(!fixture.runValue()); // the tray box never touches autostart
}

void tst_ConfigDlg::closeButtonRejects() {
    ShellFixture fixture;
    ConfigDlg dialog(nullptr, fixture.paths);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnClose"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QTRY_VERIFY(!dialog.isVisible());
}

void tst_ConfigDlg::dragKeepsTheGrabOffset() {
    ShellFixture fixture;
    ConfigDlg dialog(nullptr, fixture.paths);
    dialog.move(200, 150);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint start = dialog.frameGeometry().topLeft();
    const QPoint grab = start + QPoint(120, 200);
    sendMouse(&dialog, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    sendMouse(&dialog, QEvent::MouseMove, grab + QPoint(40, -30), Qt::NoButton, Qt::LeftButton);
    QTRY_COMPARE(dialog.frameGeometry().topLeft(), start + QPoint(40, -30));
    sendMouse(&dialog, QEvent::MouseButtonRelease, grab + QPoint(40, -30), Qt::LeftButton,
              Qt::NoButton);
    // Moving without the button held no longer drags.
    sendMouse(&dialog, QEvent::MouseMove, grab + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
    QTest::qWait(20);
    QCOMPARE(dialog.frameGeometry().topLeft(), start + QPoint(40, -30));
}

void tst_ConfigDlg::looksAsDesigned() {
    ShellFixture fixture;
    ConfigDlg dialog(nullptr, fixture.paths);
    QCOMPARE(dialog.objectName(), QStringLiteral("ConfigDlgClass"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("设置"));
    QCOMPARE(dialog.size(), QSize(383, 237));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
    auto* run = dialog.findChild<QCheckBox*>("chkRun");
    auto* tray = dialog.findChild<QCheckBox*>("chkTray");
    auto* close = dialog.findChild<QPushButton*>("btnClose");
    QCOMPARE(run->geometry(), QRect(41, 85, 291, 16));
    QCOMPARE(tray->geometry(), QRect(41, 140, 321, 16));
    QCOMPARE(close->geometry(), QRect(340, 20, 24, 24));
    QCOMPARE(run->text(), QStringLiteral("开机启动"));
    QCOMPARE(tray->text(), QStringLiteral("点击关闭按钮时，隐藏到图标栏"));
    QCOMPARE(run->font().family(), QStringLiteral("HarmonyOS Sans SC"));
    QCOMPARE(tray->font().pointSize(), 11);
    QVERIFY(close->text().isEmpty());
    QCOMPARE(close->iconSize(), QSize(24, 24));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QImage image = dialog.grab().toImage();
    image.save(QCoreApplication::applicationDirPath() + "/ConfigDlg.png");
    // Rounded grey body, see-through corners.
    QCOMPARE(image.pixelColor(190, 60).name(), QStringLiteral("#999999"));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(382, 236).alpha(), 0);
}

QTEST_MAIN(tst_ConfigDlg)
#include "tst_ConfigDlg.moc"
