#!/usr/bin/env bash
# show-window.sh FOLDER SHOTS: starts Merivane.exe from FOLDER under Wine ($WINE, $WINESERVER
# and the prefix from the environment) on the current display, waits for its window at its
# fixed size, lets the home page draw, then clicks each page of the navigation column in turn
# and saves a screenshot of each in the folder SHOTS (0-home.png, 1-cclean.png, ...). Ends
# the program. Fails when no such window appears within two minutes, or when a click leaves
# the window looking as before (the page did not open).
set -euo pipefail
folder=$1 shots=$2
mkdir -p "$shots"
(cd "$folder" && exec "$WINE" Merivane.exe >/dev/null 2>&1) &
program=$!
end() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    wait "$program" 2>/dev/null || true
}
trap end EXIT

geometry=
for _ in $(seq 120); do
    geometry=$(xwininfo -root -tree 2>/dev/null | grep -o ' 1202x770+[0-9]*+[0-9]*' | head -n 1 || true)
    [ -z "$geometry" ] || break
    sleep 1
done
[ -n "$geometry" ] || { echo "show-window: no 1202x770 window appeared" >&2; exit 1; }
x=$(echo "$geometry" | cut -d+ -f2) y=$(echo "$geometry" | cut -d+ -f3)
sleep 8

# The navigation column: one button every 54 pixels from the home page's, 85 pixels down.
pages=(home cclean wechat qq largefile duplicates privacy uninstall)
previous=
status=0
for i in "${!pages[@]}"; do
    xdotool mousemove $((x + 115)) $((y + 85 + 54 * i)) click 1
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
