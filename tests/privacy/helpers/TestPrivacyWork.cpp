#include "TestPrivacyWork.h"

#include "LM_PrivacyFolderModel.h"
#include "LM_PrivacyGroupData.h"
#include "TPrivacyGroup.h"

#include <QJsonArray>
#include <platform/WinError.h>

namespace {
QJsonDocument WithBroker(const QJsonDocument& rules) {
    WorkHarness::ensureBroker();
    return rules;
}
} // namespace

const char* const TestPrivacyWork::runMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

TestPrivacyWork::TestPrivacyWork(const QJsonDocument& rules,
                                 std::chrono::milliseconds minimumScanTime)
    : Work_Privacy(WithBroker(rules), minimumScanTime),
      harness_(std::make_unique<WorkHarness>(*this)) {}

QJsonObject TestPrivacyWork::group(const QString& id, const QString& title,
                                   const QJsonArray& items) {
    return {{"id", id}, {"group", title}, {"items", items}};
}

QJsonObject TestPrivacyWork::item(const QString& id, const QString& path, bool checked,
                                  const QString& description) {
    QJsonObject item{{"icon", "qrc:/Icons/resources/icon/100.png"},
                     {"path", path},
                     {"description", description},
                     {"checked", checked}};
    if (!id.isEmpty())
        item.insert("id", id);
    return item;
}

QJsonDocument TestPrivacyWork::standardRules() {
    return QJsonDocument(QJsonArray{
        group("g", "Windows运行痕迹",
              {item("001", "HKCU\\" + QString::fromLatin1(runMruKey), true, "Win+R运行痕迹"),
               item("002", "%APPDATA%\\Microsoft\\Windows\\Recent", true, "开始菜单最近运行程序"),
               item("", "%TEMP%", true, "网购隐私")})});
}

LM_PrivacyFolderModel* TestPrivacyWork::items(int group) const {
    return groupsModel()->groups().at(group)->model;
}

QString TestPrivacyWork::countShown(int row, int group) const {
    LM_PrivacyFolderModel* model = items(group);
    return model->data(model->index(row), LM_PrivacyFolderModel::FolderSizeRole).toString();
}

void TestPrivacyWork::setChecked(int row, bool checked, int group) {
    items(group)->setChecked(row, checked);
}

platform::RegistryKey TestPrivacyWork::OpenRegistryKey(const RunHistory::Location& location,
                                                       platform::RegistryAccess access) {
    return Work_Privacy::OpenRegistryKey(location, readOnlyRegistry ? platform::RegistryAccess::Read
                                                                    : access);
}

platform::ConfinedFileRemover::RemoveResult TestPrivacyWork::RemoveFile(const fs::path& root,
                                                                        const fs::path& file) {
    if (undeletable.contains(QString::fromStdString(file.filename().string())))
        return {0, platform::ErrorAccessDenied};
    return Work_Privacy::RemoveFile(root, file);
}
