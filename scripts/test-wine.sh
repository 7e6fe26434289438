#!/usr/bin/env bash
# Cross-builds the platform layer and its test suite for 64-bit Windows with mingw-w64 and
# runs the suite under Wine, in a fresh Wine prefix that is thrown away afterwards. Also
# cross-builds the 32-bit platform library, the architecture the program ships as.
# Fails (never passes silently) when Wine cannot run here.
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

say "running $(basename "$exe") under $("$wine" --version 2>/dev/null || echo Wine)"
set +e
(cd "$scratch/run" && timeout 900 "${wine_env[@]}" "$wine" "$exe" --gtest_color=no) 2>&1 | tee "$scratch/tests.log"
status=${PIPESTATUS[0]}
set -e

# gtest ends with "[  PASSED  ] N tests." and, if any failed, "[  FAILED  ] ...". A runner
# that died early prints neither; that counts as a failure too.
if [ "$status" -eq 124 ]; then
    say "the test suite timed out"
    exit 1
fi
if [ "$status" -ne 0 ] || grep -q '^\[  FAILED  \]' "$scratch/tests.log" ||
    ! grep -q '^\[  PASSED  \] [1-9]' "$scratch/tests.log"; then
    say "the platform tests failed under Wine (exit $status)"
    exit 1
fi
# One plain closing line, so the summary is the last thing a reader (or CI) sees.
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$scratch/tests.log" | tail -n 1)
skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) test.*/\1/p' "$scratch/tests.log" | tail -n 1)
echo "wine: ${passed:-0} passed, 0 failed, ${skipped:-0} skipped"
