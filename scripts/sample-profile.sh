#!/usr/bin/env bash
# Builds Merivane and starts it on a sample Windows profile in a temporary folder: drives
# C: and D:, a registry file and a user profile full of junk (scripts/sample_profile.py).
# The folder is kept so the effect of a clean can be inspected; its path is printed.
# Pass a folder to reuse it: bash scripts/sample-profile.sh /tmp/my-profile
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null
root=${1:-$(mktemp -d -t merivane-profile.XXXXXX)}
eval "$(python3 scripts/sample_profile.py "$root")"
echo "sample profile: $root"
# Settings of the sample profile stay in the sample folder: the program keeps config.ini
# beside its executable, so run a copy that lives there.
mkdir -p "$root/bin"
cp build/app/Merivane "$root/bin/Merivane"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/bin/Merivane"
fi
exec "$root/bin/Merivane"
