#!/usr/bin/env bash
# Builds TQ.EXE and runs it under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/bootstrap.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tq
status=0
scripts/wine-run.sh build/win64/TQ.EXE "$@" || status=$?
echo "TQ.EXE ended with exit code $status"
