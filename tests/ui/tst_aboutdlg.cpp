#include "AboutUsDlg.h"
#include "Screenshots.h"

#include <QGuiApplication>
#include <QPainter>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString DisplayName = QStringLiteral("磁盘清理大师");

QQuickWidget* viewOf(AboutUsDlg& dialog) {
    return dialog.findChild<QQuickWidget*>(QStringLiteral("quickWidget"));
}

// Texts of the visible text items, walking the visual tree (repeated rows included).
QStringList sceneTexts(QQuickItem* item) {
    QStringList texts;
    if (!item->isVisible())
        return texts;
    if (item->inherits("QQuickText"))
        texts.append(item->property("text").toString());
    const auto children = item->childItems();
    for (QQuickItem* child : children)
        texts += sceneTexts(child);
    return texts;
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// Opens the dialog and waits until its scene stands.
bool openScene(AboutUsDlg& dialog) {
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return false;
    QQuickWidget* view = viewOf(dialog);
    return view && view->status() == QQuickWidget::Ready && view->rootObject();
}
// A scene with one tick box of the shared components, as the duplicate page uses it.
const char* const TickBoxScene = R"(
import QtQuick 2.12
import "qrc:/QML/resources/QML"
Rectangle {
    width: 240; height: 60; color: "white"
    property bool grouped: false
    property int groupCalls: 0
    property var groupSaw: null
    QtObject {
        id: group
        function checkButton(button) {
            groupCalls += 1
            groupSaw = button
            button.checked = true
        }
    }
    CCheckButton {
        objectName: "box"
        x: 12; y: 12
        imageSource: "qrc:/UI/resources/UI/"
        buttonGroup: grouped ? group : null
    }
}
)";

QQuickItem* findImage(QQuickItem* item) {
    if (item->inherits("QQuickImage"))
        return item;
    const auto children = item->childItems();
    for (QQuickItem* child : children) {
        if (QQuickItem* found = findImage(child))
            return found;
    }
    return nullptr;
}
} // namespace

class TestAboutUsDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QGuiApplication::setApplicationName(QStringLiteral("merivane-test"));
        QGuiApplication::setApplicationDisplayName(DisplayName);
    }

    void showsItsContract() {
        AboutUsDlg dialog;
        QVERIFY(openScene(dialog));
        QQuickWidget* view = viewOf(dialog);

        QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(dialog.windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(dialog.size(), QSize(366, 440));
        QCOMPARE(view->resizeMode(), QQuickWidget::SizeRootObjectToView);
        QCOMPARE(
            view->rootContext()->contextProperty(QStringLiteral("HostWindow")).value<QObject*>(),
            &dialog);
        QCOMPARE(view->rootObject()->size(), QSizeF(366, 440));

        // The display name, not the form's window title, heads the box.
        QCOMPARE(dialog.windowTitle(), QStringLiteral("AboutUsDlg"));
        auto* name = view->rootObject()->findChild<QQuickItem*>(QStringLiteral("appNameText"));
        QVERIFY(name);
        QCOMPARE(name->property("text").toString(), DisplayName);

        const QStringList texts = sceneTexts(view->rootObject());
        for (const QString& expected :
             {QStringLiteral("关于我们"), QStringLiteral("版本"), QStringLiteral("6.0.1.6"),
              QStringLiteral("开发"), dialog.developer(), QStringLiteral("客服电话"),
              dialog.phone(), QStringLiteral("隐私协议"), QStringLiteral("用户协议")})
            QVERIFY2(texts.contains(expected), qPrintable(expected));
        QVERIFY(!dialog.developer().isEmpty());
        QVERIFY(!dialog.phone().isEmpty());

        // Grabbed over grey, so the transparent margin and the panel's shadow show.
        QTRY_VERIFY(!view->grabFramebuffer().isNull());
        const QImage scene = view->grabFramebuffer();
        QVERIFY(!saveScreenshot(scene, QStringLiteral("aboutdlg")).isEmpty());
        QImage onGrey(scene.size(), QImage::Format_ARGB32_Premultiplied);
        onGrey.fill(QColor(QStringLiteral("#8a8a8a")));
        QPainter(&onGrey).drawImage(0, 0, scene);
        QVERIFY(!saveScreenshot(onGrey, QStringLiteral("aboutdlg_on_grey")).isEmpty());
        // The corners lie outside the panel and its shadow: fully transparent.
        QCOMPARE(scene.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(scene.pixelColor(40, 30), QColor(QStringLiteral("#f2f2f2")));
    }

    void closeButtonClosesOnlyOnAReleaseOverIt_data() {
        QTest::addColumn<QPoint>("releaseOffset");
        QTest::addColumn<bool>("closes");
        QTest::newRow("release over the button") << QPoint(0, 0) << true;
        QTest::newRow("release just beside it") << QPoint(-20, 0) << false;
        QTest::newRow("release far away") << QPoint(-150, 200) << false;
    }

    void closeButtonClosesOnlyOnAReleaseOverIt() {
        QFETCH(QPoint, releaseOffset);
        QFETCH(bool, closes);
        AboutUsDlg dialog;
        QVERIFY(openScene(dialog));
        QQuickWidget* view = viewOf(dialog);
        auto* close = view->rootObject()->findChild<QQuickItem*>(QStringLiteral("closeButton"));
        QVERIFY(close);
        QCOMPARE(close->size(), QSizeF(14, 14));
        const QPoint centre =
            close->mapToScene(QPointF(close->width() / 2, close->height() / 2)).toPoint();
        QCOMPARE(centre, QPoint(366 - 10 - 14 - 7, 10 + 20));

        QSignalSpy rejected(&dialog, &QDialog::rejected);
        sendMouse(view, QEvent::MouseMove, centre, Qt::NoButton);
        sendMouse(view, QEvent::MouseButtonPress, centre, Qt::LeftButton);
        QTRY_VERIFY(close->property("pressed").toBool());
        const QPoint release = centre + releaseOffset;
        sendMouse(view, QEvent::MouseMove, release, Qt::LeftButton);
        sendMouse(view, QEvent::MouseButtonRelease, release, Qt::NoButton);

        QCOMPARE(rejected.count(), closes ? 1 : 0);
        QCOMPARE(dialog.isVisible(), !closes);
        QVERIFY(!close->property("pressed").toBool());
        if (closes)
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void tickBoxTogglesAloneAndDefersToItsGroup_data() {
        QTest::addColumn<bool>("grouped");
        QTest::addColumn<bool>("checkedBefore");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("checkedAfter");
        QTest::addColumn<int>("groupCalls");
        QTest::newRow("alone, ticks") << false << false << "重复图片" << true << 0;
        QTest::newRow("alone, unticks") << false << true << "重复图片" << false << 0;
        QTest::newRow("alone, no text") << false << false << "" << true << 0;
        QTest::newRow("grouped, the group ticks") << true << false << "重复文档" << true << 1;
        QTest::newRow("grouped, no toggling off") << true << true << "重复文档" << true << 1;
    }

    void tickBoxTogglesAloneAndDefersToItsGroup() {
        QFETCH(bool, grouped);
        QFETCH(bool, checkedBefore);
        QFETCH(QString, text);
        QFETCH(bool, checkedAfter);
        QFETCH(int, groupCalls);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("TickBox.qml")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(TickBoxScene);
        file.close();
        QQuickWidget view;
        view.setSource(QUrl::fromLocalFile(file.fileName()));
        QCOMPARE(view.status(), QQuickWidget::Ready);
        QQuickItem* root = view.rootObject();
        auto* box = root->findChild<QQuickItem*>(QStringLiteral("box"));
        QVERIFY(box);
        root->setProperty("grouped", grouped);
        box->setProperty("checked", checkedBefore);
        box->setProperty("text", text);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        const QPoint centre =
            box->mapToScene(QPointF(box->width() / 2, box->height() / 2)).toPoint();
        sendMouse(&view, QEvent::MouseButtonPress, centre, Qt::LeftButton);
        sendMouse(&view, QEvent::MouseButtonRelease, centre, Qt::NoButton);

        QTRY_COMPARE(box->property("checked").toBool(), checkedAfter);
        QCOMPARE(root->property("groupCalls").toInt(), groupCalls);
        if (groupCalls > 0)
            QCOMPARE(root->property("groupSaw").value<QObject*>(), box);

        QQuickItem* image = findImage(box);
        QVERIFY(image);
        QCOMPARE(image->size(), QSizeF(18, 18));
        const QString picture = checkedAfter ? "Checked.png" : "Nor.png";
        QCOMPARE(image->property("source").toUrl(),
                 QUrl(QStringLiteral("qrc:/UI/resources/UI/") + picture));
        QTRY_COMPARE(image->property("status").toInt(), 1); // Image.Ready: the picture exists
        const QStringList texts = sceneTexts(root);
        QCOMPARE(texts.contains(text), !text.isEmpty());
        QCOMPARE(box->width() > 18, !text.isEmpty());

        const QString shot = QStringLiteral("tickbox_%1_%2")
                                 .arg(grouped ? "grouped" : "alone", checkedAfter ? "on" : "off");
        QVERIFY(!saveScreenshot(view.grabFramebuffer(), shot + (text.isEmpty() ? "_bare" : ""))
                     .isEmpty());
    }

    void dragsByItsBody() {
        AboutUsDlg dialog;
        QVERIFY(openScene(dialog));
        dialog.move(100, 100);
        const QPoint start = dialog.frameGeometry().topLeft();
        // Events on the dialog itself, as those the scene leaves unhandled reach it.
        QMouseEvent press(QEvent::MouseButtonPress, QPoint(5, 5), start + QPoint(5, 5),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &press);
        QMouseEvent move(QEvent::MouseMove, QPoint(45, 35), start + QPoint(45, 35), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, QPoint(45, 35), start + QPoint(45, 35),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &release);
        QTRY_COMPARE(dialog.frameGeometry().topLeft(), start + QPoint(40, 30));
    }
};

QTEST_MAIN(TestAboutUsDlg)
#include "tst_aboutdlg.moc"
