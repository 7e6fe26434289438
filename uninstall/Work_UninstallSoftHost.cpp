#include "Work_UninstallSoftHost.h"

#include "DriveQuery.h"
#include "IWork.h"
#include "IconFile.h"
#include "LM_SoftWareInfoModel.h"
#include "PathQString.h"
#include "UserPrompt.h"

#include <QBuffer>
#include <QDebug>
#include <QFileIconProvider>
#include <QImage>
#include <QPixmap>

namespace {
constexpr int iconSize = 32;
}

Work_UninstallSoftHost::Work_UninstallSoftHost(IWork* work, LM_SoftWareInfoModel* model,
                                               QObject* parent)
    : QObject(parent), work_(work), model_(model), confirm_(&UserPrompt::askYesNo) {
    connect(model_, &LM_SoftWareInfoModel::scanStatusChanged, this, [this](int status) {
        if (status == 2)
            icons_.clear();
    });
    connect(model_, &LM_SoftWareInfoModel::uninstallingChanged, this,
            &Work_UninstallSoftHost::uninstallingChanged);
}

QString Work_UninstallSoftHost::confirmQuestion() {
    return QStringLiteral("请确定是否卸载选中软件(如恢复需要手动安装)？");
}

int Work_UninstallSoftHost::scan() {
    return work_->StartScan();
}

int Work_UninstallSoftHost::cancelScan() {
    return work_->CancelScan();
}

void Work_UninstallSoftHost::clean() {
    if (confirm_ && confirm_(confirmQuestion())) {
        qDebug() << "user select YES";
        work_->StartClean();
        return;
    }
    qDebug() << "user select NO";
    model_->uncheckAll();
}

QString Work_UninstallSoftHost::getProgramIconBase64(const QString& filePath) {
    const auto cached = icons_.constFind(filePath);
    if (cached != icons_.constEnd())
        return *cached;
    const QString file = PathToQString(IconFile::nativePath(filePath));
    QPixmap pixmap;
    if (file.isEmpty()) {
        // No icon named: the page shows its own.
    } else if (IconFile::isIconFile(filePath)) {
        const QImage image(file);
        if (!image.isNull())
            pixmap = QPixmap::fromImage(
                image.scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } else {
        pixmap = QFileIconProvider().icon(QFileInfo(file)).pixmap(iconSize, iconSize);
    }
    QString encoded;
    if (!pixmap.isNull()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        pixmap.save(&buffer, "PNG");
        encoded = QString::fromLatin1(bytes.toBase64());
    }
    icons_.insert(filePath, encoded);
    return encoded;
}

bool Work_UninstallSoftHost::uninstalling() const {
    return model_->uninstalling();
}

QString Work_UninstallSoftHost::diskSentence() const {
    const auto space = DriveQuery::query("C:");
    if (!space)
        return {};
    return QStringLiteral("C盘(系统盘)共%1GB,可用%2GB")
        .arg(space->totalGiB, 0, 'f', 2)
        .arg(space->freeGiB, 0, 'f', 2);
}
