#!/usr/bin/env bash
# Benchmark of the settings file under Wine; prints a table of figures.
#   scripts/benchmark.sh [largest N for the profile functions, default 1000]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target bench_settings >/dev/null
scripts/wine-run.sh build/win64/bench_settings.exe "$@"
