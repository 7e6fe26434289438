#pragma once

#include "IWork.h"
#include "WorkDrain.h"
#include "WorkPage.h"

#include <QMainWindow>
#include <QPoint>
#include <QSystemTrayIcon>
#include <cstddef>
#include <memory>
#include <vector>

namespace Ui {
class MerivaneClass;
}
class HomeOverview;
class OneKeyScan;
class QButtonGroup;
class QMenu;
class WorkStatusPresenter;

// The application's frameless main window: title bar, navigation column, the pages of
// every function, the notification-area icon and the presentation of the works' status.
class Merivane : public QMainWindow {
    Q_OBJECT
public:
    explicit Merivane(QWidget* parent = nullptr);
    ~Merivane() override;

    HomeOverview* homeOverview() const { return home.get(); }
    WorkStatusPresenter* statusPresenter() const { return presenter; }
    OneKeyScan* oneKeyScan() const { return oneKey; }
    // The works behind the window's pages, in page order: start-up installs their callbacks.
    std::vector<IWork*> works() const;

    // How long quitting waits for running works to put down the file in hand.
    static constexpr int quitWaitMs = 5000;

signals:
    void HomeScanPartStoped(IWork::WorkStatus ws);

public slots:
    void show();

    void OnWorkStatusChanging(IWork::WorkStatus WS);
    void OnCCleanProgress(fs::directory_entry entry, IWork::TWorkInfoEx workInfoEx);

private slots:
    void OnControlButtonClicked();
    void on_btnSetting_clicked();
    void on_btnInfomation_clicked();
    void on_btnMinimize_clicked();
    void on_btnClose_clicked();
    void onTrayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void actionClose();
    void on_btnSetLargeFileReplaceDestDir_clicked();

    void onLSClick();
    void on_btnHomeMain_clicked();
    void DoNextScan(IWork::WorkStatus ws);
    void onScanFinished(IWork::WorkStatus ws, int homeRow);
    void onOneKeyRunningChanged(bool running);
    void onAboutToQuit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Whether the notification-area icon really shows: a desktop without a notification
    // area never shows it, and closing the window must then quit.
    virtual bool isTrayIconShown() const;

private:
    void connectBroker();
    void setUpTrayIcon();
    void setUpApplicationIcon();
    void setUpNavigation();
    void setUpPages();
    void setUpPage(const WorkPage& page);
    void wirePage(std::size_t row);
    void onProgressClicked(std::size_t row);
    // For the pages on a tab that the user opened: refreshes the gauges of those that keep
    // them fresh, and runs the first-visit hooks.
    void visitPages(const QWidget* tab);
    void setUpOneKeyScan();
    // From now on nothing starts: the user quits.
    void beginQuit();

    std::unique_ptr<Ui::MerivaneClass> ui;
    std::unique_ptr<HomeOverview> home;
    WorkStatusPresenter* presenter = nullptr;
    WorkDrain drainOnQuit;

    QPoint dragOffset;
    QWidget* pressedChild = nullptr;
    QButtonGroup* navButtonGroup = nullptr;
    QSystemTrayIcon* trayIcon = nullptr;
    QMenu* trayMenu = nullptr;
    OneKeyScan* oneKey = nullptr;
    QWidget* navOverlay = nullptr;
    // Rows of the page table whose first visit has happened.
    std::vector<bool> pageVisited;
};
