#!/usr/bin/env bash
# Installs what is missing, builds, and runs the test suite through CTest under a virtual
# display. --sanitize (first) builds and runs it with AddressSanitizer + UBSan; the other
# arguments go to CTest, e.g. -R cclean runs only the tests whose names match.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=()
if [ "${1:-}" = "--sanitize" ]; then
    build=(--sanitize)
    shift
fi
dir=$(bash scripts/build.sh "${build[@]}" | tail -n 1)
# Under xvfb the xcb platform with Mesa renders QQuickWidget pages, effects included.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$dir"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 600 -j "$(nproc)" "$@"
