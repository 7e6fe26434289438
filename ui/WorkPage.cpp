#include "WorkPage.h"

#include <QQuickWidget>
#include <QStackedWidget>

std::optional<IWork::WorkStatus> WorkPage::status(IWork::RunKind run, bool finished) const {
    // A page without a work, or a work without a status block, matches no real status.
    if (!work || work->Kind() == IWork::WorkKind::Other)
        return std::nullopt;
    return finished ? IWork::FinishedStatus(work->Kind(), run)
                    : IWork::StartedStatus(work->Kind(), run);
}

bool WorkPage::owns(IWork::WorkStatus ws) const {
    for (IWork::RunKind run : {IWork::RunKind::Scan, IWork::RunKind::Clean}) {
        for (bool finished : {false, true}) {
            if (status(run, finished) == ws)
                return true;
        }
    }
    return false;
}

bool WorkPage::isOn(const QWidget* tab) const {
    for (const QWidget* widget :
         {static_cast<const QWidget*>(stack), static_cast<const QWidget*>(listView)}) {
        if (widget && tab->isAncestorOf(widget))
            return true;
    }
    return false;
}
