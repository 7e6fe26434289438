#!/usr/bin/env bash
# Configures and builds into build/ (or build-asan/ with --sanitize). Incremental.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    args=(-DCMAKE_BUILD_TYPE=Debug -DMERIVANE_SANITIZE=ON)
fi
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "${args[@]}" >&2
fi
# Build output goes to stderr: callers read the folder name from stdout.
cmake --build "$dir" --parallel "$(nproc)" >&2
echo "$dir"
