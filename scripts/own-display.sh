#!/usr/bin/env bash
# Runs a command on a virtual display of its own. Tests run side by side: on one shared
# display their windows would open over each other, and one test's window would take the
# pointer, the hover and the focus another test is checking.
set -euo pipefail
fifo=$(mktemp -u "${TMPDIR:-/tmp}/display.XXXXXX")
mkfifo "$fifo"
# -displayfd: the server picks a free display number itself, so parallel starts never race.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
server=$!
stop() { kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$fifo"; }
trap stop EXIT
trap 'exit 143' TERM INT
read -r number <"$fifo"
status=0
DISPLAY=":$number" "$@" || status=$?
exit "$status"
