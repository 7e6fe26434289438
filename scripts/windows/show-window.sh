#!/usr/bin/env bash
# show-window.sh FOLDER SHOTS: starts Merivane.exe from FOLDER under Wine on the current
# display, waits for its window, then clicks each page of the navigation column in turn and
# saves a screenshot of each in the folder SHOTS (0-home.png, 1-cclean.png, ...). Fails when
# no window appears, or when a click leaves the window looking as before (the page did not
# open).
set -euo pipefail
folder=$1 shots=$2
source "$(dirname "$0")/window-lib.sh"
mkdir -p "$shots"
start_window "$folder"

pages=(home cclean wechat qq largefile duplicates privacy uninstall)
previous=
status=0
for i in "${!pages[@]}"; do
    open_page "$i"
    sleep 3
    shot=$shots/$i-${pages[$i]}.png
    import -window root "$shot"
    sum=$(md5sum <"$shot")
    if [ "$sum" = "$previous" ]; then
        echo "show-window: the ${pages[$i]} page did not open" >&2
        status=1
    fi
    previous=$sum
done
exit "$status"
