#pragma once

#include "IWork.h"

#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QStackedWidget;

// What one function page shows of its work's status: its widgets, its status block and
// the few ways in which pages differ. One row of the window's page table.
struct WorkPage {
    // The result sentence of the page.
    enum class Sentence { Found, Movable, Records };
    // What the progress button offers once a clean has finished.
    enum class AfterClean { Rescan, CleanAgain, MoveAgain, ScanAgain };

    IWork* work = nullptr;
    // The block of four status values of the work: scan started, clean started, scan
    // finished, clean finished.
    IWork::WorkStatus scanning = IWork::Cancelled;
    IWork::WorkStatus cleaning = IWork::Cancelled;
    IWork::WorkStatus scanFinished = IWork::Cancelled;
    IWork::WorkStatus cleanFinished = IWork::Cancelled;

    QStackedWidget* stack = nullptr;
    QPushButton* progressButton = nullptr;
    // A start button on the introduction page that stands for the progress button.
    QPushButton* introStartButton = nullptr;
    QPushButton* restartLink = nullptr;
    QLabel* statusIcon = nullptr;
    QLabel* tipLabel = nullptr; // null on pages without a disk sentence
    QLabel* resultLabel = nullptr;
    QLabel* badge = nullptr;
    QLabel* homeInfo = nullptr;
    QPushButton* homeStatus = nullptr;
    int homeRow = -1;

    QString cleaningText = QStringLiteral("正在清理");
    QString readyText = QStringLiteral("立即清理");
    Sentence sentence = Sentence::Found;
    AfterClean afterClean = AfterClean::Rescan;
    // Only the C-drive page shows the waiting image while it cleans.
    bool busyIconWhileCleaning = false;
    // The large-file and privacy pages keep their tip while cleaning.
    bool diskSentenceWhileCleaning = true;
    // Privacy pages count records instead of bytes: (all, checked).
    std::function<void(int& found, int& checked)> recordCounts;
};
