#include "CliText.h"

namespace {

CliText::Language current = CliText::Language::Chinese;

struct Entry {
    CliText::Id id;
    const char* chinese;
    const char* english;
};

// In the order of the ids, which the compiler checks below.
constexpr Entry table[] = {
    {CliText::Usage,
     "用法：merivane-cli [--json] [--lang en] 区域 动作 [选项]（merivane-cli help 查看说明）",
     "usage: merivane-cli [--json] [--lang en] AREA ACTION [OPTIONS] (see merivane-cli help)"},
    {CliText::UnknownArea, "没有“%1”这个区域（可用：%2）", "there is no area \"%1\" (areas: %2)"},
    {CliText::UnknownAction, "%1 没有“%2”这个动作（可用：%3）",
     "%1 has no action \"%2\" (actions: %3)"},
    {CliText::MissingArea, "缺少区域（可用：%1）", "an area is missing (areas: %1)"},
    {CliText::MissingAction, "%1 缺少动作（可用：%2）", "%1 needs an action (actions: %2)"},
    {CliText::UnknownOption, "没有 %1 这个选项", "there is no option %1"},
    {CliText::OptionNeedsValue, "选项 %1 需要一个值", "option %1 needs a value"},
    {CliText::OptionNotHere, "选项 %1 不适用于 %2", "option %1 does not apply to %2"},
    {CliText::OptionTwice, "选项 %1 只能给一次", "option %1 can be given once only"},
    {CliText::BadDays, "--older-than 需要一个非负整数天数，而不是“%1”",
     "--older-than takes a whole number of days, not \"%1\""},
    {CliText::BadKeep, "--keep 只能是 first、newest 或 oldest，而不是“%1”",
     "--keep takes first, newest or oldest, not \"%1\""},
    {CliText::BadLang, "--lang 只能是 zh 或 en，而不是“%1”", "--lang takes zh or en, not \"%1\""},
    {CliText::BadDrive, "--drive 需要一个盘符（如 D:）或 all，而不是“%1”",
     "--drive takes a drive such as D: or all, not \"%1\""},
    {CliText::AllAndSelect, "--all 和 --select 不能一起用",
     "--all and --select do not go together"},
    {CliText::UnknownSelection, "没有名为“%1”的项（可选：%2）",
     "nothing is named \"%1\" (choose from: %2)"},
    {CliText::MissingProgram, "uninstall 需要软件的名称", "uninstall needs the program's name"},
    {CliText::ExtraArgument, "多余的参数“%1”", "unexpected argument \"%1\""},
    {CliText::LargeFilesClean, "大文件不删除，只搬家：请用 largefiles move --to 文件夹",
     "large files are moved, not deleted: use largefiles move --to FOLDER"},
    {CliText::MissingDestination, "move 需要 --to 文件夹（窗口里也没有设置搬家目标）",
     "move needs --to FOLDER (the window has no destination set either)"},
    {CliText::BadDestination, "搬家目标“%1”不是完整的文件夹路径（例如 D:\\大文件）",
     "the destination \"%1\" is not a complete folder path (such as D:\\Large files)"},
    {CliText::DestinationNotFolder, "无法创建搬家目标 %1：%2 不是文件夹",
     "cannot create the destination %1: %2 is not a folder"},
    {CliText::NoSuchDrive, "没有 %1 这个固定磁盘", "there is no fixed drive %1"},
    {CliText::NoSuchProgram, "没有安装名为“%1”的软件", "no installed program is named \"%1\""},
    {CliText::RegistryUnreadable, "无法读取注册表：%1", "cannot read the registry: %1"},
    {CliText::NotStarted, "%1 没有开始", "%1 did not start"},
    {CliText::InterruptedScan, "已中断：扫描没有做完，什么也没有改动",
     "interrupted: the scan did not finish, and nothing was changed"},
    {CliText::InterruptedRun, "已中断：在两个文件之间停下，已完成的见上",
     "interrupted: stopped between two files; what was done is listed above"},
    {CliText::AreaCDrive, "C盘垃圾", "C-drive junk"},
    {CliText::AreaWeChat, "微信", "WeChat"},
    {CliText::AreaQQ, "QQ", "QQ"},
    {CliText::AreaLargeFiles, "大文件", "Large files"},
    {CliText::AreaDuplicates, "重复文件", "Duplicate files"},
    {CliText::AreaPrivacy, "隐私痕迹", "Privacy traces"},
    {CliText::AreaSoftware, "已安装软件", "Installed software"},
    {CliText::Files, "%1 个文件", "%1 files"},
    {CliText::Records, "%1 条", "%1 records"},
    {CliText::Groups, "%1 组", "%1 groups"},
    {CliText::Programs, "%1 款软件", "%1 programs"},
    {CliText::ScanSummary, "%1：找到 %2（%3），已选 %4（%5）",
     "%1: found %2 (%3), selected %4 (%5)"},
    {CliText::RecordSummary, "%1：找到 %2，已选 %3", "%1: found %2, selected %3"},
    {CliText::DuplicateSummary, "%1（%2）：%3，占用 %4（%5）", "%1 (%2): %3 taking %4 (%5)"},
    {CliText::SoftwareSummary, "%1：%2，占用 %3", "%1: %2 taking %3"},
    {CliText::CleanPlan, "%1：清理 %2（%3）", "%1: cleaning %2 (%3)"},
    {CliText::ErasePlan, "%1：清除 %2", "%1: erasing %2"},
    {CliText::MovePlan, "%1：把 %2（%3）移到 %4", "%1: moving %2 (%3) to %4"},
    {CliText::UninstallPlan, "%1：卸载 %2，启动 %3", "%1: uninstalling %2 by starting %3"},
    {CliText::DryRunClean, "这是演练，什么也没有改动；加上 --yes 才会清理",
     "dry run: nothing was changed; add --yes to clean"},
    {CliText::DryRunMove, "这是演练，没有移动任何文件；加上 --yes 才会移动",
     "dry run: nothing was moved; add --yes to move"},
    {CliText::DryRunUninstall, "这是演练，没有启动卸载程序；加上 --yes 才会启动",
     "dry run: the uninstaller was not started; add --yes to start it"},
    {CliText::NothingSelected, "没有选中要处理的内容", "nothing is selected"},
    {CliText::Cleaned, "已清理 %1，释放 %2", "cleaned %1, freeing %2"},
    {CliText::Erased, "已清除 %1", "erased %1"},
    {CliText::Moved, "已移动 %1，C盘释放 %2", "moved %1, freeing %2 on C:"},
    {CliText::Started, "已启动卸载程序：%1", "started the uninstaller: %1"},
    {CliText::SameVolume, "%1 与C盘在同一个磁盘分区上，移动文件不会释放C盘空间",
     "%1 is on the same volume as C:, so moving frees nothing there"},
    {CliText::WeChatMissing,
     "未检查到您安装微信（注册表中没有 HKEY_CURRENT_USER\\SOFTWARE\\Tencent\\WeChat）",
     "WeChat is not installed (the registry has no HKEY_CURRENT_USER\\SOFTWARE\\Tencent\\WeChat)"},
    {CliText::QQMissing, "未检查到您安装QQ（没有 %1）", "QQ is not installed (there is no %1)"},
    {CliText::Folder, "文件夹：%1", "folder: %1"},
    {CliText::Accounts, "账号：%1", "accounts: %1"},
    {CliText::NoAccount, "没有账号", "no account"},
    {CliText::Drive, "磁盘：%1", "drive: %1"},
    {CliText::Destination, "搬家目标：%1", "destination: %1"},
    {CliText::Unsupported, "暂不支持", "not supported yet"},
    {CliText::GroupLabel, "第%1组", "group %1"},
    {CliText::Keep, "保留", "keep"},
    {CliText::Delete, "删除", "delete"},
    {CliText::Shared, "共用", "shared"},
    {CliText::FailuresHeader, "%1 项没有完成：", "%1 items failed:"},
    {CliText::FailureLine, "  %1：%2", "  %1: %2"},
    {CliText::Note, "注意：%1", "note: %1"},
    {CliText::AnsweredYes, "%1（--yes：是）", "%1 (--yes: yes)"},
    {CliText::ReasonInUse, "文件正在被使用", "in use"},
    {CliText::ReasonAccessDenied, "拒绝访问", "access denied"},
    {CliText::ReasonWriteProtect, "磁盘写保护", "write-protected"},
    {CliText::ReasonIoError, "磁盘读写出错", "input/output error"},
    {CliText::ReasonDiskFull, "磁盘空间不足", "disk full"},
    {CliText::ReasonExists, "目标处已有同名文件", "a file of that name is at the destination"},
    {CliText::ReasonChanged, "扫描后已被改动、移走或替换",
     "changed, moved or replaced since the scan"},
    {CliText::ReasonDiffers, "内容与保留的副本已不相同或无法读取",
     "its content differs from the copy that stays, or could not be read"},
    {CliText::ReasonPathGone, "所在文件夹已不在或成了链接",
     "a folder on its way is gone or is a link now"},
    {CliText::ReasonGone, "文件已不在", "the file is gone"},
    {CliText::ReasonNameTooLong, "路径太长", "the path is too long"},
    {CliText::ReasonNotStarted, "无法启动", "could not be started"},
    {CliText::ReasonCancelled, "已取消", "cancelled"},
    {CliText::ReasonOther, "错误 %1", "error %1"},
    {CliText::ProgressScan, "扫描中：%1 个文件，找到 %2  %3", "scanning: %1 files, found %2  %3"},
    {CliText::ProgressClean, "清理中：%1 个文件，释放 %2  %3", "cleaning: %1 files, freed %2  %3"},
    {CliText::ProgressMove, "移动中：%1 个文件，%2  %3", "moving: %1 files, %2  %3"},
    {CliText::ProgressUninstall, "正在启动卸载程序", "starting the uninstaller"},
    {CliText::Help,
     "merivane-cli：在命令行上做窗口里各页面做的事，用的是同样的引擎、磁盘和注册表。\n"
     "\n"
     "用法：merivane-cli [--json] [--lang en] 区域 动作 [选项]\n"
     "      merivane-cli help | --version\n"
     "\n"
     "区域与动作：\n"
     "  cdrive      scan | clean        C盘垃圾\n"
     "  wechat      scan | clean        微信文件（--account 账号，--older-than 天数）\n"
     "  qq          scan | clean        QQ文件（--account 账号，--older-than 天数）\n"
     "  largefiles  scan | move         C盘上的大文件，移到 --to 文件夹\n"
     "  duplicates  scan | clean        重复文件（--drive C:|D:|all，--keep first|newest|oldest）\n"
     "  privacy     scan | clean        隐私痕迹（运行记录、最近使用的文件）\n"
     "  software    scan | uninstall 名称   已安装的软件\n"
     "\n"
     "clean、move 和 uninstall 默认只是演练：列出会处理的内容和会释放的空间，不做任何改动；\n"
     "加上 --yes 才真正执行。处理的是页面默认勾选的项，或 --select 指定的项（编号或名称，\n"
     "可重复），--all 选择页面提供的全部项。\n"
     "\n"
     "选项：\n"
     "  --json              输出一个 JSON 文档（字段见 README）\n"
     "  --yes               执行清理、移动或卸载\n"
     "  --select 项         只处理这一项（可重复）\n"
     "  --all               处理全部项\n"
     "  --to 文件夹         largefiles move 的目标，例如 D:\\大文件\n"
     "  --keep 规则         duplicates clean 每组保留哪一份：first（默认）、newest、oldest\n"
     "  --drive 盘          duplicates 扫描的磁盘：C:（默认）、D: …… 或 all\n"
     "  --account 账号      wechat/qq 只看这个账号的文件\n"
     "  --older-than 天数   wechat/qq 只看早于这么多天的文件\n"
     "  --lang en           英文输出\n"
     "\n"
     "退出状态：0 完成；1 出错；2 用法不对；3 完成，但有些项失败（逐项列出原因）。\n"
     "Ctrl+C 在两个文件之间停下，并报告已完成的部分。\n",
     "merivane-cli: what the window's pages do, from the command line, on the same engines,\n"
     "drives and registry.\n"
     "\n"
     "usage: merivane-cli [--json] [--lang en] AREA ACTION [OPTIONS]\n"
     "       merivane-cli help | --version\n"
     "\n"
     "areas and actions:\n"
     "  cdrive      scan | clean        junk on drive C:\n"
     "  wechat      scan | clean        WeChat's files (--account ID, --older-than DAYS)\n"
     "  qq          scan | clean        QQ's files (--account ID, --older-than DAYS)\n"
     "  largefiles  scan | move         large files on C:, moved to --to FOLDER\n"
     "  duplicates  scan | clean        duplicate files (--drive C:|D:|all,\n"
     "                                  --keep first|newest|oldest)\n"
     "  privacy     scan | clean        usage traces (Run history, recent items)\n"
     "  software    scan | uninstall NAME   installed programs\n"
     "\n"
     "clean, move and uninstall are dry runs by default: they list what would be done and\n"
     "the space it would free, and change nothing; --yes acts. They act on what the page\n"
     "ticks by default, or on what --select names (an id or a name, repeatable); --all\n"
     "takes everything the page offers.\n"
     "\n"
     "options:\n"
     "  --json              print one JSON document (its fields are in the README)\n"
     "  --yes               clean, move or uninstall\n"
     "  --select ITEM       act on this item only (repeatable)\n"
     "  --all               act on every item\n"
     "  --to FOLDER         where largefiles move puts the files, such as D:\\Large files\n"
     "  --keep RULE         the copy of each group duplicates clean keeps: first (the\n"
     "                      default), newest or oldest\n"
     "  --drive DRIVE       the drive duplicates scans: C: (the default), D:, ... or all\n"
     "  --account ID        wechat/qq: only that account's files\n"
     "  --older-than DAYS   wechat/qq: only files older than that many days\n"
     "  --lang en           English output\n"
     "\n"
     "exit status: 0 done; 1 an error; 2 bad usage; 3 done, but some items failed (each is\n"
     "listed with its reason). Ctrl+C stops between two files and reports what was done.\n"},
};

constexpr bool inOrder() {
    for (int i = 0; i < CliText::Count; ++i) {
        if (table[i].id != i)
            return false;
    }
    return true;
}
static_assert(sizeof(table) / sizeof(table[0]) == CliText::Count, "one entry per id");
static_assert(inOrder(), "entries in the order of their ids");

} // namespace

void CliText::setLanguage(Language language) {
    current = language;
}

CliText::Language CliText::language() {
    return current;
}

QString CliText::get(Id id) {
    const Entry& entry = table[id];
    return QString::fromUtf8(current == Language::Chinese ? entry.chinese : entry.english);
}
