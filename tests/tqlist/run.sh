#!/usr/bin/env bash
# The console lister end to end on fixture files with fixed dates.
#   run.sh native PATH-TO-tqlist
#   run.sh wine   PATH-TO-TQLIST.EXE   (through the Wine wrapper)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
mode=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Runs the lister on a file of this folder (or the work folder) with options.
list() {
  local file=$1
  shift
  if [ "$mode" = wine ]; then
    "$root/scripts/wine-run.sh" "$program" "$@" "Z:${file//\//\\}"
  else
    "$program" "$@" "$file"
  fi
}

check() { # name expected-status expected-output actual-status actual-output
  if [ "$2" != "$4" ] || [ "$3" != "$5" ]; then
    echo "FAIL $1: exit $4 (expected $2)"
    diff <(printf '%s\n' "$3") <(printf '%s\n' "$5") | head -20
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

all=$(list "$here/worked.ini" --today 2026-06-10 --all); status=$?
check "all entries on 10 June 2026" 0 "$(cat "$here/expected-all.txt")" $status "$all"

due=$(list "$here/worked.ini" --today 2026-06-10); status=$?
check "due entries only" 0 "$(grep -P '\tdue\t' "$here/expected-all.txt")" $status "$due"

christmas=$(list "$here/worked.ini" --today 2026-12-23 | cut -f1-3); status=$?
check "due on 23 December 2026" 0 "1	due	Wednesday December 23, 2026
2	due	Monday December 21, 2026
4	due	Monday December 28, 2026
5	due	Monday December 21, 2026
6	due	Friday December 25, 2026" $status "$christmas"

out=$(list "$work/none.ini" --all); status=$?
check "no file lists nothing" 0 "" $status "$out"
[ -e "$work/none.ini" ] && { echo "FAIL the lister created a file"; failures=$((failures + 1)); }

printf '[Options]\nEntries=2\n[1]\nActive=1\nAgain=34590\nMessage=start-up\n' >"$work/again.ini"
out=$(list "$work/again.ini" --today 2026-06-10 --all); status=$?
check "missing section lists as switched off" 0 "1	due	Wednesday June 10, 2026	start-up
2	-	Wednesday June 10, 2026	" $status "$out"

if [ "$mode" = native ]; then
  out=$("$program" --help); status=$?
  check "--help" 0 "$(printf 'usage: tqlist [--today YYYY-MM-DD] [--all] [SETTINGS-FILE]')" $status "$(head -n 1 <<<"$out")"
  for bad in "--today 2026-02-30" "--today 2026-6-10" "--today" "--frobnicate" "a.ini b.ini"; do
    out=$("$program" $bad 2>&1); status=$?
    check "refuses $bad" 2 "tqlist:" $status "$(head -c 7 <<<"$out")"
  done
  printf '[Options]\nEntries=-1\n' >"$work/fatal.ini"
  out=$("$program" "$work/fatal.ini" 2>&1); status=$?
  check "negative entry count" 1 "TQ fatal error: Not enough memory" $status "$out"
  (cd "$work" && printf '[Options]\nEntries=1\n[1]\nActive=1\nMessage=default file\n' >TQ.INI &&
    "$program" --today 2026-06-10 >"$work/default.out"); status=$?
  check "default file in the current directory" 0 "1	due	Wednesday June 10, 2026	default file" $status "$(cat "$work/default.out")"
fi

[ $failures -eq 0 ]
