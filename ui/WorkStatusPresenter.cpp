#include "WorkStatusPresenter.h"

#include "FormatFileSize.h"
#include "StatusTexts.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVariant>

WorkStatusPresenter::WorkStatusPresenter(QObject* parent) : QObject(parent) {}

void WorkStatusPresenter::addPage(const WorkPage& page) {
    table.push_back(page);
}

const WorkPage* WorkStatusPresenter::pageFor(IWork::WorkStatus ws) const {
    for (const WorkPage& page : table) {
        if (page.presentsStatus() && page.owns(ws))
            return &page;
    }
    return nullptr;
}

void WorkStatusPresenter::apply(IWork::WorkStatus ws) {
    const QString disk = StatusTexts::diskSentence();
    const WorkPage* page = pageFor(ws);
    if (!page)
        return;
    using Run = IWork::RunKind;
    if (ws == page->status(Run::Scan, false))
        scanStarted(*page, disk);
    else if (ws == page->status(Run::Clean, false))
        cleanStarted(*page, disk);
    else if (ws == page->status(Run::Scan, true) && page->sentence == WorkPage::Sentence::Records)
        recordScanEnded(*page);
    else if (ws == page->status(Run::Scan, true))
        scanEnded(*page, disk);
    else
        cleanEnded(*page, disk);
}

void WorkStatusPresenter::refreshSelection(const WorkPage& page) {
    if (page.presentsStatus())
        page.resultLabel->setText(resultSentence(page));
}

void WorkStatusPresenter::dispatchProgressClick(const WorkPage& page) {
    if (!page.presentsStatus())
        return;
    const QVariant status = page.progressButton->property("PaintStatus");
    if (!status.isValid())
        return;
    switch (status.toInt()) {
    case Ready:
        page.work->StartScan();
        break;
    case Busy:
    case Results:
        page.work->StartClean();
        break;
    default:
        break;
    }
}

void WorkStatusPresenter::scanStarted(const WorkPage& page, const QString& disk) {
    page.stack->setCurrentIndex(1);
    setProgress(page, QStringLiteral("正在扫描"), Busy, false);
    setIcon(page, Waiting);
    page.restartLink->setVisible(false);
    page.homeStatus->setText(QStringLiteral("扫描中"));
    setTip(page, disk);
}

void WorkStatusPresenter::cleanStarted(const WorkPage& page, const QString& disk) {
    page.stack->setCurrentIndex(1);
    setProgress(page, page.cleaningText, Busy, false);
    page.restartLink->setVisible(false);
    if (page.busyIconWhileCleaning)
        setIcon(page, Waiting);
    if (page.diskSentenceWhileCleaning)
        setTip(page, disk);
}

void WorkStatusPresenter::scanEnded(const WorkPage& page, const QString& disk) {
    std::uint64_t found = 0;
    std::uint64_t selected = 0;
    page.work->GetSizes(found, selected);
    setProgress(page, page.readyText, Results, true);
    setIcon(page, Warning);
    page.restartLink->setVisible(true);
    page.resultLabel->setText(resultSentence(page));
    setTip(page, disk);
    page.homeInfo->setText(page.sentence == WorkPage::Sentence::Movable
                               ? StatusTexts::homeMovable(found)
                               : StatusTexts::homeCleanable(found));
    page.homeStatus->setText(QStringLiteral("前往处理 >"));
    page.badge->setText(FormatFileSize(found));
    page.badge->setVisible(true);
    emit scanFinished(*page.status(IWork::RunKind::Scan, true), page.homeRow);
}

void WorkStatusPresenter::recordScanEnded(const WorkPage& page) {
    setProgress(page, page.readyText, Results, true);
    setIcon(page, Warning);
    page.restartLink->setVisible(true);
    int records = 0;
    int checked = 0;
    if (page.recordCounts)
        page.recordCounts(records, checked);
    QString text = StatusTexts::recordsSentence(records, checked);
    if (records == 0) {
        setProgress(page, QStringLiteral("重新扫描"), Ready, true);
        page.restartLink->setVisible(false);
        text = QStringLiteral("电脑非常干净,无需清理!");
    }
    page.resultLabel->setText(text);
    page.homeInfo->setText(StatusTexts::homeRecords(records));
    page.homeStatus->setText(QStringLiteral("前往处理 >"));
    page.badge->setText(QStringLiteral("%1条").arg(records));
    page.badge->setVisible(true);
    std::uint64_t found = 0;
    std::uint64_t selected = 0;
    page.work->GetSizes(found, selected);
    emit scanFinished(*page.status(IWork::RunKind::Scan, true), page.homeRow);
    setIcon(page, found != 0 ? Warning : Information);
}

void WorkStatusPresenter::cleanEnded(const WorkPage& page, const QString& disk) {
    const std::uint64_t freed = page.work->GetFreedSize();
    setIcon(page, Information);
    clearBadge(page);
    switch (page.afterClean) {
    case WorkPage::AfterClean::Rescan:
        setProgress(page, QStringLiteral("重新扫描"), Ready, true);
        page.restartLink->setVisible(false);
        page.resultLabel->setText(StatusTexts::cleanFinished(freed));
        setTip(page, disk);
        break;
    case WorkPage::AfterClean::CleanAgain:
        setProgress(page, page.readyText, Results, true);
        page.restartLink->setVisible(true);
        page.resultLabel->setText(StatusTexts::chatCleanFinished(freed));
        setTip(page, disk);
        break;
    case WorkPage::AfterClean::MoveAgain: {
        std::uint64_t found = 0;
        std::uint64_t selected = 0;
        page.work->GetSizes(found, selected);
        const WorkPage::Shortfall shortfall =
            page.cleanShortfall ? page.cleanShortfall() : WorkPage::Shortfall{};
        if (shortfall.files > 0) {
            // Files that stayed are no success: the warning, and why in the tip line.
            setIcon(page, Warning);
            page.resultLabel->setText(StatusTexts::moveIncomplete(freed, shortfall.files));
            setTip(page, shortfall.reasons, true);
        } else {
            page.resultLabel->setText(StatusTexts::moveFinished(freed));
            setTip(page, disk);
        }
        setProgress(page, page.readyText, Results, freed < found);
        page.restartLink->setVisible(true);
        break;
    }
    case WorkPage::AfterClean::ScanAgain:
        // Ready, not results: the next click starts a new scan.
        setProgress(page, page.readyText, Ready, true);
        page.restartLink->setVisible(true);
        page.resultLabel->setText(QStringLiteral("清理完成,您可以继续对未勾选项进行清理!"));
        break;
    }
}

QString WorkStatusPresenter::resultSentence(const WorkPage& page) {
    if (page.sentence == WorkPage::Sentence::Records) {
        int records = 0;
        int checked = 0;
        if (page.recordCounts)
            page.recordCounts(records, checked);
        return StatusTexts::recordsSentence(records, checked);
    }
    std::uint64_t found = 0;
    std::uint64_t selected = 0;
    page.work->GetSizes(found, selected);
    return page.sentence == WorkPage::Sentence::Movable
               ? StatusTexts::movableSentence(found, selected)
               : StatusTexts::foundSentence(found, selected);
}

void WorkStatusPresenter::setProgress(const WorkPage& page, const QString& text, int paintStatus,
                                      bool enabled) {
    QPushButton* button = page.progressButton;
    button->setText(text);
    button->setProperty("PaintStatus", paintStatus);
    button->setEnabled(enabled);
    // The progress style reads PaintStatus while painting: apply the new state now.
    button->repaint();
}

void WorkStatusPresenter::setIcon(const WorkPage& page, int paintFlag) {
    page.statusIcon->setProperty("PaintFlag", paintFlag);
    page.statusIcon->update();
}

void WorkStatusPresenter::setTip(const WorkPage& page, const QString& text, bool elide) {
    if (!page.tipLabel)
        return;
    QLabel* label = page.tipLabel;
    // One line: a long one ends in "…", and shows whole when pointed at.
    const QString shown =
        elide ? label->fontMetrics().elidedText(text, Qt::ElideRight, label->contentsRect().width())
              : text;
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

void WorkStatusPresenter::clearBadge(const WorkPage& page) {
    page.badge->clear();
    page.badge->setVisible(false);
}
