#pragma once

#include "RuleFiles.h"
#include "Work_ChatClean.h"

// The QQ work. QQ's settings file "%PUBLIC%\Documents\Tencent\QQ\UserDataInfo.ini" names
// the folder that holds one folder per account ("nt_qq" there is QQ's own, no account).
// A category names folders below each account, several joined by ";", or one absolute
// folder that all accounts share.
class Work_QQClean : public Work_ChatClean {
public:
    // The program's instance, built from the shipped rules on first use (GUI thread).
    static Work_QQClean* GetInstance();
    explicit Work_QQClean(const QJsonDocument& rules = RuleFiles::LoadQQCleanData());

protected:
    std::vector<Folder> ScanFolders(const ChatCategory& category) const override;
    bool HidesAfter(std::uint32_t error) const override;
    QString NotFoundText() const override;
    void EmitCheckedChanged() override;
    bool PromptsWhenNothingTicked() const override { return true; }
    QString LogName() const override { return QStringLiteral("QQ"); }

private:
    // The folder that holds the account folders; empty when QQ was not found.
    fs::path dataFolder_;
};
