#!/usr/bin/env bash
# Benchmarks; prints tables of figures and the goals with their ratios,
# asserts nothing.
#   scripts/benchmark.sh [largest N for the Win32 profile functions, default 1000]
# 1. Listing what is due (tqlist of the release build) beside Debian's remind
#    on the same reminders written as REM lines, at 1,000, 10,000 and 100,000
#    entries, with the peak memory of the largest.
# 2. The settings file natively: loading and saving against one plain read
#    and one plain write, and reading lines of hostile shapes.
# 3. The same under Wine, beside the Win32 profile functions.
# 4. Whole runs of TQ.EXE under Wine (start, load, nothing due, end) beside a
#    program that only creates one hidden window.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh remind hyperfine time python3
cmake --preset release >/dev/null
cmake --build --preset release --target tqlist bench_settings >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tq bench_settings empty_program >/dev/null

work=$(mktemp -d)
python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
for n in (1000, 10000, 100000):
    # Every day of the month in turn, two days of warning, one after.
    for name, active in (("tq", 1), ("off", 0)):
        with open(f"{work}/{name}{n}.ini", "w", newline="") as f:
            f.write(f"[Options]\r\nTask bar=1\r\nTimer period=60000\r\nEntries={n}\r\n")
            for i in range(1, n + 1):
                f.write(f"\r\n[{i}]\r\nDay={i % 31 + 1}\r\nMonth=0\r\nYear=0\r\nBefore=2\r\nAfter=1\r\n"
                        f"Skip=0\r\nActive={active}\r\nAgain=0\r\nMessage=Reminder number {i}\\nsecond line\r\n")
    # The same reminders for remind: that day of every month, two days ahead.
    with open(f"{work}/rem{n}.rem", "w") as f:
        for i in range(1, n + 1):
            f.write(f"REM {i % 31 + 1} +2 MSG Reminder number {i}%_second line\n")
PY
today=2026-06-10
ratio() { python3 -c "print(f'{$1 / $2:.2f}')"; }
verdict() { python3 -c "print('met' if $1 <= $2 else 'MISSED')"; }
median_of() { python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['results'][$2]['median'])" "$1"; }

echo "== listing what is due: tqlist (release build) beside remind -q, median of 30 runs"
printf '%-8s %12s %12s %8s\n' N "remind ms" "tqlist ms" ratio
declare -A listed
for n in 1000 10000 100000; do
  hyperfine -N -w 3 -r 30 --export-json "$work/h$n.json" \
    "remind -q $work/rem$n.rem $today" "build/release/tqlist --today $today $work/tq$n.ini" >/dev/null 2>&1
  remind_s=$(median_of "$work/h$n.json" 0)
  tq_s=$(median_of "$work/h$n.json" 1)
  listed[$n]=$tq_s
  printf '%-8s %12.1f %12.1f %8s   (goal at most 1.0x: %s)\n' "$n" "$(python3 -c "print($remind_s*1e3)")" \
    "$(python3 -c "print($tq_s*1e3)")" "$(ratio "$tq_s" "$remind_s")x" "$(verdict "$(ratio "$tq_s" "$remind_s")" 1.0)"
done
growth=$(ratio "${listed[100000]}" "${listed[10000]}")
echo "growth from 10,000 to 100,000 entries: ${growth}x (goal at most 11x: $(verdict "$growth" 11))"
peak_kb=$(/usr/bin/time -f '%M' build/release/tqlist --today $today "$work/tq100000.ini" 2>&1 >/dev/null | tail -n 1)
file_kb=$(($(stat -c %s "$work/tq100000.ini") / 1024))
memory=$(ratio "$peak_kb" "$file_kb")
echo "peak memory at 100,000 entries: $((peak_kb / 1024)) MiB for a $((file_kb / 1024)) MiB file: ${memory}x" \
  "(goal at most 3x: $(verdict "$memory" 3); the entry table alone is 28 MiB)"

echo
echo "== the settings file, natively (release build)"
build/release/bench_settings

source scripts/wine-env.sh
source scripts/display.sh
tq_start_display
trap 'wineserver -k >/dev/null 2>&1 || true; tq_stop_display; rm -rf "$work"' EXIT
tq_init_prefix
tq_keep_server
wine cmd /c exit >/dev/null 2>&1

echo
echo "== the settings file under Wine"
wine build/win64/bench_settings.exe "$@"

echo
echo "== whole runs under Wine (start, load, nothing due, end; median of 15, wall time in ms)"
# The programs take turns, round after round, so that a slow spell of the
# machine falls on all of them alike.
programs=(empty window 1000 10000 100000)
command_of() {
  case $1 in
  empty) echo build/win64/empty_program.exe ;;
  window) echo build/win64/empty_program.exe window ;;
  *) echo build/win64/TQ.EXE "Z:${work//\//\\}\\off$1.ini" ;;
  esac
}
declare -A runs
for _ in $(seq 15); do
  for program in "${programs[@]}"; do
    read -r -a command <<<"$(command_of "$program")"
    start=$(date +%s%N)
    wine "${command[@]}" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    runs[$program]+="$(((end - start) / 1000000)) "
  done
done
median_of_runs() { printf '%s\n' ${runs[$1]} | sort -n | sed -n 8p; }
empty=$(median_of_runs empty)
window=$(median_of_runs window)
printf '%-28s %8s %8s %16s\n' program ms ratio "ratio to window"
printf '%-28s %8d %8s\n' "empty program" "$empty" 1.00
printf '%-28s %8d %8s %16s\n' "empty, one hidden window" "$window" "$(ratio "$window" "$empty")" 1.00
declare -A whole
for n in 1000 10000 100000; do
  whole[$n]=$(median_of_runs $n)
  printf '%-28s %8d %8s %16s\n' "TQ.EXE, $n entries" "${whole[$n]}" "$(ratio "${whole[$n]}" "$empty")" \
    "$(ratio "${whole[$n]}" "$window")"
done
echo "TQ.EXE, 100,000 entries: $(python3 -c "print(${whole[100000]}/1000)") s (goal within 3 s:" \
  "$(verdict "${whole[100000]}" 3000))"
echo "TQ.EXE, 1,000 entries: $(ratio "${whole[1000]}" "$window")x the one-window program (goal at most 1.2x:" \
  "$(verdict "$(ratio "${whole[1000]}" "$window")" 1.2))"
