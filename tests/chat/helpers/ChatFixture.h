#pragma once

#include "DriveFixture.h"

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A Windows machine in a temporary folder (DriveFixture) with its own registry file, on
// which tests lay out WeChat's registry key and QQ's settings file.
class ChatFixture : public DriveFixture {
public:
    ChatFixture();

    // Creates WeChat's key, with "FileSavePath" when given; `otherValue` adds a value of
    // another name, so that the key is not empty.
    void installWeChat(const std::optional<std::string>& fileSavePath, bool otherValue = true);
    // Writes QQ's settings file "%PUBLIC%\Documents\Tencent\QQ\UserDataInfo.ini".
    void writeQQSettings(const std::string& content);
    // A WeChat layout: "D:\微信数据" saved in the registry, with these accounts.
    std::filesystem::path weChatOnD(std::initializer_list<const char*> accounts);
    // A QQ layout: "D:\QQData" in the settings file, with these accounts.
    std::filesystem::path qqOnD(std::initializer_list<const char*> accounts);

    // The shipped WeChat rules' nine folders for accounts wxid_a and wxid_b (weChatOnD), one
    // file in each: "a<i>.dat" of 100 * (i + 1) bytes and "b<i>.dat" of 1000 * (i + 1)
    // bytes in category i; and wxid_b's "FileStorage\MsgAttach\a\b\c.dat" of 7 bytes.
    // Categories 2, 7 and 8 are ticked by the rules: 22,000 bytes.
    static constexpr std::uint64_t weChatJunkBytes = 49507;
    static constexpr std::uint64_t weChatJunkTicked = 22000;
    std::filesystem::path weChatJunk();
    // The shipped QQ rules' folders for accounts 12345 and 67890 (qqOnD, with "nt_qq"):
    // log 10/100, Video 20/200, Pic 30/300, avatar 40/400, Emoji 50/500 and File 60/600 bytes
    // ("<folder>1" and "<folder>2" of each account), and one STemp file "s.tmp" of 5 bytes.
    // QQ's own "nt_qq" holds a file in nt_data\Pic too. Category 2 is ticked: 1320 bytes.
    static constexpr std::uint64_t qqJunkBytes = 2315;
    static constexpr std::uint64_t qqJunkTicked = 1320;
    std::filesystem::path qqJunk();

    // "removed: <path below the root>" for each of these files, sorted, as changesSince
    // tells their deletion.
    QStringList removedLines(const std::vector<std::filesystem::path>& files) const;
};

// The shipped WeChat rule folders, in rule order.
extern const char* const weChatRuleFolders[9];
