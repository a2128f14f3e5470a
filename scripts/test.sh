#!/usr/bin/env bash
# Builds all presets and the Windows packages, and runs every test: the
# native unit tests and fuzz runs, then the Windows tests, end-to-end runs and
# the installer under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/bootstrap.sh
source scripts/wine-env.sh
source scripts/display.sh

logs=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; tq_stop_display; rm -rf "$logs"' EXIT

for preset in native win64 win32; do
  echo "== build: $preset"
  cmake --preset "$preset" >"$logs/configure-$preset.log" || { cat "$logs/configure-$preset.log"; exit 1; }
  cmake --build --preset "$preset"
done

echo "== packages: dist/"
bash scripts/package.sh

echo "== tests: native"
ctest --preset native | tee "$logs/native.log"

echo "== fuzzing: settings reader"
cmake --preset fuzz >"$logs/configure-fuzz.log" || { cat "$logs/configure-fuzz.log"; exit 1; }
cmake --build --preset fuzz
ctest --preset fuzz | tee "$logs/fuzz.log"

echo "== tests: win64 under Wine"
tq_start_display
tq_init_prefix
tq_keep_server
ctest --preset win64 | tee "$logs/win64.log"

# One closing line over both runs.
passed=0
failed=0
for log in "$logs/native.log" "$logs/fuzz.log" "$logs/win64.log"; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*, ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
