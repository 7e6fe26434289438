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
# Each test opens its windows on a virtual display of its own (scripts/own-display.sh): the
# xcb platform with Mesa renders QQuickWidget pages there, effects included.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$dir"
ctest --output-on-failure --timeout 600 -j "$(nproc)" "$@"
