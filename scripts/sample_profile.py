#!/usr/bin/env python3
"""Builds a sample Windows profile in a folder, for trying Merivane out on Linux.

    python3 scripts/sample_profile.py DIR

DIR gets drives c/ and d/, a registry file and a user profile whose temporary and log
folders are full of junk of many sizes. The script prints the environment that maps the
program onto it, as shell export lines. Files are sparse: they report their full size but
take next to no disk space.
"""
import os
import random
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


def write_file(path, size):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        # A few real bytes at the start, the rest a hole.
        f.write(bytes(random.Random(path).getrandbits(8) for _ in range(min(size, 64))))
        f.truncate(size)


def build(root):
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
    for folder in (f"Users/{USER}/AppData/Roaming", "Users/Public", f"Users/{USER}/Documents"):
        os.makedirs(os.path.join(c, folder), exist_ok=True)
    registry = os.path.join(root, "registry.reg")
    if not os.path.exists(registry):
        with open(registry, "w", encoding="utf-8") as f:
            f.write("Windows Registry Editor Version 5.00\n\n"
                    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\n\n")
    os.makedirs(os.path.join(root, "config"), exist_ok=True)
    env = {
        "MERIVANE_DRIVES": f"C={c};D={d}",
        "MERIVANE_REGISTRY": registry,
        "XDG_CONFIG_HOME": os.path.join(root, "config"),
        "TEMP": f"C:\\Users\\{USER}\\AppData\\Local\\Temp",
        "USERPROFILE": f"C:\\Users\\{USER}",
        "APPDATA": f"C:\\Users\\{USER}\\AppData\\Roaming",
        "PUBLIC": "C:\\Users\\Public",
    }
    return env


def shell_quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = os.path.abspath(sys.argv[1])
    os.makedirs(root, exist_ok=True)
    for name, value in build(root).items():
        print(f"export {name}={shell_quote(value)}")


if __name__ == "__main__":
    main()
