#!/usr/bin/env bash
# Proves Merivane as a Windows program under Wine, in a fresh Wine prefix that is thrown away
# afterwards. Cross-builds the platform layer's suite (and the 32-bit platform library) and the
# whole program with its packages (scripts/build-windows.sh), then runs these suites:
#   platform   the Win32 backend's GoogleTest suite
#   installer  Merivane-Setup.exe /S, what it registers, and its uninstaller
#   window     Merivane.exe from the portable zip: its window, its pages' QML, a screenshot
#   cdrive     the window's C-drive page scans and cleans junk put into %TEMP%, and nothing else
#   uninstall  the uninstall engine (through merivane-cli.exe) removes a Windows Installer
#              product and starts a .bat uninstaller through cmd
# Each prints "wine SUITE: N passed, M failed, K skipped"; the last line sums them.
# Fails (never passes silently) when Wine cannot run here. Arguments name suites to run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-2}

say() { echo "test-wine: $*" >&2; }
cannot_run() {
    say "Wine cannot run here: $*"
    exit 1
}

bash scripts/setup.sh --wine
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(platform installer window cdrive uninstall)
wanted() { [[ " ${suites[*]} " == *" $1 "* ]]; }

build() { # folder toolchain target
    local dir=$1 toolchain=$2 target=$3
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" -DMERIVANE_PLATFORM_ONLY=ON >/dev/null
    fi
    cmake --build "$dir" --parallel "$jobs" --target "$target"
}
build build-wine32 mingw-w64-i686.cmake platform
build build-wine64 mingw-w64-x86_64.cmake platform_tests
exe=$(find "$root/build-wine64" -name platform_tests.exe -type f -print -quit)
[ -n "$exe" ] || { say "platform_tests.exe was not built"; exit 1; }
# Without the static Qt for Windows (a workplace artefact, not a Debian package) the
# program cannot be built: its suites are counted as skipped, loudly, and the platform
# suite still runs.
no_program=
if wanted installer || wanted window || wanted cdrive || wanted uninstall; then
    status=0
    bash scripts/build-windows.sh || status=$?
    if [ "$status" -eq 3 ]; then
        no_program="the static Qt for Windows (qt5-mingw64.tar.xz) is not on this machine"
        say "SKIPPING the installer, window, cdrive and uninstall suites: $no_program"
    elif [ "$status" -ne 0 ]; then
        exit "$status"
    fi
fi

# Debian's wine64 package has no wine64 on the PATH; the wine launcher picks it for a
# 64-bit executable.
wine=$(command -v wine64 || command -v wine || true)
[ -n "$wine" ] || [ ! -x /usr/lib/wine/wine64 ] || wine=/usr/lib/wine/wine64
[ -n "$wine" ] || cannot_run "no wine or wine64 program (install wine64)"
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

# Everything Wine touches lives in this folder: the prefix, a stand-in home folder (Wine
# links the prefix's user folders into $HOME) and the folder the tests run in.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/merivane-wine.XXXXXX")
export WINEPREFIX=$scratch/prefix HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config
export XDG_DATA_HOME=$scratch/home/.local/share
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
export DISPLAY= WAYLAND_DISPLAY=
mkdir -p "$HOME" "$scratch/run" "$scratch/locale"
# The program's users run Chinese Windows: ANSI code page 936. Wine takes it from the
# Linux locale, which must exist for file names to stay UTF-8; it is built privately here.
localedef -i zh_CN -f UTF-8 "$scratch/locale/zh_CN.UTF-8" >/dev/null 2>&1 || true
[ -f "$scratch/locale/zh_CN.UTF-8/LC_CTYPE" ] ||
    cannot_run "the zh_CN.UTF-8 locale cannot be built (localedef, package locales)"
wine_env=(env LOCPATH="$scratch/locale" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)
cleanup() {
    "$wineserver" -k >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT

if ! timeout 300 "${wine_env[@]}" "$wine" wineboot -i >"$scratch/wineboot.log" 2>&1; then
    tail -n 20 "$scratch/wineboot.log" >&2
    cannot_run "wineboot failed to create a prefix"
fi
timeout 120 "$wineserver" -w || cannot_run "the Wine server did not settle"
[ -d "$WINEPREFIX/drive_c/windows" ] || cannot_run "wineboot left no drive_c/windows in the prefix"
# A second fixed drive, D:, as most Windows machines have; Wine's DefineDosDeviceW gives
# none that works.
mkdir -p "$scratch/drive_d"
ln -s "$scratch/drive_d" "$WINEPREFIX/dosdevices/d:"

# Chinese text needs a CJK font: the one Linux has stands in for Windows' own, under the
# name the program asks for.
for font in /usr/share/fonts/truetype/wqy/wqy-microhei.ttc; do
    [ -f "$font" ] && ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
done
"${wine_env[@]}" "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Microsoft YaHei" \
    /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1 || true

# One line per suite; the sums go into the closing line.
total_passed=0 total_failed=0 total_skipped=0
suite_passed=0 suite_failed=0 suite_skipped=0
begin_suite() { suite=$1 suite_passed=0 suite_failed=0 suite_skipped=0; }
check() { # description command...: passes when the command succeeds
    local what=$1
    shift
    if "$@"; then
        suite_passed=$((suite_passed + 1))
    else
        suite_failed=$((suite_failed + 1))
        say "$suite: FAILED: $what"
    fi
}
end_suite() {
    echo "wine $suite: $suite_passed passed, $suite_failed failed, $suite_skipped skipped"
    total_passed=$((total_passed + suite_passed)) total_failed=$((total_failed + suite_failed))
    total_skipped=$((total_skipped + suite_skipped))
}
in_wine() { (cd "$scratch/run" && timeout "${WINE_TIMEOUT:-300}" "${wine_env[@]}" "$wine" "$@"); }
settle() { timeout 120 "$wineserver" -w || true; }

if wanted platform; then
    begin_suite platform
    say "running $(basename "$exe") under $("$wine" --version 2>/dev/null || echo Wine)"
    set +e
    WINE_TIMEOUT=900 in_wine "$exe" --gtest_color=no 2>&1 | tee "$scratch/tests.log" >&2
    status=${PIPESTATUS[0]}
    set -e
    # gtest ends with "[  PASSED  ] N tests." and, if any failed, "[  FAILED  ] N tests". A
    # runner that died early prints neither; that counts as a failure too.
    suite_passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$scratch/tests.log" | tail -n 1)
    suite_skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) test.*/\1/p' "$scratch/tests.log" | tail -n 1)
    suite_failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$scratch/tests.log" | tail -n 1)
    suite_passed=${suite_passed:-0} suite_skipped=${suite_skipped:-0} suite_failed=${suite_failed:-0}
    [ "$status" -ne 124 ] || say "the platform suite timed out"
    if [ "$status" -ne 0 ] && [ "$suite_failed" -eq 0 ]; then
        say "the platform suite ended with status $status"
        suite_failed=1
    fi
    end_suite
fi

win64=$root/build-win64
program_files="$WINEPREFIX/drive_c/Program Files/Merivane"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Merivane'
reg_value() { # key name: the value's data as reg query prints it, or nothing
    in_wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]* *//p" || true
}
key_value() { reg_value "$uninstall_key" "$1"; } # name, of Merivane's Uninstall key
portable=$scratch/portable
shots=$win64/wine-window
unpack_portable() {
    if [ ! -d "$portable/Merivane" ]; then
        mkdir -p "$portable"
        python3 -m zipfile -e "$win64/Merivane-win64.zip" "$portable"
        rm -rf "$shots"
    fi
}
window_env=(env WINE="$wine" WINESERVER="$wineserver" "${wine_env[@]}")

window_suite() {
    begin_suite window
    unpack_portable
    # On a display of its own: the window must appear at its fixed size, and each page open
    # at a click on its button; a screenshot of each goes to build-win64/wine-window/.
    check "the window appears and every page opens" "${window_env[@]}" \
        scripts/own-display.sh scripts/windows/show-window.sh "$portable/Merivane" "$shots"
    check "a screenshot of each page" test "$(ls "$shots" 2>/dev/null | wc -l)" -eq 8
    log=$portable/Merivane/application.log
    check "application.log was written" test -s "$log"
    check "no QML page failed to load" bash -c "! grep -E 'qrc:/.*\\.qml:[0-9]+|is not installed|plugin .* not found|加载失败' '$log' >&2"
    check "Chinese in the log is UTF-8" bash -c "iconv -f UTF-8 -t UTF-8 '$log' >/dev/null && ! grep -q '????' '$log'"
    end_suite
}

if [ -n "$no_program" ]; then
    for skipped_suite in installer window cdrive uninstall; do
        if wanted "$skipped_suite"; then
            begin_suite "$skipped_suite"
            suite_skipped=1
            end_suite
        fi
    done
elif wanted installer; then
    begin_suite installer
    check "the silent install ends well" in_wine "$win64/Merivane-Setup.exe" /S
    settle
    check "Merivane.exe is in Program Files" test -f "$program_files/Merivane.exe"
    check "merivane-cli.exe is in Program Files" test -f "$program_files/merivane-cli.exe"
    check "the uninstaller is in Program Files" test -f "$program_files/Uninstall.exe"
    check "the Start-menu entry" test -f \
        "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Merivane.lnk"
    check "DisplayName" test "$(key_value DisplayName)" = Merivane
    check "DisplayIcon" test "$(key_value DisplayIcon)" = 'C:\Program Files\Merivane\Merivane.exe,0'
    check "InstallLocation" test "$(key_value InstallLocation)" = 'C:\Program Files\Merivane'
    check "InstallDate is today" test "$(key_value InstallDate)" = "$(date +%Y%m%d)"
    check "UninstallString" test "$(key_value UninstallString)" = '"C:\Program Files\Merivane\Uninstall.exe"'
    size=$(key_value EstimatedSize)
    kib=$(du -sk --apparent-size "$program_files" | cut -f1 || echo 0)
    check "EstimatedSize ($size) is the folder's size in KiB ($kib)" \
        test $((size)) -gt $((kib * 9 / 10)) -a $((size)) -le $((kib + 64))
    # The window runs while the program is installed, so its uninstall page lists it.
    if wanted window; then
        saved=("$suite" "$suite_passed" "$suite_failed" "$suite_skipped")
        window_suite
        suite=${saved[0]} suite_passed=${saved[1]} suite_failed=${saved[2]} suite_skipped=${saved[3]}
    fi
    # What the program leaves beside itself as it runs goes too (the silent uninstaller
    # answers yes); a file of the user's own would stay, and with it the folder.
    if [ -d "$program_files" ]; then
        for left in application.log app.log config.ini 20261211093000.dmp; do
            echo "left by a run" >"$program_files/$left"
        done
    fi
    check "the silent uninstall ends well" in_wine "$program_files/Uninstall.exe" /S
    settle
    check "nothing remains in Program Files" test ! -e "$program_files"
    check "the Uninstall key is gone" test -z "$(key_value DisplayName)"
    check "the Start-menu entry is gone" test ! -e \
        "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Merivane.lnk"
    # A file the user put into the folder is never the uninstaller's to delete.
    in_wine "$win64/Merivane-Setup.exe" /S || true
    settle
    if [ -d "$program_files" ]; then
        echo "mine" >"$program_files/我的笔记.txt"
    fi
    in_wine "$program_files/Uninstall.exe" /S || true
    settle
    check "a file of the user's own stays" test "$(cat "$program_files/我的笔记.txt" 2>/dev/null)" = mine
    check "only it stays" test "$(ls -A "$program_files" 2>/dev/null)" = 我的笔记.txt
    end_suite
fi
if [ -z "$no_program" ] && wanted window && ! wanted installer; then
    window_suite
fi

# The C-drive page as a user drives it, with the tiles ticked by default (the system's and
# the user's temporary files): the junk put into %TEMP% goes, and not one other file of
# drive C:, those of the unticked tiles' folders included.
tree_of_c() { (cd "$WINEPREFIX/drive_c" && find . -type f -printf '%P\n' | LC_ALL=C sort); }
if [ -z "$no_program" ] && wanted cdrive; then
    begin_suite cdrive
    unpack_portable
    temp=$(in_wine cmd /c echo %TEMP% | tr -d '\r')
    temp=$(in_wine winepath -u "$temp" | tr -d '\r')
    # The ticked folders hold the junk alone.
    find "$temp" "$WINEPREFIX/drive_c/windows/temp" -mindepth 1 -delete 2>/dev/null || true
    junk=("$temp/merivane-junk/a.tmp" "$temp/merivane-junk/缓存/深层/文件.dat" "$temp/旧安装包.log")
    for file in "${junk[@]}"; do
        mkdir -p "$(dirname "$file")"
        head -c 4096 /dev/urandom >"$file"
    done
    mkdir -p "$WINEPREFIX/drive_c/windows/logs"
    echo keep >"$WINEPREFIX/drive_c/windows/logs/未勾选的日志.log"
    echo keep >"$WINEPREFIX/drive_c/users/Public/keep.txt"
    tree_of_c >"$scratch/c-before"
    check "the window scans and cleans the C-drive page" "${window_env[@]}" \
        scripts/own-display.sh scripts/windows/clean-cdrive.sh "$portable/Merivane" "$shots"
    tree_of_c >"$scratch/c-after"
    LC_ALL=C comm -23 "$scratch/c-before" "$scratch/c-after" >"$scratch/c-deleted"
    for file in "${junk[@]}"; do
        realpath -m --relative-to="$WINEPREFIX/drive_c" "$file"
    done | LC_ALL=C sort >"$scratch/c-junk"
    check "exactly the junk was deleted" diff "$scratch/c-junk" "$scratch/c-deleted"
    check "an unticked tile's folder kept its file" \
        test "$(cat "$WINEPREFIX/drive_c/windows/logs/未勾选的日志.log" 2>/dev/null)" = keep
    end_suite
fi

# Real uninstallers as the uninstall page starts them, through the command line's uninstall
# (the page's engine and its shell start, without a window to click): a product Windows
# Installer registered itself ("MsiExec.exe /I{product}") must go, and a .bat in a folder
# with a blank must run through cmd with its parameters.
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
uninstall_entry() { echo "$uninstall_root\\$1"; }
if [ -z "$no_program" ] && wanted uninstall; then
    begin_suite uninstall
    unpack_portable
    cli=$portable/Merivane/merivane-cli.exe
    msi=$scratch/msi
    mkdir -p "$msi"
    echo fixture >"$msi/hello.txt"
    product='{7A1C2E5B-3D4F-4A6B-9C8D-0E1F2A3B4C5D}'
    msi_folder="$WINEPREFIX/drive_c/Program Files/MerivaneMsiFixture"
    (cd "$msi" && wixl -a x64 -o fixture.msi "$root/scripts/windows/msi-fixture.wxs" 2>/dev/null)
    in_wine msiexec /i "$(in_wine winepath -w "$msi/fixture.msi" | tr -d '\r')" /qn || true
    settle
    check "the Windows Installer product is installed" test -f "$msi_folder/hello.txt"
    check "Windows Installer registered /I for it" \
        test "$(reg_value "$(uninstall_entry "$product")" UninstallString)" = "MsiExec.exe /I$product"
    "${window_env[@]}" timeout 300 scripts/own-display.sh "$wine" "$cli" software uninstall \
        MerivaneMsiFixture --yes >"$scratch/msi-uninstall.log" 2>&1 || true
    settle
    check "the uninstall removed the product's files" test ! -e "$msi_folder/hello.txt"
    check "the uninstall removed the product's key" bash -c \
        "! ${wine_env[*]} '$wine' reg query '$(uninstall_entry "$product")' >/dev/null 2>&1"

    bat_folder="$WINEPREFIX/drive_c/Bat Fixture"
    mkdir -p "$bat_folder"
    printf '@echo off\r\necho %%1 > C:\\bat-ran.txt\r\n' >"$bat_folder/remove.bat"
    in_wine reg add "$(uninstall_entry BatFixture)" /v DisplayName /d BatFixture /f >/dev/null 2>&1
    in_wine reg add "$(uninstall_entry BatFixture)" /v UninstallString \
        /d 'C:\Bat Fixture\remove.bat /quiet' /f >/dev/null 2>&1
    in_wine "$cli" software uninstall BatFixture --yes >"$scratch/bat-uninstall.log" 2>&1 || true
    settle
    check "the .bat ran through cmd with its parameter" \
        test "$(tr -d '\r ' <"$WINEPREFIX/drive_c/bat-ran.txt" 2>/dev/null)" = /quiet
    end_suite
fi

# One plain closing line, so the sum is the last thing a reader (or CI) sees.
echo "wine: $total_passed passed, $total_failed failed, $total_skipped skipped"
[ "$total_failed" -eq 0 ]
