#pragma once

#include "RuleFiles.h"
#include "Work_ChatClean.h"

// The WeChat work. WeChat counts as installed when its registry key holds anything; its
// files lie in "WeChat Files" below the save folder "FileSavePath" names ("MyDocument:" or
// nothing: the Documents folder), one "wxid_" folder per account.
class Work_VXClean : public Work_ChatClean {
public:
    // The program's instance, built from the shipped rules on first use (GUI thread).
    static Work_VXClean* GetInstance();
    explicit Work_VXClean(const QJsonDocument& rules = RuleFiles::LoadVXCleanData());

protected:
    std::vector<Folder> ScanFolders(const ChatCategory& category) const override;
    bool HidesAfter(std::uint32_t error) const override;
    QString NotFoundText() const override;
    void EmitCheckedChanged() override;
    QString LogName() const override { return QStringLiteral("VX"); }
    void LogSelectedCount(std::size_t files) const override;

private:
    // The "WeChat Files" folder on disk; empty when WeChat was not found.
    fs::path weChatFolder_;
};
