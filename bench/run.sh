#!/usr/bin/env bash
# bench/run.sh NAME: builds benchmark NAME (bench/NAME/) in release mode and runs it.
# It prints one "figure: value" line per figure.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: bench/run.sh NAME}
shift
# A benchmark is a folder with a main.cpp (bench/support is none).
[ -f "bench/$name/main.cpp" ] || { echo "no benchmark named $name (see bench/)" >&2; exit 2; }
bash scripts/setup.sh --bench
dir=build-bench
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$dir" --target "bench_$name" --parallel "$(nproc)" >/dev/null
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$dir/bench/bench_$name" "$@"
fi
exec "$dir/bench/bench_$name" "$@"
