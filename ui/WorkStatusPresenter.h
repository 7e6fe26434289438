#pragma once

#include "IWork.h"
#include "WorkPage.h"

#include <QObject>
#include <vector>

// Shows each work's status on its function page, its home row and its navigation badge.
// Pages are rows of a table (WorkPage), so a page joins by adding its row.
class WorkStatusPresenter : public QObject {
    Q_OBJECT
public:
    explicit WorkStatusPresenter(QObject* parent = nullptr);

    void addPage(const WorkPage& page);
    // The page that shows the status block holding ws, or null.
    const WorkPage* pageFor(IWork::WorkStatus ws) const;
    const std::vector<WorkPage>& pages() const { return table; }

    // Applies one status value to its page; values of no page change nothing.
    void apply(IWork::WorkStatus ws);
    // The user ticked or unticked something: refresh the page's result sentence.
    static void refreshSelection(const WorkPage& page);
    // A click on the page's progress button (or what stands for it): scan or clean by the
    // button's PaintStatus.
    static void dispatchProgressClick(const WorkPage& page);

    // PaintStatus on progress buttons and PaintFlag on status icons.
    enum PaintStatus { Ready = 1, Busy = 2, Results = 3 };
    enum PaintFlag { Waiting = 1, Warning = 2, Information = 3 };

signals:
    // A page's scan has finished and its results are shown.
    void scanFinished(IWork::WorkStatus ws, int homeRow);

private:
    void scanStarted(const WorkPage& page, const QString& disk);
    void cleanStarted(const WorkPage& page, const QString& disk);
    void scanEnded(const WorkPage& page, const QString& disk);
    void recordScanEnded(const WorkPage& page);
    void cleanEnded(const WorkPage& page, const QString& disk);
    static QString resultSentence(const WorkPage& page);
    static void setProgress(const WorkPage& page, const QString& text, int paintStatus,
                            bool enabled);
    static void setIcon(const WorkPage& page, int paintFlag);
    // elide: a text too long for the line ends in "…" and shows whole as the tool tip.
    static void setTip(const WorkPage& page, const QString& text, bool elide = false);
    static void clearBadge(const WorkPage& page);

    std::vector<WorkPage> table;
};
