#!/usr/bin/env bash
# Builds Merivane and starts it on a sample Windows profile in a new temporary folder:
# drives C: and D:, a registry file and a user profile full of junk
# (scripts/sample_profile.py). The folder is kept so the effect of a clean can be
# inspected; its path is printed. Pass a folder to use it instead: a new or empty one gets
# a new profile, one that holds a profile is reused as it is.
#     bash scripts/sample-profile.sh /tmp/my-profile
# Without a display the program runs under a virtual one. bash scripts/start.sh does the
# same with one lasting profile.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/launch.sh
build_program
root=${1:-$(mktemp -d -t merivane-profile.XXXXXX)}
use_sample_profile "$root"
echo "sample profile: $root"
if ! has_display; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi
exec "$program"
