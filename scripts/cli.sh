#!/usr/bin/env bash
# Builds merivane-cli and runs it on the sample Windows profile that scripts/start.sh opens
# the window on (${XDG_DATA_HOME:-$HOME/.local/share}/merivane/sample-profile, built on the
# first use and kept), with the arguments given:
#     bash scripts/cli.sh cdrive scan
#     bash scripts/cli.sh largefiles move --to 'D:\大文件' --yes
# A clean here changes the sample profile, as one in the window does; start.sh --reset
# builds it again.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/launch.sh
build_program
root=${XDG_DATA_HOME:-$HOME/.local/share}/merivane/sample-profile
use_sample_profile "$root"
exec "$root/bin/merivane-cli" "$@"
