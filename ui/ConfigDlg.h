#pragma once

#include "AppPaths.h"
#include "DraggableDialog.h"

#include <memory>

class QSettings;
namespace Ui {
class ConfigDlgClass;
}

// The settings dialog: autostart and the tray preference, applied the moment a box is
// clicked. Frameless and translucent; dragged by any spot of its body.
class ConfigDlg : public DraggableDialog {
    Q_OBJECT
public:
    explicit ConfigDlg(QWidget* parent = nullptr, const AppPaths& paths = AppPaths::current());
    ~ConfigDlg() override;

    bool isAutostartRegistered();
    bool isTray();

private slots:
    void on_chkRun_clicked(bool checked);
    void on_chkTray_clicked(bool checked);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::ConfigDlgClass> ui;
    AppPaths paths_;
    QSettings* settings_;
};
