#include "ChatFixture.h"

#include <platform/RegistryKey.h>

namespace fs = std::filesystem;

ChatFixture::ChatFixture() {
    setEnv("MERIVANE_REGISTRY", QByteArray::fromStdString((root() / "registry.reg").native()));
}

void ChatFixture::installWeChat(const std::optional<std::string>& fileSavePath, bool otherValue) {
    platform::RegistryKey key = platform::RegistryKey::open(
        platform::RegistryRoot::CurrentUser, "SOFTWARE\\Tencent\\WeChat",
        platform::RegistryAccess::ReadWrite, platform::RegistryView::Default, true);
    if (fileSavePath)
        key.writeString("FileSavePath", *fileSavePath);
    if (otherValue)
        key.writeDword("NeedUpdateType", 0);
}

void ChatFixture::writeQQSettings(const std::string& content) {
    tree().write(c("Users/Public/Documents/Tencent/QQ/UserDataInfo.ini"), content);
}

fs::path ChatFixture::weChatOnD(std::initializer_list<const char*> accounts) {
    installWeChat(std::string("D:\\微信数据"));
    const fs::path folder = d("微信数据/WeChat Files");
    for (const char* account : accounts)
        fs::create_directories(folder / account);
    return folder;
}

fs::path ChatFixture::qqOnD(std::initializer_list<const char*> accounts) {
    writeQQSettings("[UserDataSet]\r\nUserDataSavePath=D:\\QQData\r\n");
    const fs::path folder = d("QQData");
    for (const char* account : accounts)
        fs::create_directories(folder / account);
    return folder;
}

const char* const weChatRuleFolders[9] = {
    "FileStorage/MsgAttach",      "FileStorage/Video", "FileStorage/General/Data",
    "FileStorage/File",           "FileStorage/Cache", "FileStorage/CustomEmotion",
    "FileStorage/MPPageFastLoad", "FileStorage/Sns",   "FileStorage/Temp"};

fs::path ChatFixture::weChatJunk() {
    const fs::path folder = weChatOnD({"wxid_a", "wxid_b"});
    for (int i = 0; i < 9; ++i) {
        const std::string n = std::to_string(i);
        write(folder / "wxid_a" / weChatRuleFolders[i] / ("a" + n + ".dat"), 100u * (i + 1));
        write(folder / "wxid_b" / weChatRuleFolders[i] / ("b" + n + ".dat"), 1000u * (i + 1));
    }
    write(folder / "wxid_b/FileStorage/MsgAttach/a/b/c.dat", 7);
    return folder;
}

QStringList ChatFixture::removedLines(const std::vector<fs::path>& files) const {
    // Rows name files below their folders with links resolved.
    const fs::path base = fs::canonical(root());
    QStringList lines;
    for (const fs::path& file : files)
        lines << QStringLiteral("removed: ") +
                     QString::fromStdString(file.lexically_relative(base).generic_string());
    lines.sort();
    return lines;
}

fs::path ChatFixture::qqJunk() {
    const fs::path folder = qqOnD({"12345", "67890", "nt_qq"});
    const char* const parts[] = {"log", "Video", "Pic", "avatar", "Emoji", "File"};
    for (int i = 0; i < 6; ++i) {
        const fs::path data = fs::path("nt_qq/nt_data") / parts[i];
        write(folder / "12345" / data / (std::string(parts[i]) + "1"), 10u * (i + 1));
        write(folder / "67890" / data / (std::string(parts[i]) + "2"), 100u * (i + 1));
    }
    write(folder / "nt_qq/nt_data/Pic/own.jpg", 99999);
    write(c("Users/u/AppData/Roaming/Tencent/QQ/STemp/s.tmp"), 5);
    return folder;
}
