#include "WorkPageTable.h"

#include "Work_CClean.h"
#include "ui_Merivane.h"

std::vector<WorkPage> WorkPageTable::build(Ui::MerivaneClass& ui) {
    return {cclean(ui)};
}

WorkPage WorkPageTable::cclean(Ui::MerivaneClass& ui) {
    WorkPage page;
    page.work = Work_CClean::GetInstance();
    page.scanning = IWork::CCleanScanning;
    page.cleaning = IWork::CCleanCleaning;
    page.scanFinished = IWork::CCleanScanFinished;
    page.cleanFinished = IWork::CCleanCleanFinished;
    page.stack = ui.swCCleanOperation;
    page.progressButton = ui.btnCCleanRestartAndChecking;
    page.introStartButton = ui.btnCCleanStart;
    page.restartLink = ui.btnCCleanRestart;
    page.statusIcon = ui.lblCCleanStatusIcon;
    page.tipLabel = ui.label_tipA;
    page.resultLabel = ui.lblCCleanWasteInfo;
    page.badge = ui.lblTipSize1;
    page.homeInfo = ui.lblHomeCCInfo;
    page.homeStatus = ui.lblHomeCCStatus;
    page.homeRow = 0;
    page.afterClean = WorkPage::AfterClean::Rescan;
    page.busyIconWhileCleaning = true;
    return page;
}
