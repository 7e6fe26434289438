#include "HomeOverview.h"

#include "AnimatedLabel.h"
#include "DriveQuery.h"

#include <QDebug>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

HomeOverview::HomeOverview(QWidget* page, const std::array<Row, rowCount>& rows,
                           const DiskWidgets& disk)
    : page(page), rows(rows), disk(disk) {}

void HomeOverview::setUpRows() {
    for (const Row& row : rows) {
        row.status->setStyleSheet(QStringLiteral("color:\"#29DDD3\""));
        row.status->setText(QStringLiteral("等待扫描"));
        row.info->setText(QString::fromUtf8(row.tagline));
    }
}

void HomeOverview::followRow(QObject* statusButton) const {
    auto* button = qobject_cast<QPushButton*>(statusButton);
    if (!button || button->text() != QStringLiteral("前往处理 >"))
        return;
    for (const Row& row : rows) {
        if (row.status == button && row.navigation)
            row.navigation->click();
    }
}

HomeOverview::SpaceStatus HomeOverview::spaceStatus(int usedPercent) {
    if (usedPercent < 30)
        return {"空间富余", "color:#666666"};
    if (usedPercent < 60)
        return {"空间良好", "color:#66FF66"};
    return {"空间紧张", "color:#FF0000"};
}

void HomeOverview::refreshDiskStatus() {
    const auto space = DriveQuery::query("C:");
    if (!space)
        return;
    const int usedPercent =
        static_cast<int>((space->totalGiB - space->freeGiB) / space->totalGiB * 100);
    const SpaceStatus status = spaceStatus(usedPercent);
    disk.status->setText(QString::fromUtf8(status.word));
    disk.status->setStyleSheet(QLatin1String(status.style));
    disk.information->setText(QStringLiteral("可用%0GB / 共%1GB （")
                                  .arg(space->freeGiB, 0, 'f', 2)
                                  .arg(space->totalGiB, 0, 'f', 2));
    disk.bar->setValue(usedPercent);
}

void HomeOverview::createAnimations() {
    for (int i = 0; i < rowCount; ++i) {
        auto* label = new AnimatedLabel(page);
        label->setGeometry(rows[i].image->geometry());
        label->startAnimation();
        label->hide();
        homeRowAnimations[i] = label;
    }
}

void HomeOverview::startAnimation(int row) {
    AnimatedLabel* label = animation(row);
    if (!label) {
        qWarning() << "Aniamtion start a object with nullptr";
        return;
    }
    if (!rows[row].image) {
        qWarning() << "Aniamtion hide a QLabel with nullptr";
        return;
    }
    rows[row].image->hide();
    label->show();
    label->startAnimation();
}

void HomeOverview::stopAnimation(int row) {
    AnimatedLabel* label = animation(row);
    if (!label) {
        qWarning() << "Aniamtion stop a object with nullptr";
        return;
    }
    if (!rows[row].image) {
        qWarning() << "Aniamtion show a QLabel with nullptr";
        return;
    }
    label->stopAnimation();
    label->hide();
    rows[row].image->show();
    qWarning() << "Aniamtion stop " << label;
}

AnimatedLabel* HomeOverview::animation(int row) const {
    if (row < 0 || row >= rowCount)
        return nullptr;
    return homeRowAnimations[row];
}
