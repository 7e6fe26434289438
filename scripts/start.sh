#!/usr/bin/env bash
# Installs what is missing, builds, and starts Merivane.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<MSG
start: there is no display (DISPLAY and WAYLAND_DISPLAY are unset), so the window cannot open.
Run it on a desktop session, or under a virtual display:
    xvfb-run -a -s "-screen 0 1280x800x24" build/app/Merivane
MSG
    exit 2
fi
exec build/app/Merivane "$@"
