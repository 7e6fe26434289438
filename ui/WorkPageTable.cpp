#include "WorkPageTable.h"

#include "LM_ChatListModel.h"
#include "LM_DuplicateFileListModel.h"
#include "LM_GroupsModel.h"
#include "LM_LargeFilesModel.h"
#include "LM_PrivacyFolderModel.h"
#include "LM_PrivacyGroupData.h"
#include "LM_SoftWareInfoModel.h"
#include "LargeFileDestination.h"
#include "TPrivacyGroup.h"
#include "WorkBroker.h"
#include "Work_CClean.h"
#include "Work_DuplicateFile.h"
#include "Work_DuplicateFileHost.h"
#include "Work_LargeFile.h"
#include "Work_Privacy.h"
#include "Work_QQClean.h"
#include "Work_UninstallSoft.h"
#include "Work_UninstallSoftHost.h"
#include "Work_VXClean.h"
#include "ui_Merivane.h"

#include <QComboBox>
#include <QDateTime>
#include <QDebug>

namespace {

// The days a chat page's date item leaves out; 0 for "不限时间".
int OlderThanDays(const QString& dateItem) {
    if (dateItem == QStringLiteral("7天前"))
        return 7;
    if (dateItem == QStringLiteral("30天前"))
        return 30;
    if (dateItem == QStringLiteral("半年前"))
        return 182;
    return 0;
}

// A chat page's list and its account and date selectors, which choose the files the list
// shows, counts and cleans. Without the program there is no list: the view stays empty and
// the account selector keeps only its first item ("所有微信", "所有QQ").
void hostChatList(WorkPage& page, Work_ChatClean* work, QComboBox* accounts, QComboBox* dates,
                  const QString& source, const QString& failureLine) {
    LM_ChatListModel* model = work->chatListModel();
    if (!model)
        return;
    page.listProperties = {{QStringLiteral("vxListModel"), model}};
    page.listSource = source;
    page.listFailureLine = failureLine;
    page.setUp = [accounts, dates, model] {
        accounts->addItems(model->accounts());
        const auto choose = [accounts, dates, model] {
            ChatFileFilter filter;
            const int account = accounts->currentIndex() - 1;
            if (account >= 0 && account < model->accounts().size())
                filter.account = model->accounts().at(account);
            filter.olderThanDays = OlderThanDays(dates->currentText());
            model->setFileFilter(filter);
        };
        QObject::connect(accounts, QOverload<int>::of(&QComboBox::currentIndexChanged), model,
                         choose);
        QObject::connect(dates, QOverload<int>::of(&QComboBox::currentIndexChanged), model, choose);
    };
}

WorkPage cclean(Ui::MerivaneClass& ui) {
    WorkPage page;
    page.work = Work_CClean::GetInstance();
    page.stack = ui.swCCleanOperation;
    page.progressButton = ui.btnCCleanRestartAndChecking;
    page.introStartButton = ui.btnCCleanStart;
    page.restartLink = ui.btnCCleanRestart;
    page.scanButtons = {ui.btnCCleanRestart};
    page.statusIcon = ui.lblCCleanStatusIcon;
    page.tipLabel = ui.label_tipA;
    page.resultLabel = ui.lblCCleanWasteInfo;
    page.badge = ui.lblTipSize1;
    page.homeInfo = ui.lblHomeCCInfo;
    page.homeStatus = ui.lblHomeCCStatus;
    page.homeRow = 0;
    page.gauges.emplace(ui.lblCClean_UsedSpace1, ui.lblCClean_TotalSpace1, ui.pbCDiskInfomation,
                        ui.lblCClean_UsedSpace2, ui.lblCClean_TotalSpace2, ui.pbCDiskInfomation2);
    page.gaugesKeptFresh = true;
    page.listView = ui.qwCCleanList;
    page.listProperties = {
        {QStringLiteral("groupData"), Work_CClean::GetInstance()->groupsModel()}};
    page.listSource = QStringLiteral("qrc:/QML/resources/QML/TreeList.qml");
    page.listFailureLine = QStringLiteral("CCleanTree QML 加载失败!");
    page.checkedChanged = &WorkBroker::OnCCleanFolderCheckedChanged;
    page.setUp = [restart = ui.btnCCleanRestart] { restart->hide(); };
    page.afterClean = WorkPage::AfterClean::Rescan;
    page.busyIconWhileCleaning = true;
    return page;
}

WorkPage wechat(Ui::MerivaneClass& ui) {
    WorkPage page;
    page.work = Work_VXClean::GetInstance();
    page.listView = ui.qwVXCleanList;
    hostChatList(page, Work_VXClean::GetInstance(), ui.cbbVXID_Account, ui.cbbVXID_Date,
                 QStringLiteral("qrc:/QML/resources/QML/vx_main.qml"),
                 QStringLiteral("VX Clean QML 加载失败!"));
    page.stack = ui.swVXCleanOperation;
    page.progressButton = ui.btnVXCleanRestartAndChecking;
    page.restartLink = ui.btnVXCleanRestart;
    page.scanButtons = {ui.btnVXCleanScan, ui.btnVXCleanRestart};
    page.statusIcon = ui.lblVXStatusIcon;
    page.tipLabel = ui.label_tipD;
    page.resultLabel = ui.lblVXCleanWasteInfo;
    page.badge = ui.lblTipSize2;
    page.homeInfo = ui.lblHomeVXInfo;
    page.homeStatus = ui.lblHomeVXStatus;
    page.homeRow = 1;
    page.gauges.emplace(ui.lblVX_UsedSpace1, ui.lblVX_TotalSpace1, ui.pbVX_1, ui.lblVX_UsedSpace2,
                        ui.lblVX_TotalSpace2, ui.pbVX_2);
    page.checkedChanged = &WorkBroker::OnVXCleanCheckedChanged;
    page.afterClean = WorkPage::AfterClean::CleanAgain;
    return page;
}

WorkPage qq(Ui::MerivaneClass& ui) {
    WorkPage page;
    page.work = Work_QQClean::GetInstance();
    page.listView = ui.qwQQCleanList;
    hostChatList(page, Work_QQClean::GetInstance(), ui.cbbQQID_Account, ui.cbbQQ_Date,
                 QStringLiteral("qrc:/QML/resources/QML/qq_main.qml"),
                 QStringLiteral("qq Clean QML 加载失败!"));
    page.stack = ui.swQQCleanOperation;
    page.progressButton = ui.btnQQCleanRestartAndChecking;
    page.restartLink = ui.btnQQCleanRestart;
    page.scanButtons = {ui.btnQQCleanScan, ui.btnQQCleanRestart};
    page.statusIcon = ui.lblQQStatusIcon;
    page.tipLabel = ui.label_tipC;
    page.resultLabel = ui.lblQQCleanWasteInfo;
    page.badge = ui.lblTipSize3;
    page.homeInfo = ui.lblHomeQQInfo;
    page.homeStatus = ui.lblHomeQQStatus;
    page.homeRow = 2;
    page.gauges.emplace(ui.lblQQ_UsedSpace1, ui.lblQQ_TotalSpace1, ui.pbQQ_1, ui.lblQQ_UsedSpace2,
                        ui.lblQQ_TotalSpace2, ui.pbQQ_2);
    page.checkedChanged = &WorkBroker::OnQQCleanCheckedChanged;
    page.afterClean = WorkPage::AfterClean::CleanAgain;
    return page;
}

WorkPage largeFiles(Ui::MerivaneClass& ui) {
    WorkPage page;
    page.work = Work_LargeFile::GetInstance();
    page.stack = ui.swLargeFileOperation;
    page.progressButton = ui.btnLargeFileRestartAndChecking;
    page.restartLink = ui.btnLargeFileRestart;
    page.scanButtons = {ui.btnLargeFileScan, ui.btnLargeFileRestart};
    page.statusIcon = ui.lblLFStatusIcon;
    page.tipLabel = ui.label_tipB;
    page.resultLabel = ui.lblLargeFileInfo;
    page.badge = ui.lblTipSize4;
    page.homeInfo = ui.lblHomeLFInfo;
    page.homeStatus = ui.lblHomeLFStatus;
    page.homeRow = 3;
    page.gauges.emplace(ui.lblLF_UsedSpace1, ui.lblLF_TotalSpace1, ui.pbLF_1, ui.lblLF_UsedSpace2,
                        ui.lblLF_TotalSpace2, ui.pbLF_2);
    page.checkedChanged = &WorkBroker::OnLargeFileCheckedChanged;
    page.setUp = [label = ui.lblLargeFileReplaceDestDir] {
        LargeFileDestination::setUp(label, LargeFileDestination::defaultRoot());
    };
    page.listView = ui.qwLargeFileReplace;
    page.listProperties = {
        {QStringLiteral("lfListModel"), Work_LargeFile::GetInstance()->listModel()}};
    page.listSource = QStringLiteral("qrc:/QML/resources/QML/LargeFile.qml");
    page.listFailureLine = QStringLiteral("Large File QML 加载失败!");
    page.cleanShortfall = [] {
        const MoveShortfall& stayed = Work_LargeFile::GetInstance()->moveShortfall();
        return WorkPage::Shortfall{stayed.count(), stayed.reasons()};
    };
    page.cleaningText = QStringLiteral("正在移动");
    page.readyText = QStringLiteral("去搬家");
    page.sentence = WorkPage::Sentence::Movable;
    page.afterClean = WorkPage::AfterClean::MoveAgain;
    page.diskSentenceWhileCleaning = false;
    return page;
}

WorkPage duplicates(Ui::MerivaneClass& ui) {
    WorkPage page;
    Work_DuplicateFile* work = Work_DuplicateFile::GetInstance();
    page.work = work;
    page.listView = ui.qwDuplicateFile;
    // The page's host lives as long as the view that shows the page.
    page.listProperties = {
        {QStringLiteral("Host"), new Work_DuplicateFileHost(*work, ui.qwDuplicateFile)},
        {QStringLiteral("TypeGroups"), work->typeModel()}};
    page.listSource = QStringLiteral("qrc:/QML/resources/QML/DuplicateFile/df_main.qml");
    page.listFailureLine = QStringLiteral("Duplicate File QML 加载失败!");
    page.hosted = [model = work->typeModel()](QObject* root) { model->setRootObject(root); };
    return page;
}

WorkPage uninstall(Ui::MerivaneClass& ui) {
    Work_UninstallSoft* work = Work_UninstallSoft::GetInstance();
    WorkPage page;
    page.work = work;
    page.listView = ui.qwUninstall;
    page.listProperties = {{QStringLiteral("uninstHost"),
                            new Work_UninstallSoftHost(work, work->model(), ui.qwUninstall)},
                           {QStringLiteral("softwareList"), work->model()}};
    page.listSource = QStringLiteral("qrc:/QML/resources/QML/UninstallSoft/uninst_main.qml");
    page.listFailureLine = QStringLiteral("uninstall soft QML 加载失败!");
    page.hosted = [](QObject* root) {
        if (root)
            qDebug() << "----uninstall soft------NEED to setRootObject";
    };
    page.firstVisit = [work] {
        qDebug().noquote() << "btnUninstall  start scan "
                           << QDateTime::currentDateTime().toString(Qt::ISODate);
        work->StartScan();
    };
    return page;
}

WorkPage privacy(Ui::MerivaneClass& ui) {
    WorkPage page;
    page.stack = ui.swPrivacyOperation;
    page.progressButton = ui.btnPrivacyRestartAndChecking;
    page.restartLink = ui.btnPrivacyRestart;
    page.scanButtons = {ui.btnPrivacyStart, ui.btnPrivacyRestart};
    page.statusIcon = ui.lblPrivacyStatusIcon;
    page.resultLabel = ui.lblPrivacyInfo;
    page.badge = ui.lblTipSize6;
    page.homeInfo = ui.lblHomePrivacyInfo;
    page.homeStatus = ui.lblHomePrivacyStatus;
    page.homeRow = 4;
    page.gauges.emplace(ui.lblPrivacy_UsedSpace1, ui.lblPrivacy_TotalSpace1, ui.pbPrivacy_1,
                        ui.lblPrivacy_UsedSpace2, ui.lblPrivacy_TotalSpace2, ui.pbPrivacy_2);
    Work_Privacy* work = Work_Privacy::GetInstance();
    page.work = work;
    page.listView = ui.qwPrivacy;
    page.listProperties = {{QStringLiteral("groupData"), work->groupsModel()}};
    page.listSource = QStringLiteral("qrc:/QML/resources/QML/Privacy/TreeList.qml");
    page.listFailureLine = QStringLiteral("Privacy QML 加载失败!");
    page.checkedChanged = &WorkBroker::OnPrivacyCheckedChanged;
    page.recordCounts = [work](int& found, int& checked) { work->GetRecordCounts(found, checked); };
    // The line under the result sentence tells how many records the next clean erases.
    page.setUp = [work, line = ui.label_127] {
        const auto refresh = [work, line] {
            int found = 0;
            int checked = 0;
            work->GetRecordCounts(found, checked);
            line->setText(QStringLiteral("已选择%1条隐私，清理后隐私更安全！").arg(checked));
        };
        for (const TPrivacyGroup* group : work->groupsModel()->groups())
            QObject::connect(group->model, &QAbstractItemModel::dataChanged, line, refresh);
        refresh();
    };
    page.readyText = QStringLiteral("立即清理");
    page.sentence = WorkPage::Sentence::Records;
    page.afterClean = WorkPage::AfterClean::ScanAgain;
    page.diskSentenceWhileCleaning = false;
    return page;
}

} // namespace

std::vector<WorkPage> WorkPageTable::build(Ui::MerivaneClass& ui) {
    return {cclean(ui),     wechat(ui),    qq(ui),     largeFiles(ui),
            duplicates(ui), uninstall(ui), privacy(ui)};
}
