# Sourced by the scripts that drive Merivane.exe under Wine on the current display
# ($WINE, $WINESERVER and the prefix from the environment).

# start_window FOLDER: starts Merivane.exe from FOLDER, waits up to two minutes for its window
# at its fixed size and sets x and y to the window's corner; fails when none appears. The
# program ends with the calling script.
start_window() {
    (cd "$1" && exec "$WINE" Merivane.exe >/dev/null 2>&1) &
    window_program=$!
    trap end_window EXIT
    local geometry=
    for _ in $(seq 120); do
        geometry=$(xwininfo -root -tree 2>/dev/null | grep -o ' 1202x770+[0-9]*+[0-9]*' | head -n 1 || true)
        [ -z "$geometry" ] || break
        sleep 1
    done
    [ -n "$geometry" ] || { echo "$(basename "$0"): no 1202x770 window appeared" >&2; return 1; }
    x=$(echo "$geometry" | cut -d+ -f2) y=$(echo "$geometry" | cut -d+ -f3)
    # Let the home page draw.
    sleep 8
}

end_window() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    wait "$window_program" 2>/dev/null || true
}

# click X Y: a left click at that point of the window.
click() {
    xdotool mousemove $((x + $1)) $((y + $2)) click 1
}

# The navigation column: one button every 54 pixels from the home page's, 85 pixels down.
open_page() { # index: 0 home, 1 C drive, ... 7 uninstall
    click 115 $((85 + 54 * $1))
}
