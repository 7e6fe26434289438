#include "ConfigDlg.h"

#include "AutostartEntry.h"
#include "ui_ConfigDlg.h"

#include <QPainter>
#include <QSettings>

ConfigDlg::ConfigDlg(QWidget* parent, const AppPaths& paths)
    : DraggableDialog(parent), ui(new Ui::ConfigDlgClass), paths_(paths),
      settings_(new QSettings(paths.configFile, QSettings::IniFormat)) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    ui->chkRun->setChecked(isAutostartRegistered());
    ui->chkTray->setChecked(isTray());
}

ConfigDlg::~ConfigDlg() {
    delete settings_;
}

bool ConfigDlg::isAutostartRegistered() {
    return AutostartEntry(paths_).isRegistered();
}

bool ConfigDlg::isTray() {
    return settings_->value(QStringLiteral("isTray"), true).toBool();
}

void ConfigDlg::on_chkRun_clicked(bool checked) {
    AutostartEntry(paths_).apply(checked);
}

void ConfigDlg::on_chkTray_clicked(bool checked) {
    settings_->setValue(QStringLiteral("isTray"), checked);
}

void ConfigDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(QStringLiteral("#999999")));
    painter.drawRoundedRect(rect(), 10, 10);
}
