#!/usr/bin/env bash
# Installs what is missing, builds, and starts Merivane on the sample Windows profile in
# ${XDG_DATA_HOME:-$HOME/.local/share}/merivane/sample-profile: drives C: and D: full of
# junk, built on the first start and kept, so settings and cleans persist between starts.
#   --reset         builds the sample profile again from scratch
#   --this-machine  maps drive C: onto this machine ("/") with the real registry file
#                   instead: a clean then deletes this machine's files
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/launch.sh

usage() {
    echo "usage: bash scripts/start.sh [--reset | --this-machine]"
}
mode=sample
reset=()
for arg in "$@"; do
    case $arg in
        --reset) reset=(--reset) ;;
        --this-machine) mode=this-machine ;;
        -h | --help) usage; exit 0 ;;
        *) echo "start: unknown option $arg" >&2; usage >&2; exit 1 ;;
    esac
done
if [ "$mode" = this-machine ] && [ ${#reset[@]} -gt 0 ]; then
    echo "start: --reset is for the sample profile; --this-machine does not use it" >&2
    exit 1
fi

build_program
if ! has_display; then
    cat >&2 <<MSG
start: there is no display (DISPLAY and WAYLAND_DISPLAY are unset), so the window cannot open.
Run it on a desktop session, or under a virtual display:
    xvfb-run -a -s "-screen 0 1280x800x24" bash scripts/start.sh${*:+ $*}
MSG
    exit 2
fi

if [ "$mode" = this-machine ]; then
    unset MERIVANE_DRIVES MERIVANE_REGISTRY
    echo "start: drive C: is this machine's /; a clean deletes its files" >&2
    exec build/app/Merivane
fi
root=${XDG_DATA_HOME:-$HOME/.local/share}/merivane/sample-profile
use_sample_profile "$root" "${reset[@]}"
echo "start: sample profile in $root (--reset builds it again; --this-machine maps C: onto this machine)" >&2
exec "$program"
