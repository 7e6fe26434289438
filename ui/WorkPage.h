#pragma once

#include "DiskGauges.h"
#include "IWork.h"
#include "QmlPageHost.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QQuickWidget;
class QStackedWidget;
class WorkBroker;

// One function page of the window: its work, its widgets, its list view and the few ways
// in which pages differ. The window sets up, wires and presents every page from these
// rows alone, so a page joins by its work, its row and its QML.
struct WorkPage {
    // The result sentence of the page.
    enum class Sentence { Found, Movable, Records };
    // What the progress button offers once a clean has finished.
    enum class AfterClean { Rescan, CleanAgain, MoveAgain, ScanAgain };

    // The work behind the page; its kind gives the page's four status values. Null while
    // the work is not built: the page then shows its form and nothing starts from it.
    IWork* work = nullptr;

    // The status widgets (null on pages driven by their QML page alone).
    QStackedWidget* stack = nullptr;
    QPushButton* progressButton = nullptr;
    // A start button on the introduction page that stands for the progress button.
    QPushButton* introStartButton = nullptr;
    QPushButton* restartLink = nullptr;
    // Buttons that start a scan whatever the page shows (restart link, introduction page).
    QList<QPushButton*> scanButtons;
    QLabel* statusIcon = nullptr;
    QLabel* tipLabel = nullptr; // null on pages without a disk sentence
    QLabel* resultLabel = nullptr;
    QLabel* badge = nullptr;
    QLabel* homeInfo = nullptr;
    QPushButton* homeStatus = nullptr;
    int homeRow = -1;

    // The disk gauges of the introduction page. Kept fresh (the C-drive page): refreshed
    // too whenever the page's tab is opened and before every press of its progress button.
    std::optional<DiskGauges> gauges;
    bool gaugesKeptFresh = false;

    // The QML list of the page and the native objects it reads.
    QQuickWidget* listView = nullptr;
    QmlPageHost::Properties listProperties;
    QString listSource;
    QString listFailureLine;
    // Called with the page's root object once it is loaded (null when it failed), for a
    // host that must know its page.
    std::function<void(QObject* root)> hosted;

    // The broker signal telling that the page's selected amount changed.
    void (WorkBroker::*checkedChanged)() = nullptr;
    // Set-up of its own, after the common one (account selectors, destination folder).
    std::function<void()> setUp;
    // Run the first time the user opens the page (the uninstall page starts its inventory).
    std::function<void()> firstVisit;

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
    // What the last clean left undone, on a page whose clean can fail file by file (the
    // large-file move): how many files stayed, and a line saying why.
    struct Shortfall {
        int files = 0;
        QString reasons;
    };
    std::function<Shortfall()> cleanShortfall;

    // Whether the page shows its work's status with the widgets above.
    bool presentsStatus() const { return work && progressButton; }
    // The page's status value for a run's start or end; nothing without a work.
    std::optional<IWork::WorkStatus> status(IWork::RunKind run, bool finished) const;
    bool owns(IWork::WorkStatus ws) const;
    // Whether the page's widgets lie on this tab.
    bool isOn(const QWidget* tab) const;
};
