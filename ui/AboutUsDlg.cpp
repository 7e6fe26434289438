#include "AboutUsDlg.h"

#include "ui_AboutUsDlg.h"

#include <QGuiApplication>
#include <QQmlContext>

AboutUsDlg::AboutUsDlg(QWidget* parent) : DraggableDialog(parent), ui_(new Ui::AboutUsDlgClass) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    // The scene draws its own rounded panel and shadow; everything around them stays clear.
    QQuickWidget* view = ui_->quickWidget;
    view->setAttribute(Qt::WA_OpaquePaintEvent, false);
    view->setStyleSheet(QStringLiteral("background: transparent;"));
    view->setClearColor(Qt::transparent);
    view->setAutoFillBackground(false);

    view->rootContext()->setContextProperty(QStringLiteral("HostWindow"), this);
    view->setSource(QUrl(QStringLiteral("qrc:/QML/resources/QML/AboutUsDialog.qml")));
}

AboutUsDlg::~AboutUsDlg() = default;

QString AboutUsDlg::appName() const {
    return QGuiApplication::applicationDisplayName();
}

QString AboutUsDlg::developer() const {
    return QStringLiteral("Merivane 工作室");
}

QString AboutUsDlg::phone() const {
    return QStringLiteral("400-000-0000");
}

void AboutUsDlg::go_reject() {
    reject();
}
