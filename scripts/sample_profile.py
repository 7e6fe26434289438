#!/usr/bin/env python3
"""Builds a sample Windows profile in a folder, for trying Merivane out on Linux.

    python3 scripts/sample_profile.py [--reset] DIR

DIR gets drives c/ and d/, a registry file and a user profile whose temporary and log
folders are full of junk of many sizes. The script prints the environment that maps the
program onto it, as shell export lines. Files are sparse: they report their full size but
take next to no disk space.

The profile is built only into a new or empty folder. A folder that holds one already is
left as it is, so what the program cleaned there stays cleaned; --reset removes it and
builds it again. Any other folder with files in it is refused, never filled with junk.
"""
import argparse
import math
import os
import random
import shutil
import stat
import struct
import sys
import time

USER = "Merivane"
KIB = 1024
MIB = 1024 * KIB

# (folder below drive C:, [(file name, size in bytes), ...])
JUNK = [
    ("Windows/Temp", [("setup_0412.log", 48 * KIB), ("dd_vcredist_x64.log", 312 * KIB),
                      ("MpSigStub.exe.tmp", 3 * MIB + 200 * KIB), ("~DF3A91.tmp", 700)]),
    ("Windows/Temp/WinSAT", [("winsat.etl", 12 * MIB), ("winsat.log", 90 * KIB)]),
    ("Windows/Logs/CBS", [("CBS.log", 22 * MIB + 512 * KIB), ("CbsPersist_20261101.cab", 6 * MIB)]),
    ("Windows/Logs/DISM", [("dism.log", 1 * MIB + 300 * KIB)]),
    ("Windows/Prefetch", [("CHROME.EXE-1A2B3C4D.pf", 56 * KIB), ("EXPLORER.EXE-5E6F7A8B.pf", 120 * KIB),
                          ("WECHAT.EXE-9C0D1E2F.pf", 88 * KIB)]),
    ("Windows/SoftwareDistribution/Download/9f8e7d", [("windows10.0-kb5031356-x64.cab", 145 * MIB)]),
    ("ProgramData/Microsoft/Windows/WER/ReportArchive/AppCrash_explorer.exe_1f2e",
     [("Report.wer", 18 * KIB), ("memory.hdmp", 38 * MIB)]),
    (f"Users/{USER}/AppData/Local/Temp", [("chrome_installer.log", 640 * KIB), ("tmp8F21.tmp", 2 * MIB),
                                          ("说明文档.tmp", 15 * KIB), ("vs_setup_bootstrapper.json", 3 * KIB)]),
    (f"Users/{USER}/AppData/Local/Temp/WeChat Files Cache", [("cache_01.dat", 9 * MIB), ("cache_02.dat", 4 * MIB + 77 * KIB)]),
    (f"Users/{USER}/AppData/Local/Temp/msohtmlclip1/01", [("clip_image001.png", 230 * KIB)]),
    (f"Users/{USER}/Downloads", [("WeChatSetup.exe", 180 * MIB), ("季度报告.pdf", 2 * MIB + 410 * KIB),
                                 ("holiday-photos.zip", 760 * MIB)]),
]
# Large files of the user's own on C:, for the large-file page: sparse like the rest.
# (folder below C:, [(file name, size in bytes), ...])
LARGE_FILES = [
    (f"Users/{USER}/Videos", [("家庭录像_2023春节.mp4", 1600 * MIB), ("旅行Vlog.MP4", 850 * MIB)]),
    (f"Users/{USER}/Videos/剪辑素材", [("clip_0425.mov", 420 * MIB)]),
    (f"Users/{USER}/Documents", [("项目资料备份.zip", 320 * MIB), ("年度财务报表.xls", 48 * MIB),
                                 ("论文终稿.docx", 36 * MIB), ("导出缓存.tmp", 64 * MIB),
                                 ("会议纪要.zip", 12 * MIB)]),
    (f"Users/{USER}/Documents/安装包", [("PhotoEditor_Setup.exe", 95 * MIB)]),
]
# Files on drive D:, where large files are moved to by default (the largest drive).
D_FILES = [("Backup/old-phone.zip", 800 * MIB)]
# WeChat: "FileSavePath" is "MyDocument:", so its data lies in Documents\WeChat Files, one
# "wxid_" folder per account. (folder below the account, file stem, extension, count per
# account); sizes are drawn from SIZES with a fixed seed, so they are the same every build.
WECHAT_ACCOUNTS = ["wxid_merivane01", "wxid_k2q9m7t4"]
WECHAT = [
    ("FileStorage/MsgAttach/9e20f478899dc29eb19741386f9343c8/Image/2026-11", "img", "dat", [24, 6]),
    ("FileStorage/Video/2026-11", "video", "mp4", [3, 2]),
    ("FileStorage/General/Data", "avatar", "dat", [12, 4]),
    ("FileStorage/File/2026-11", "周报", "docx", [4, 2]),
    ("FileStorage/Cache/2026-11", "cache", "dat", [14, 9]),
    ("FileStorage/CustomEmotion/3F", "emoji", "gif", [8, 3]),
    ("FileStorage/MPPageFastLoad/data", "page", "cache", [5, 5]),
    ("FileStorage/Sns/Cache/2026-11", "sns", "jpg", [11, 7]),
    ("FileStorage/Temp", "temp", "tmp", [6, 4]),
]
# QQ: UserDataInfo.ini names Documents\Tencent Files, one folder per account; "nt_qq"
# there is QQ's own. STemp lies in the roaming application data and belongs to no account.
QQ_ACCOUNTS = ["1234567890", "2233445566"]
QQ = [
    ("nt_qq/nt_data/log", "qq_log", "log", [12, 5]),
    ("nt_qq/nt_data/Video/2026-11/Ori", "qq_video", "mp4", [2, 1]),
    ("nt_qq/nt_data/Pic/2026-11/Ori", "pic", "jpg", [16, 8]),
    ("nt_qq/nt_data/avatar", "avatar", "png", [5, 3]),
    ("nt_qq/nt_data/Emoji/personal_emoji", "emoji", "gif", [4, 2]),
    ("nt_qq/nt_data/File", "报告", "pdf", [3, 2]),
]
QQ_STEMP = [("stemp_a.tmp", 90 * KIB), ("stemp_b.tmp", 410 * KIB)]
# How many days ago a chat file was last written, drawn with a fixed seed; half a day off
# whole days, so that no file sits on the edge of the pages' "7天前", "30天前" or "半年前".
CHAT_AGES = [0.5, 2.5, 5.5, 9.5, 16.5, 28.5, 33.5, 75.5, 150.5, 190.5, 400.5]
# Below 30 MiB, so that no chat file shows among the large files.
SIZES = [3 * KIB, 17 * KIB, 48 * KIB, 120 * KIB, 310 * KIB, 760 * KIB, 1 * MIB + 300 * KIB,
         4 * MIB + 70 * KIB]
# The privacy page's traces: the Run dialog's history (MRUList "dcba": newest first) and the
# recent items, with the folder's own desktop.ini that is no trace.
RUN_HISTORY = [("a", "notepad\\1"), ("b", "cmd\\1"), ("c", "regedit\\1"),
               ("d", "\\\\nas\\照片\\1")]
RECENT = ["季度报告.pdf.lnk", "holiday-photos.zip.lnk", "Downloads.lnk", "WeChatSetup.exe.lnk",
          "说明文档.txt.lnk"]
# Marks a folder as a sample profile: "building" until all of it is written, then "built".
MARKER = ".sample-profile"


def write_file(path, size):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        # A few real bytes at the start, the rest a hole.
        f.write(bytes(random.Random(path).getrandbits(8) for _ in range(min(size, 64))))
        f.truncate(size)


def write_aged(path, size, ages):
    """A chat file last written some days ago, as chat data piles up over months."""
    write_file(path, size)
    stamp = time.time() - ages.choice(CHAT_AGES) * 86400
    os.utime(path, (stamp, stamp))


def chat_files(root):
    """WeChat's and QQ's data of two accounts each, and WeChat's registry key."""
    c = os.path.join(root, "c")
    docs = os.path.join(c, f"Users/{USER}/Documents")
    rnd = random.Random(1104)
    ages = random.Random(2611)
    for folder, stem, ext, counts in WECHAT:
        for account, count in zip(WECHAT_ACCOUNTS, counts):
            for i in range(count):
                write_aged(os.path.join(docs, "WeChat Files", account, folder, f"{stem}_{i:03d}.{ext}"),
                           rnd.choice(SIZES) + rnd.randrange(KIB), ages)
    for other in ("All Users/config", "Applet"):
        os.makedirs(os.path.join(docs, "WeChat Files", other), exist_ok=True)
    for folder, stem, ext, counts in QQ:
        for account, count in zip(QQ_ACCOUNTS, counts):
            for i in range(count):
                write_aged(os.path.join(docs, "Tencent Files", account, folder, f"{stem}_{i:03d}.{ext}"),
                           rnd.choice(SIZES) + rnd.randrange(KIB), ages)
    write_file(os.path.join(docs, "Tencent Files/nt_qq/global/nt_data/Emoji/own.gif"), 64 * KIB)
    for name, size in QQ_STEMP:
        write_file(os.path.join(c, f"Users/{USER}/AppData/Roaming/Tencent/QQ/STemp", name), size)
    settings = os.path.join(c, "Users/Public/Documents/Tencent/QQ/UserDataInfo.ini")
    os.makedirs(os.path.dirname(settings), exist_ok=True)
    with open(settings, "w", encoding="utf-8") as f:
        f.write(f"[UserDataSet]\r\nUserDataSavePath=C:\\Users\\{USER}\\Documents\\Tencent Files\r\n")
    key = "[HKEY_CURRENT_USER\\SOFTWARE\\Tencent\\WeChat]\n"
    registry = os.path.join(root, "registry.reg")
    with open(registry, encoding="utf-8") as f:
        if key in f.read():
            return
    with open(registry, "a", encoding="utf-8") as f:
        f.write(key + "\"FileSavePath\"=\"MyDocument:\"\n\"NeedUpdateType\"=dword:00000000\n\n")


# Copies for the duplicate page: (content name, size, [paths below the profile root]).
# Real bytes, so the copies really are equal; the pair marked "near" differs in its last
# byte only and must not be grouped.
DUPLICATES = [
    ("photo1", 412 * KIB, [f"c/Users/{USER}/Pictures/IMG_2041.JPG", "d/照片备份/2025/IMG_2041.JPG"]),
    ("photo2", 388 * KIB, [f"c/Users/{USER}/Pictures/IMG_2042.JPG", "d/照片备份/2025/IMG_2042.JPG",
                           f"c/Users/{USER}/Pictures/微信图片/IMG_2042(1).jpg"]),
    ("photo3", 257 * KIB, [f"c/Users/{USER}/Pictures/海边.png", "d/照片备份/海边.png"]),
    ("photo4", 199 * KIB, [f"c/Users/{USER}/Pictures/证件照.jpeg", f"c/Users/{USER}/Desktop/证件照.jpeg"]),
    ("report", 356 * KIB, [f"c/Users/{USER}/Documents/年度总结.docx",
                           f"c/Users/{USER}/Desktop/年度总结 - 副本.docx"]),
    ("quote", 131 * KIB, [f"c/Users/{USER}/Documents/报价单.xls", "d/资料/报价单.xls"]),
    ("song", 3 * MIB + 120 * KIB, [f"c/Users/{USER}/Music/晴天.mp3", "d/音乐/晴天.mp3"]),
    ("video", 2 * MIB + 700 * KIB, [f"c/Users/{USER}/Videos/生日聚会.mp4", "d/照片备份/视频/生日聚会.mp4"]),
    ("archive", 1 * MIB + 64 * KIB, [f"c/Users/{USER}/Documents/项目资料.zip", "d/资料/项目资料.zip"]),
    ("setup", 1 * MIB + 300 * KIB, [f"c/Users/{USER}/Desktop/ChromeSetup.exe", "d/软件/ChromeSetup.exe"]),
    ("near", 300 * KIB, [f"c/Users/{USER}/Pictures/IMG_2047.JPG", "d/照片备份/2025/IMG_2047.JPG"]),
]


def build_duplicates(root):
    """Writes the copies of DUPLICATES with real bytes."""
    for name, size, paths in DUPLICATES:
        content = random.Random(name).randbytes(size)
        for i, path in enumerate(paths):
            data = content
            if name == "near" and i > 0:
                data = content[:-1] + bytes([content[-1] ^ 1])
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "wb") as f:
                f.write(data)


def build(root):
    """Writes the junk, the other folders and an empty registry."""
    c = os.path.join(root, "c")
    d = os.path.join(root, "d")
    for folder, files in JUNK:
        for name, size in files:
            write_file(os.path.join(c, folder, name), size)
    # Many small files too, so the lists have depth.
    rnd = random.Random(7)
    for i in range(60):
        size = rnd.choice([0, 1, 300, 4 * KIB, 37 * KIB, 260 * KIB, 1 * MIB + rnd.randrange(MIB)])
        write_file(os.path.join(c, f"Users/{USER}/AppData/Local/Temp/batch{i % 4}/~tmp{i:03d}.tmp"), size)
    for name, size in D_FILES:
        write_file(os.path.join(d, name), size)
    build_large_files(c)
    build_duplicates(root)
    for folder in (f"Users/{USER}/AppData/Roaming", "Users/Public", f"Users/{USER}/Documents"):
        os.makedirs(os.path.join(c, folder), exist_ok=True)
    registry = os.path.join(root, "registry.reg")
    if not os.path.exists(registry):
        with open(registry, "w", encoding="utf-8") as f:
            f.write("Windows Registry Editor Version 5.00\n\n"
                    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\n\n")
    for folder in ("config", "data", "cache"):
        os.makedirs(os.path.join(root, folder), exist_ok=True)
    chat_files(root)
    build_privacy(root)
    installed_programs(root)


def reg_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def build_privacy(root):
    """The Run history in the registry and the recent-items folder."""
    recent = os.path.join(root, "c", f"Users/{USER}/AppData/Roaming/Microsoft/Windows/Recent")
    for name in RECENT + ["desktop.ini"]:
        write_file(os.path.join(recent, name), 1 * KIB)
    registry = os.path.join(root, "registry.reg")
    key = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]"
    with open(registry, encoding="utf-8") as f:
        if key in f.read():
            return  # an interrupted build wrote it already
    lines = [key] + [f"{reg_string(name)}={reg_string(command)}" for name, command in RUN_HISTORY]
    lines.append(f'"MRUList"={reg_string("".join(name for name, _ in reversed(RUN_HISTORY)))}')
    with open(registry, "a", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n\n")


def build_large_files(c):
    """Videos, documents and installers of the user, some over 30 MiB and some not."""
    for folder, files in LARGE_FILES:
        for name, size in files:
            write_file(os.path.join(c, folder, name), size)


# Installed programs for the uninstall page: (registry key below HKEY_..., display name,
# uninstall string, other values, files below drive C: as (path, size) or (path, None) for
# an uninstaller). Each uninstaller is a small script that only records how it was started,
# in UNINSTALL_LOG, so what the program starts can be checked; it removes nothing.
UNINSTALL_KEY = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
UNINSTALL_KEY_32 = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
UNINSTALL_LOG = "uninstallers-started.log"
OFFICE_CODE = "{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21}"
INKPOOL = f"Users/{USER}/AppData/Local/Programs/Inkpool"
INKPOOL_WIN = f"C:\\Users\\{USER}\\AppData\\Local\\Programs\\Inkpool"
PROGRAMS = [
    ("HKEY_LOCAL_MACHINE\\" + UNINSTALL_KEY + "\\QingkongIME", "晴空输入法 5.2",
     "C:\\Program Files\\Qingkong IME\\uninst.exe /S",
     {"DisplayIcon": "C:\\Program Files\\Qingkong IME\\qingkong.ico", "InstallDate": "20210707",
      "EstimatedSize": 0x9800},
     [("Program Files/Qingkong IME/uninst.exe", None),
      ("Program Files/Qingkong IME/dict/core.dat", 36 * MIB + 120 * KIB),
      ("Program Files/Qingkong IME/ime.dll", 1 * MIB + 800 * KIB)]),
    ("HKEY_LOCAL_MACHINE\\" + UNINSTALL_KEY_32 + "\\Lumen Player_is1", "Lumen Player 4",
     "\"C:\\Program Files (x86)\\Lumen Player\\unins000.exe\" /SILENT",
     {"DisplayIcon": "\"C:\\Program Files (x86)\\Lumen Player\\lumen.ico\"",
      "InstallDate": "20190312", "InstallLocation": "C:\\Program Files (x86)\\Lumen Player\\"},
     [("Program Files (x86)/Lumen Player/unins000.exe", None),
      ("Program Files (x86)/Lumen Player/codecs.pak", 118 * MIB),
      ("Program Files (x86)/Lumen Player/skins/default.skin", 3 * MIB + 300 * KIB)]),
    # A per-user entry of the same name: the machine-wide one above is listed instead.
    ("HKEY_CURRENT_USER\\" + UNINSTALL_KEY + "\\Lumen Player", "Lumen Player 4",
     f"C:\\Users\\{USER}\\AppData\\Local\\Lumen\\old-uninst.exe", {"InstallDate": "20150101"}, []),
    ("HKEY_CURRENT_USER\\" + UNINSTALL_KEY + "\\Inkpool", "墨池笔记",
     f"\"{INKPOOL_WIN}\\Uninstall Inkpool.exe\" /currentuser /S",
     {"DisplayIcon": f"{INKPOOL_WIN}\\Inkpool.exe,0"},
     [(f"{INKPOOL}/Uninstall Inkpool.exe", None), (f"{INKPOOL}/Inkpool.exe", 3 * MIB + 512 * KIB),
      (f"{INKPOOL}/resources/app.asar", 120 * MIB)]),
    ("HKEY_LOCAL_MACHINE\\" + UNINSTALL_KEY + "\\" + OFFICE_CODE, "Office Suite 2021",
     "MsiExec.exe /X" + OFFICE_CODE,
     {"DisplayIcon": f"C:\\Windows\\Installer\\{OFFICE_CODE}\\suite.ico", "InstallDate": "20230115",
      "InstallLocation": "C:\\Program Files\\Office Suite\\"},
     [("Program Files/Office Suite/suite.pak", 1400 * MIB), ("Program Files/Office Suite/fonts.pak", 260 * MIB),
      ("Program Files/Office Suite/writer.dll", 24 * MIB)]),
    # Upper-case and unquoted with a blank in the path: C:\Program.exe must never start.
    ("HKEY_LOCAL_MACHINE\\" + UNINSTALL_KEY + "\\ZIPPER", "ZIPPER 压缩",
     "C:\\Program Files\\ZIPPER\\UNINST.EXE",
     {"DisplayIcon": "C:\\Program Files\\ZIPPER\\zipper.ico", "InstallDate": "2022-08-01"},
     [("Program Files/ZIPPER/UNINST.EXE", None), ("Program Files/ZIPPER/zipper.dll", 4 * MIB + 200 * KIB)]),
    ("HKEY_LOCAL_MACHINE\\" + UNINSTALL_KEY_32 + "\\PrinterLegacy", "旧版打印驱动",
     "C:\\Drivers\\Printer\\remove.bat x", {"InstallDate": "20170905"},
     [("Drivers/Printer/remove.bat", None), ("Drivers/Printer/driver.sys", 2 * MIB + 64 * KIB)]),
    # Its uninstaller is gone: the start fails and the row stays.
    ("HKEY_LOCAL_MACHINE\\" + UNINSTALL_KEY + "\\BrokenTool", "Broken Tool",
     "\"C:\\Program Files\\Broken Tool\\uninstall.exe\"", {"InstallDate": "20200410"},
     [("Program Files/Broken Tool/tool.dat", 800 * KIB)]),
    # An update without a name of its own is not listed.
    ("HKEY_LOCAL_MACHINE\\" + UNINSTALL_KEY + "\\KB5031356", None,
     "C:\\Windows\\servicing\\kb.exe", {}, []),
]
# Would start if an unquoted path were cut at its first blank; they record it too.
TRAPS = ["Program", "Program.exe"]
# Icons drawn here: (file below C:, colour, glyph).
ICONS = [("Program Files/Qingkong IME/qingkong.ico", (0x3B, 0x82, 0xF6), "ring"),
         ("Program Files (x86)/Lumen Player/lumen.ico", (0xF9, 0x73, 0x16), "play"),
         (f"Windows/Installer/{OFFICE_CODE}/suite.ico", (0xDC, 0x26, 0x26), "bars"),
         ("Program Files/ZIPPER/zipper.ico", (0x8B, 0x5C, 0xF6), "zip")]


def recorder(root, path):
    """A sample uninstaller at path below drive C: that appends its path below root and
    its arguments to the log. Each names itself, so no two are duplicate files."""
    return ("#!/bin/sh\n"
            f"# Sample uninstaller C:/{path}: records how it was started and changes nothing.\n"
            f"root={shell_quote(root.rstrip('/') + '/')}\n"
            'line="${0#"$root"}"\n'
            'for arg in "$@"; do line="$line\t$arg"; done\n'
            f"printf '%s\\n' \"$line\" >> \"$root\"{UNINSTALL_LOG}\n")


def write_script(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)


def glyph_cover(glyph, x, y):
    """Whether point (x, y) of a 32 x 32 icon, centre (16, 16), is covered by the glyph."""
    dx, dy = x - 16, y - 16
    r = math.hypot(dx, dy)
    if glyph == "ring":
        return 6 <= r <= 10
    if glyph == "play":  # a triangle pointing right
        return dx >= -6 and abs(dy) <= (9 - dx) * 8 / 15
    if glyph == "bars":  # three bars standing on one line
        return any(abs(dx - c) <= 2 and 8 - h <= dy <= 8 for c, h in ((-6, 10), (0, 16), (6, 13)))
    if glyph == "zip":
        return (abs(dx) <= 2 and abs(dy) <= 10 and (int(y) // 2) % 2 == 0) or \
               (abs(dx) <= 4 and 4 <= dy <= 10)
    return False


def icon_bytes(colour, glyph):
    """A 32 x 32 icon file (32-bit, alpha) of a rounded square with a white glyph."""
    size, samples = 32, 4
    pixels = []
    for row in range(size - 1, -1, -1):  # bottom-up
        for col in range(size):
            inside = ink = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = col + (sx + 0.5) / samples
                    y = row + (sy + 0.5) / samples
                    # Rounded square from 1 to 31 with radius 7.
                    cx = min(max(x, 8), 24)
                    cy = min(max(y, 8), 24)
                    if math.hypot(x - cx, y - cy) <= 7 and 1 <= x <= 31 and 1 <= y <= 31:
                        inside += 1
                        ink += glyph_cover(glyph, x, y)
            n = samples * samples
            alpha = round(255 * inside / n)
            mix = ink / inside if inside else 0
            r, g, b = (round(c + (255 - c) * mix) for c in colour)
            pixels.append(bytes((b, g, r, alpha)))
    xor = b"".join(pixels)
    mask = bytes(size * 4)  # every row 32 bits, all opaque: the alpha decides
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22) + image


def installed_programs(root):
    """Registers the programs of PROGRAMS and writes their files, icons and uninstallers."""
    c = os.path.join(root, "c")
    scripts = [path for _, _, _, _, files in PROGRAMS for path, size in files if size is None]
    for path in scripts + ["Windows/System32/msiexec.exe"] + TRAPS:
        write_script(os.path.join(c, path), recorder(root, path))
    for _, _, _, _, files in PROGRAMS:
        for path, size in files:
            if size is not None:
                write_file(os.path.join(c, path), size)
    for path, colour, glyph in ICONS:
        os.makedirs(os.path.dirname(os.path.join(c, path)), exist_ok=True)
        with open(os.path.join(c, path), "wb") as f:
            f.write(icon_bytes(colour, glyph))
    # Its date comes from the file its icon is taken from.
    stamp = time.mktime((2024, 3, 18, 12, 0, 0, 0, 0, -1))
    os.utime(os.path.join(c, INKPOOL, "Inkpool.exe"), (stamp, stamp))

    registry = os.path.join(root, "registry.reg")
    keys = ["HKEY_LOCAL_MACHINE\\" + UNINSTALL_KEY, "HKEY_LOCAL_MACHINE\\" + UNINSTALL_KEY_32,
            "HKEY_CURRENT_USER\\" + UNINSTALL_KEY]
    with open(registry, encoding="utf-8") as f:
        if f"[{keys[0]}]" in f.read():
            return  # an interrupted build registered them already
    lines = [f"[{key}]\n\n" for key in keys]
    for key, name, uninstall, values, files in PROGRAMS:
        lines.append(f"[{key}]\n")
        if name is not None:
            lines.append(f'"DisplayName"={reg_string(name)}\n')
        lines.append(f'"UninstallString"={reg_string(uninstall)}\n')
        for value, data in values.items():
            if isinstance(data, int):
                lines.append(f'"{value}"=dword:{data:08x}\n')
            else:
                lines.append(f'"{value}"={reg_string(data)}\n')
        lines.append("\n")
    with open(registry, "a", encoding="utf-8") as f:
        f.write("".join(lines))


def environment(root):
    """What maps the program onto the profile; the XDG folders keep Qt's and the
    desktop's files of the program there too."""
    return {
        "MERIVANE_DRIVES": f"C={os.path.join(root, 'c')};D={os.path.join(root, 'd')}",
        "MERIVANE_REGISTRY": os.path.join(root, "registry.reg"),
        "XDG_CONFIG_HOME": os.path.join(root, "config"),
        "XDG_DATA_HOME": os.path.join(root, "data"),
        "XDG_CACHE_HOME": os.path.join(root, "cache"),
        "TEMP": f"C:\\Users\\{USER}\\AppData\\Local\\Temp",
        "USERPROFILE": f"C:\\Users\\{USER}",
        "APPDATA": f"C:\\Users\\{USER}\\AppData\\Roaming",
        "PUBLIC": "C:\\Users\\Public",
        # Where the uninstall page finds msiexec.exe, as Windows does in System32.
        "PATH": os.path.join(root, "c", "Windows", "System32") + os.pathsep + os.environ.get("PATH", ""),
    }


def prepare(root, reset):
    """Builds the profile unless root holds a complete one; returns an error or None."""
    state = read_marker(root)
    if state is None and os.path.isdir(root) and os.listdir(root):
        return f"{root} holds files but no sample profile; give a new or empty folder"
    if reset and state is not None:
        shutil.rmtree(root)
        state = None
    if state == "built":
        return None
    # Marked before the junk is written, so an interrupted build is ours to finish.
    write_marker(root, "building")
    build(root)
    write_marker(root, "built")
    return None


def read_marker(root):
    try:
        with open(os.path.join(root, MARKER), encoding="utf-8") as f:
            return f.read().strip()
    except FileNotFoundError:
        return None


def write_marker(root, state):
    os.makedirs(root, exist_ok=True)
    with open(os.path.join(root, MARKER), "w", encoding="utf-8") as f:
        f.write(state + "\n")


def shell_quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--reset", action="store_true", help="build the profile again")
    parser.add_argument("folder")
    args = parser.parse_args()
    root = os.path.abspath(args.folder)
    error = prepare(root, args.reset)
    if error:
        sys.exit(f"sample_profile: {error}")
    for name, value in environment(root).items():
        print(f"export {name}={shell_quote(value)}")


if __name__ == "__main__":
    main()
