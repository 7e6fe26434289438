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
import os
import random
import shutil
import sys

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
# Files on drive D:, where large files are moved to by default (the largest drive).
D_FILES = [("Backup/old-phone.zip", 800 * MIB)]
# Marks a folder as a sample profile: "building" until all of it is written, then "built".
MARKER = ".sample-profile"


def write_file(path, size):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        # A few real bytes at the start, the rest a hole.
        f.write(bytes(random.Random(path).getrandbits(8) for _ in range(min(size, 64))))
        f.truncate(size)


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
