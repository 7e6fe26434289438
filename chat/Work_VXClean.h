#pragma once

#include "RuleFiles.h"
#include "Work_ChatClean.h"

class LM_VXListModel;

// The WeChat work. WeChat counts as installed when its registry key holds anything; its
// files lie in "WeChat Files" below the save folder "FileSavePath" names ("MyDocument:" or
// nothing: the Documents folder), one "wxid_" folder per account.
class Work_VXClean : public Work_ChatClean {
public:
    // The program's instance, built from the shipped rules on first use (GUI thread).
    static Work_VXClean* GetInstance();
    explicit Work_VXClean(const QJsonDocument& rules = RuleFiles::LoadVXCleanData());

    LM_VXListModel* listModel() const;
    // The "WeChat Files" folder on disk; empty when WeChat was not found.
    const fs::path& weChatFolder() const { return weChatFolder_; }

protected:
    std::vector<Folder> ScanFolders(const ChatCategory& category) const override;
    bool HidesAfter(std::uint32_t error) const override;
    QString NotFoundText() const override;
    void EmitCheckedChanged() override;
    QString LogName() const override { return QStringLiteral("VX"); }

private:
    fs::path weChatFolder_;
};
