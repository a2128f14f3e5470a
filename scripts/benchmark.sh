#!/usr/bin/env bash
# Benchmarks under Wine; prints tables of figures, asserts nothing.
#   scripts/benchmark.sh [largest N for the profile functions, default 1000]
# 1. The settings file: the settings document, the Win32 profile functions
#    making the same calls, and the floor of one read and one write.
# 2. Whole runs of TQ.EXE (start, load, a check with nothing due, end) beside
#    an empty Win32 program started the same way.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tq bench_settings empty_program >/dev/null
source scripts/wine-env.sh
source scripts/display.sh
tq_start_display
trap 'wineserver -k >/dev/null 2>&1 || true; tq_stop_display' EXIT
tq_init_prefix
wineserver -p

echo "== settings file"
wine build/win64/bench_settings.exe "$@"

echo
echo "== whole runs (median of 7, wall time in ms)"
work=$(mktemp -d)
python3 - "$work" <<'PY'
import sys
for n in (10, 1000, 10000):
    with open(f"{sys.argv[1]}/tq{n}.ini", "w", newline="") as f:
        f.write(f"[Options]\r\nTask bar=1\r\nTimer period=60000\r\nEntries={n}\r\n")
        for i in range(1, n + 1):
            f.write(f"\r\n[{i}]\r\nDay={i % 31 + 1}\r\nMonth=0\r\nYear=0\r\nBefore=2\r\nAfter=1\r\n"
                    f"Skip=0\r\nActive=0\r\nAgain=0\r\nMessage=Reminder {i}\\nsecond line\r\n")
PY
median_ms() {
  local times=() start end
  for _ in 1 2 3 4 5 6 7; do
    start=$(date +%s%N)
    wine "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 4p
}
empty=$(median_ms build/win64/empty_program.exe)
window=$(median_ms build/win64/empty_program.exe window)
printf '%-24s %8s %8s %14s\n' program ms ratio "ratio (window)"
printf '%-24s %8d %8s\n' "empty program" "$empty" 1.00
printf '%-24s %8d %8s %14s\n' "empty, one hidden window" "$window" \
  "$(python3 -c "print(f'{$window/$empty:.2f}')")" 1.00
for n in 10 1000 10000; do
  ms=$(median_ms build/win64/TQ.EXE "Z:${work//\//\\}\\tq$n.ini")
  printf '%-24s %8d %8s %14s\n' "TQ.EXE, $n entries" "$ms" "$(python3 -c "print(f'{$ms/$empty:.2f}')")" \
    "$(python3 -c "print(f'{$ms/$window:.2f}')")"
done
rm -rf "$work"
