#!/usr/bin/env bash
# Cross-builds Merivane for 64-bit Windows into build-win64/ with mingw-w64 and the static
# Qt of ../shared/qt5-mingw64.tar.xz, then packages it:
#   build-win64/Merivane-win64.zip    the portable folder (Merivane.exe, merivane-cli.exe)
#   build-win64/Merivane-Setup.exe    the installer (NSIS)
# Exits with 3 when the Qt archive is nowhere to be found. Incremental. The Qt prefix is
# unpacked once per machine into a cache outside the
# repository ($MERIVANE_CACHE, by default ~/.cache/merivane), checked against its checksum.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}
say() { echo "build-windows: $*" >&2; }

bash scripts/setup.sh --windows

# The archive lies in the workplace's shared folder beside the repository, or beside the
# repository this one was cloned from; $MERIVANE_QT_ARCHIVE names it anywhere else.
find_archive() {
    local candidates=("${MERIVANE_QT_ARCHIVE:-}" "$root/../shared/qt5-mingw64.tar.xz")
    local origin
    origin=$(git -C "$root" remote get-url origin 2>/dev/null || true)
    [ -z "$origin" ] || [ ! -d "$origin" ] || candidates+=("$origin/../shared/qt5-mingw64.tar.xz")
    for candidate in "${candidates[@]}"; do
        if [ -n "$candidate" ] && [ -f "$candidate" ] && [ -f "$candidate.sha256" ]; then
            realpath "$candidate"
            return 0
        fi
    done
    return 1
}
# Exit status 3: no static Qt for Windows anywhere here (callers may skip what needs it).
archive=$(find_archive) || { say "no qt5-mingw64.tar.xz found (set MERIVANE_QT_ARCHIVE)"; exit 3; }
cache=${MERIVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/merivane}
qt=$cache/qt5-mingw64
sum=$(cut -d' ' -f1 "$archive.sha256")
if [ "$(cat "$cache/qt5-mingw64.sha256" 2>/dev/null)" != "$sum" ]; then
    say "checking and unpacking $(basename "$archive") into $cache"
    echo "$sum  $archive" | sha256sum -c --quiet - || { say "checksum mismatch: $archive"; exit 1; }
    rm -rf "$qt" "$cache/qt5-mingw64.sha256"
    mkdir -p "$cache"
    tar -xJf "$archive" -C "$cache"
    echo "$sum" >"$cache/qt5-mingw64.sha256"
fi

dir=build-win64
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64-qt.cmake" \
        -DMERIVANE_QT_MINGW="$qt" >&2
fi
cmake --build "$dir" --parallel "$jobs" --target Merivane merivane-cli ${MERIVANE_WINDOWS_TARGETS:-} >&2

# The portable folder: both executables, stripped (the runtime and Qt are linked in).
version=$(sed -n 's/^project(Merivane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
package=$dir/package
rm -rf "$package"
mkdir -p "$package/Merivane"
for exe in Merivane merivane-cli; do
    file=$(find "$dir" -name "$exe.exe" -type f -not -path "$package/*" -print -quit)
    x86_64-w64-mingw32-strip -o "$package/Merivane/$exe.exe" "$file"
done
cp resources/Merivane/Merivane.ico "$package/"
rm -f "$dir/Merivane-win64.zip"
(cd "$package" && cmake -E tar cf "$root/$dir/Merivane-win64.zip" --format=zip Merivane)

# The uninstaller removes what was installed by name, never by wildcard: the files, then
# their folders, deepest first.
(cd "$package/Merivane" &&
    find . -mindepth 1 -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|    Delete "$INSTDIR\\&"|' &&
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|    RMDir "$INSTDIR\\&"|') \
    >"$package/installed-files.nsh"
makensis -V2 -DSOURCE="$root/$package/Merivane" -DVERSION="$version" \
    -DOUTFILE="$root/$dir/Merivane-Setup.exe" scripts/windows/Merivane.nsi >&2
say "$dir/Merivane-win64.zip $(du -h "$dir/Merivane-win64.zip" | cut -f1), $dir/Merivane-Setup.exe $(du -h "$dir/Merivane-Setup.exe" | cut -f1)"
