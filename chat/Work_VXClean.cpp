#include "Work_VXClean.h"

#include "ChatCategory.h"
#include "LM_VXListModel.h"
#include "WorkBroker.h"

#include <QDebug>
#include <iostream>
#include <platform/Drives.h>
#include <platform/KnownFolders.h>
#include <platform/PathText.h>
#include <platform/RegistryKey.h>
#include <platform/WinError.h>

Work_VXClean* Work_VXClean::GetInstance() {
    static Work_VXClean* instance = nullptr;
    if (!instance)
        instance = new Work_VXClean();
    return instance;
}

Work_VXClean::Work_VXClean(const QJsonDocument& rules) : Work_ChatClean(WorkKind::VXClean) {
    const platform::RegistryKey key = platform::RegistryKey::open(
        platform::RegistryRoot::CurrentUser, "SOFTWARE\\Tencent\\WeChat");
    if (!key.isOpen() || (key.subKeyNames().empty() && key.values().empty()))
        return;
    QString saveRoot = QString::fromStdString(key.readString("FileSavePath").value_or(""));
    // WeChat writes "MyDocument:" for its default place, and without a value it uses the
    // same; a bare "\WeChat Files" would depend on the current drive.
    if (saveRoot.isEmpty() || saveRoot == QLatin1String("MyDocument:")) {
        if (const std::optional<std::string> documents = platform::KnownFolders::documents())
            saveRoot = QString::fromStdString(*documents);
        else
            std::cerr << "Failed to retrieve My Documents folder path." << std::endl;
    }
    const QString folder = saveRoot + QStringLiteral("\\WeChat Files");
    Install(saveRoot, std::make_unique<LM_VXListModel>(folder, rules, SelectionSink()));
    weChatFolder_ = platform::Drives::toNativePath(folder.toStdString());
    for (const fs::path& name : SubFolders(weChatFolder_)) {
        if (platform::PathText::fileNameUtf8(name).rfind("wxid_", 0) == 0)
            AddAccount(name);
    }
}

std::vector<Work_ChatClean::Folder> Work_VXClean::ScanFolders(const ChatCategory& category) const {
    return BelowAccounts(weChatFolder_, category.path);
}

bool Work_VXClean::HidesAfter(std::uint32_t error) const {
    // Nothing the user can do about it from this page, on a failing disk either: a disk
    // going bad answers with any of its I/O errors.
    return IsHeld(error) || error == platform::ErrorIoDevice || error == platform::ErrorCrc ||
           error == platform::ErrorWriteFault || error == platform::ErrorReadFault;
}

void Work_VXClean::LogSelectedCount(std::size_t files) const {
    qInfo().noquote() << "user select wechat files count is" << files;
}

QString Work_VXClean::NotFoundText() const {
    return QStringLiteral("未检查到您安装微信!");
}

void Work_VXClean::EmitCheckedChanged() {
    if (workBroker)
        emit workBroker->OnVXCleanCheckedChanged();
}
