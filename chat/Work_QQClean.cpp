#include "Work_QQClean.h"

#include "ChatCategory.h"
#include "ExpandEnvString.h"
#include "LM_QQListModel.h"
#include "WorkBroker.h"

#include <QDebug>
#include <platform/Drives.h>
#include <platform/PrivateProfile.h>
#include <system_error>

Work_QQClean* Work_QQClean::GetInstance() {
    static Work_QQClean* instance = nullptr;
    if (!instance)
        instance = new Work_QQClean();
    return instance;
}

Work_QQClean::Work_QQClean(const QJsonDocument& rules) : Work_ChatClean(WorkKind::QQClean) {
    const fs::path settings = platform::Drives::toNativePath(
        ExpandEnvString(std::string("%PUBLIC%\\Documents\\Tencent\\QQ\\UserDataInfo.ini")));
    std::error_code ec;
    if (settings.empty() || !fs::is_regular_file(settings, ec)) {
        qDebug() << "文件不存在";
        return;
    }
    QString saveRoot = QString::fromStdString(
        platform::PrivateProfile::getString("UserDataSet", "UserDataSavePath", "", settings, 255));
    if (saveRoot == QLatin1String("MyDocument:"))
        saveRoot = ExpandEnvString(QStringLiteral("%USERPROFILE%\\Documents"));
    Install(saveRoot, std::make_unique<LM_QQListModel>(saveRoot, rules, SelectionSink()));
    if (!saveRoot.isEmpty())
        dataFolder_ = platform::Drives::toNativePath(saveRoot.toStdString());
    for (const fs::path& name : SubFolders(dataFolder_)) {
        if (name != "nt_qq")
            AddAccount(name);
    }
}

std::vector<Work_ChatClean::Folder> Work_QQClean::ScanFolders(const ChatCategory& category) const {
    if (category.path.contains(QLatin1Char(';'))) {
        std::vector<Folder> folders;
        for (const QString& part : category.path.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            for (Folder& folder : BelowAccounts(dataFolder_, part))
                folders.push_back(std::move(folder));
        }
        return folders;
    }
    const fs::path native = platform::Drives::toNativePath(category.path.toStdString());
    if (native.is_absolute()) {
        // One folder for all accounts ("%APPDATA%\Tencent\QQ\STemp"): listed once, its
        // files belong to no account.
        return {Folder{native, QString()}};
    }
    // A drive letter that names no drive leaves nothing to list.
    if (category.path.contains(QLatin1Char(':')))
        return {};
    return BelowAccounts(dataFolder_, category.path);
}

bool Work_QQClean::HidesAfter(std::uint32_t error) const {
    // A failing disk keeps the row: the user may try again.
    return IsHeld(error);
}

QString Work_QQClean::NotFoundText() const {
    return QStringLiteral("未检查到您安装QQ!");
}

void Work_QQClean::EmitCheckedChanged() {
    if (workBroker)
        emit workBroker->OnQQCleanCheckedChanged();
}
