#include "Merivane.h"

#include "AboutUsDlg.h"
#include "ButtonProgressCustomProxyStyle.h"
#include "ConfigDlg.h"
#include "FormatFileSize.h"
#include "HomeOverview.h"
#include "LargeFileDestination.h"
#include "MessageBoxPrompt.h"
#include "OneKeyScan.h"
#include "QmlPageHost.h"
#include "StatusIconPainter.h"
#include "WorkBroker.h"
#include "WorkPageTable.h"
#include "WorkStatusPresenter.h"
#include "Work_CClean.h"
#include "platform/QuickExit.h"
#include "ui_Merivane.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDebug>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace {
// Navigation buttons and the icon each shows while checked.
struct NavIcon {
    const char* button;
    const char* checkedIcon;
};
const NavIcon navIcons[] = {
    {"btnHome", ":/UI/resources/UI/Operation_Home_hover.svg"},
    {"btnDriverCClean", ":/UI/resources/UI/Operation_Clear_hover.svg"},
    {"btnVXClean", ":/UI/resources/UI/Operation_Wechat_hover.svg"},
    {"btnQQClean", ":/UI/resources/UI/Operation_QQ_hover.svg"},
    {"btnLargeFileReplace", ":/UI/resources/UI/Operation_LargeFile_hover.svg"},
    {"btnDuplicateFileClean", ":/UI/resources/UI/Operation_Repeat_hover.svg"},
    {"btnPrivacyFileClean", ":/UI/resources/UI/Operation_Privacy_hover.svg"},
    {"btnUninstall", ":/UI/resources/UI/SoftUinstSel.png"},
};

// Presses on widgets nested deeper than this (page contents) never drag the window.
constexpr int maxDragDepth = 6;

QIcon applicationIcon() {
    QIcon icon(QStringLiteral(":/Merivane/Merivane.ico"));
    if (icon.isNull())
        icon = QIcon(QCoreApplication::applicationFilePath());
    return icon;
}
} // namespace

Merivane::Merivane(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::MerivaneClass>()) {
    // The engines tell and ask the user through message boxes while the window is there.
    UserPrompt::install(MessageBoxPrompt::answers());
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(QGuiApplication::applicationDisplayName());

    for (QPushButton* button : ui->ControlButtons->findChildren<QPushButton*>())
        connect(button, &QPushButton::clicked, this, &Merivane::OnControlButtonClicked);

    presenter = new WorkStatusPresenter(this);
    connect(presenter, &WorkStatusPresenter::scanFinished, this, &Merivane::onScanFinished);
    connect(this, &Merivane::HomeScanPartStoped, this, &Merivane::DoNextScan);
    connectBroker();

    home = std::make_unique<HomeOverview>(
        ui->tsHome,
        std::array<HomeOverview::Row, HomeOverview::rowCount>{{
            {ui->label, ui->lblHomeCCInfo, ui->lblHomeCCStatus, "C盘瘦身不误删",
             ui->btnDriverCClean},
            {ui->label_74, ui->lblHomeVXInfo, ui->lblHomeVXStatus, "深度瘦身微信空间",
             ui->btnVXClean},
            {ui->label_89, ui->lblHomeQQInfo, ui->lblHomeQQStatus, "深度瘦身QQ空间",
             ui->btnQQClean},
            {ui->label_113, ui->lblHomeLFInfo, ui->lblHomeLFStatus, "大文件分区迁移",
             ui->btnLargeFileReplace},
            {ui->label_114, ui->lblHomePrivacyInfo, ui->lblHomePrivacyStatus, "清理痕迹记录",
             ui->btnPrivacyFileClean},
        }},
        HomeOverview::DiskWidgets{ui->lblHomeSpaceInfomation, ui->lblHomeSpaceStatus,
                                  ui->pbHomeCDiskInfomation});
    home->setUpRows();
    for (int row = 0; row < HomeOverview::rowCount; ++row)
        connect(home->row(row).status, &QPushButton::clicked, this, &Merivane::onLSClick);
    setUpTrayIcon();
    home->refreshDiskStatus();

    ui->lblCaption->setText(windowTitle());
    ui->twControl->setCurrentIndex(0);
    for (QStackedWidget* stack :
         {ui->swCCleanOperation, ui->swVXCleanOperation, ui->swQQCleanOperation,
          ui->swLargeFileOperation, ui->swPrivacyOperation})
        stack->setCurrentIndex(0);
    setUpApplicationIcon();
    setUpNavigation();
    for (QLabel* badge : {ui->lblTipSize1, ui->lblTipSize2, ui->lblTipSize3, ui->lblTipSize4,
                          ui->lblTipSize5, ui->lblTipSize6}) {
        badge->clear();
        badge->hide();
    }
    setUpPages();
    home->createAnimations();
    setUpOneKeyScan();

    navOverlay = new QWidget(this);
    navOverlay->setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 10%);"));
    navOverlay->setGeometry(0, 56, 230, 712);
    navOverlay->hide();

    connect(qApp, &QCoreApplication::aboutToQuit, this, &Merivane::onAboutToQuit);
}

Merivane::~Merivane() = default;

void Merivane::connectBroker() {
    if (!workBroker)
        return;
    // The pages' own signals are connected with their rows (wirePage).
    connect(workBroker, &WorkBroker::OnCCleanStatusChanging, this, &Merivane::OnWorkStatusChanging);
    connect(workBroker, &WorkBroker::OnCCleanProgress, this, &Merivane::OnCCleanProgress);
}

void Merivane::setUpTrayIcon() {
    trayIcon = new QSystemTrayIcon(this);
    trayIcon->setIcon(applicationIcon());
    trayIcon->setToolTip(windowTitle());
    trayMenu = new QMenu(this);
    connect(trayMenu->addAction(QStringLiteral("显示主界面")), &QAction::triggered, this,
            &Merivane::showNormal);
    trayMenu->addSeparator();
    connect(trayMenu->addAction(QStringLiteral("退出")), &QAction::triggered, this,
            &Merivane::actionClose);
    trayIcon->setContextMenu(trayMenu);
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Merivane::onTrayIconActivated);
    trayIcon->show();
}

void Merivane::setUpApplicationIcon() {
    const QPixmap pixmap = applicationIcon().pixmap(32, 32);
    if (pixmap.isNull()) {
        qDebug() << "图标加载失败";
        return;
    }
    ui->AppIcon->setPixmap(pixmap);
    ui->AppIcon->setFixedSize(32, 32);
    ui->AppIcon->setScaledContents(true);
}

void Merivane::setUpNavigation() {
    navButtonGroup = new QButtonGroup(ui->ControlButtons);
    for (QPushButton* button : ui->ControlButtons->findChildren<QPushButton*>())
        navButtonGroup->addButton(button);
    // The style sheet gives each button its plain icon; the checked look is the icon's
    // "on" state, which a style sheet cannot switch.
    for (const NavIcon& nav : navIcons) {
        auto* button = ui->ControlButtons->findChild<QPushButton*>(QLatin1String(nav.button));
        if (!button)
            continue;
        button->ensurePolished();
        QIcon icon = button->icon();
        icon.addFile(QLatin1String(nav.checkedIcon), QSize(), QIcon::Normal, QIcon::On);
        button->setIcon(icon);
    }
}

void Merivane::setUpPages() {
    for (const WorkPage& page : WorkPageTable::build(*ui)) {
        setUpPage(page);
        presenter->addPage(page);
    }
    for (std::size_t row = 0; row < presenter->pages().size(); ++row)
        wirePage(row);
}

void Merivane::setUpPage(const WorkPage& page) {
    if (page.progressButton) {
        auto* style = new ButtonProgressCustomProxyStyle();
        style->setParent(page.progressButton);
        page.progressButton->setStyle(style);
    }
    if (page.statusIcon)
        page.statusIcon->installEventFilter(new StatusIconPainter(page.statusIcon));
    if (page.gauges)
        page.gauges->refresh();
    if (page.setUp)
        page.setUp();
    if (page.work && page.listView && !page.listSource.isEmpty()) {
        QObject* root = QmlPageHost::host(page.listView, page.listProperties, page.listSource,
                                          page.listFailureLine);
        if (page.hosted)
            page.hosted(root);
    }
    drainOnQuit.watch(page.work);
}

void Merivane::wirePage(std::size_t row) {
    const WorkPage& page = presenter->pages().at(row);
    if (!page.presentsStatus())
        return;
    for (QPushButton* button : {page.progressButton, page.introStartButton}) {
        if (button)
            connect(button, &QPushButton::clicked, this, [this, row] { onProgressClicked(row); });
    }
    for (QPushButton* button : page.scanButtons) {
        connect(button, &QPushButton::clicked, this,
                [this, row] { presenter->pages().at(row).work->StartScan(); });
    }
    if (page.checkedChanged && workBroker) {
        connect(workBroker, page.checkedChanged, this,
                [this, row] { WorkStatusPresenter::refreshSelection(presenter->pages().at(row)); });
    }
}

void Merivane::onProgressClicked(std::size_t row) {
    const WorkPage& page = presenter->pages().at(row);
    if (page.gaugesKeptFresh && page.gauges)
        page.gauges->refresh();
    WorkStatusPresenter::dispatchProgressClick(page);
}

std::vector<IWork*> Merivane::works() const {
    std::vector<IWork*> list;
    for (const WorkPage& page : presenter->pages()) {
        if (page.work)
            list.push_back(page.work);
    }
    return list;
}

void Merivane::show() {
    QWidget::show();
}

void Merivane::OnControlButtonClicked() {
    QObject* button = sender();
    if (!button)
        return;
    const QString name = button->objectName().mid(3);
    auto* tab = ui->twControl->findChild<QWidget*>(QStringLiteral("ts") + name);
    if (tab)
        ui->twControl->setCurrentWidget(tab);
    if (name == QLatin1String("Home"))
        home->refreshDiskStatus();
    if (tab)
        visitPages(tab);
}

void Merivane::visitPages(const QWidget* tab) {
    const std::vector<WorkPage>& pages = presenter->pages();
    pageVisited.resize(pages.size(), false);
    for (std::size_t row = 0; row < pages.size(); ++row) {
        const WorkPage& page = pages[row];
        if (!page.isOn(tab))
            continue;
        if (page.gaugesKeptFresh && page.gauges)
            page.gauges->refresh();
        if (pageVisited[row] || !page.firstVisit)
            continue;
        pageVisited[row] = true;
        page.firstVisit();
    }
}

void Merivane::on_btnSetting_clicked() {
    ConfigDlg dialog(this);
    dialog.exec();
}

void Merivane::on_btnInfomation_clicked() {
    AboutUsDlg dialog(nullptr);
    dialog.exec();
}

void Merivane::on_btnMinimize_clicked() {
    setWindowState(Qt::WindowMinimized);
}

void Merivane::on_btnClose_clicked() {
    close();
}

bool Merivane::isTrayIconShown() const {
    return trayIcon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void Merivane::closeEvent(QCloseEvent* event) {
    if (isTrayIconShown()) {
        hide();
        if (ConfigDlg().isTray()) {
            event->ignore();
            return;
        }
    }
    // The last window closes and the application quits.
    beginQuit();
    event->accept();
}

void Merivane::onTrayIconActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
        return;
    showNormal();
    raise();
    activateWindow();
}

void Merivane::actionClose() {
    beginQuit();
    // Through the event loop rather than exit(): running works get to finish the file in
    // hand (onAboutToQuit) before static destructors run.
    QCoreApplication::quit();
}

void Merivane::beginQuit() {
    // First of all: no scan, clean, move or sequence step may start after this, and
    // running cleans stop between two files.
    IWork::BeginQuit();
    for (IWork* work : works())
        work->RequestStop();
}

void Merivane::onAboutToQuit() {
    // Not every quit passes the window (the session ends, QCoreApplication::quit()); cleans
    // and moves stop between two files only once the quit is known.
    beginQuit();
    if (drainOnQuit.drain(quitWaitMs))
        return;
    // Workers are still running: leaving through the static destructors would race
    // them, so end without running those.
    qWarning() << "quit: works still running after" << quitWaitMs << "ms";
    platform::QuickExit::now(0);
}

void Merivane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QMainWindow::mousePressEvent(event);
    dragOffset = event->globalPos() - frameGeometry().topLeft();
    event->accept();
    pressedChild = childAt(dragOffset);
}

void Merivane::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !pressedChild)
        return QMainWindow::mouseMoveEvent(event);
    int depth = 0;
    for (QWidget* widget = pressedChild; widget; widget = widget->parentWidget()) {
        ++depth;
        if (widget == this)
            break;
    }
    if (depth > maxDragDepth)
        return;
    move(event->globalPos() - dragOffset);
    event->accept();
}

void Merivane::mouseReleaseEvent(QMouseEvent* event) {
    pressedChild = nullptr;
    if (event->button() != Qt::LeftButton)
        return QMainWindow::mouseReleaseEvent(event);
    dragOffset = QPoint();
    event->accept();
}

void Merivane::OnWorkStatusChanging(IWork::WorkStatus WS) {
    oneKey->statusSeen(WS);
    presenter->apply(WS);
}

void Merivane::setUpOneKeyScan() {
    // The pages with a home row, in the order of their rows: C-drive, WeChat, QQ, large
    // files, privacy. A row no page claims is passed over, animating its own row only.
    std::vector<OneKeyScan::Step> steps(HomeOverview::rowCount);
    for (std::size_t row = 0; row < steps.size(); ++row)
        steps[row].homeRow = static_cast<int>(row);
    for (const WorkPage& page : presenter->pages()) {
        if (page.homeRow >= 0 && page.homeRow < HomeOverview::rowCount)
            steps[static_cast<std::size_t>(page.homeRow)] = {page.work, page.homeRow};
    }
    oneKey = new OneKeyScan(
        steps,
        [this](int row, bool running) {
            if (running)
                home->startAnimation(row);
            else
                home->stopAnimation(row);
        },
        this);
    connect(oneKey, &OneKeyScan::runningChanged, this, &Merivane::onOneKeyRunningChanged);
}

void Merivane::on_btnHomeMain_clicked() {
    if (oneKey->running())
        oneKey->cancel();
    else
        oneKey->start();
    qDebug() << "home scan：clicked";
}

void Merivane::DoNextScan(IWork::WorkStatus ws) {
    oneKey->scanFinished(ws);
}

void Merivane::onOneKeyRunningChanged(bool running) {
    ui->btnHomeMain->setText(running ? QStringLiteral("取消扫描") : QStringLiteral("立即优化"));
    for (QPushButton* button : ui->ControlButtons->findChildren<QPushButton*>())
        button->setEnabled(!running);
    ui->ControlButtons->setEnabled(!running);
    if (running) {
        navOverlay->raise();
        navOverlay->show();
        navOverlay->setEnabled(false);
    } else {
        navOverlay->hide();
    }
}

void Merivane::onLSClick() {
    home->followRow(sender());
}

void Merivane::onScanFinished(IWork::WorkStatus ws, int homeRow) {
    home->stopAnimation(homeRow);
    emit HomeScanPartStoped(ws);
}

void Merivane::OnCCleanProgress(fs::directory_entry, IWork::TWorkInfoEx workInfoEx) {
    const QString size = FormatFileSize(workInfoEx.scannedBytes);
    ui->lblCCleanWasteInfo->setText(QStringLiteral("发现可释放<font color=\"#FF0000\">") + size +
                                    QStringLiteral("</font>，已选<font color=\"#FF0000\">") + size +
                                    QStringLiteral("</font>"));
}

void Merivane::on_btnSetLargeFileReplaceDestDir_clicked() {
    LargeFileDestination::choose(ui->lblLargeFileReplaceDestDir);
}
