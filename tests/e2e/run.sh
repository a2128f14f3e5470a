#!/usr/bin/env bash
# End-to-end runs of the real TQ.EXE under Wine, driven by tqdriver.exe:
#   run.sh TQ.EXE tqdriver.exe
# Each scenario starts TQ processes (with a fixed clock where the date
# matters), works their windows from outside and checks exit codes and the
# settings file on disk.
set -uo pipefail
tq=$(realpath "$1")
driver=$(realpath "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"
tq_start_display || exit 1
tq_init_prefix
wine cmd /c exit >/dev/null 2>&1 # the prefix is up to date before any fake clock

work=$(mktemp -d)
cleanup() {
  if [ -n "${TQ_XVFB_PID:-}" ]; then wineserver -k >/dev/null 2>&1; fi
  tq_stop_display
  rm -rf "$work"
}
trap cleanup EXIT
source "$here/../check.sh"
DIALOG="TQ Windows Reminder"
TODAY="2026-06-10 09:30:00" # a Wednesday

winpath() { printf 'Z:%s' "${1//\//\\}"; }
tqw=$(winpath "$tq")

# start NAME ARGS...: TQ.EXE in the background on the fixed clock; its exit
# code lands in $work/NAME.status.
start() {
  local name=$1
  shift
  rm -f "$work/$name.status"
  (
    cd "$work" || exit
    tq_wine_at "$TODAY" "$tq" "$@" >"$work/$name.out" 2>&1
    echo $? >"$work/$name.status"
  ) &
}

# finished NAME [SECONDS]: prints the exit code, or "running".
finished() {
  local name=$1 seconds=${2:-30} tick
  for ((tick = 0; tick < seconds * 10; tick++)); do
    if [ -s "$work/$name.status" ]; then
      cat "$work/$name.status"
      return
    fi
    sleep 0.1
  done
  echo running
}

drive() { wine "$driver" "$@" 2>>"$work/driver.log"; }

entry() { # number day message
  printf '[%s]\r\nDay=%s\r\nMonth=0\r\nYear=0\r\nBefore=0\r\nAfter=0\r\nSkip=0\r\nActive=1\r\nAgain=0\r\nMessage=%s\r\n' "$1" "$2" "$3"
}
settings() { # file period entries...
  local file=$1 period=$2
  shift 2
  {
    printf '[Options]\r\nTask bar=1\r\nTimer period=%s\r\nEntries=%s\r\n' "$period" $#
    local n=1
    for message in "$@"; do
      entry $n 0 "$message"
      n=$((n + 1))
    done
  } >"$file"
}

echo "== no settings file, no switch"
rm -f "$WINEPREFIX/drive_c/windows/TQ.INI"
start none
check "ends at once with 0" 0 "$(finished none)"
check "creates no file" no "$([ -e "$WINEPREFIX/drive_c/windows/TQ.INI" ] && echo yes || echo no)"

echo "== a due entry"
settings "$work/due.ini" 60000 "Water the plants"
start due "$(winpath "$work/due.ini")"
drive wait "$DIALOG" 200
check "dialog shows the date" "Wednesday June 10, 2026" "$(drive text "$DIALOG" 200 | tr -d '\r')"
check "dialog shows the message" "Water the plants" "$(drive text "$DIALOG" 110 | tr -d '\r')"
drive settext "$DIALOG" 110 "Water the plants twice"
drive click "$DIALOG" 1
check "OK ends with 0" 0 "$(finished due)"
check "OK saved the message" 1 "$(grep -c 'Message=Water the plants twice' "$work/due.ini")"

echo "== a settings file that is a link, with links planted at temporary names"
settings "$work/real.ini" 60000 "Through the link"
ln -s real.ini "$work/linked.ini"
printf 'keep me' >"$work/victim"
ln -s victim "$work/real.ini.tq-new"
ln -s victim "$work/linked.ini.tq-new"
start linked "$(winpath "$work/linked.ini")"
drive wait "$DIALOG" 200
drive settext "$DIALOG" 110 "Saved through the link"
drive click "$DIALOG" 1
check "linked: ends with 0" 0 "$(finished linked)"
check "the link is still a link" yes "$([ -L "$work/linked.ini" ] && echo yes)"
check "its target got the text" 1 "$(grep -c 'Message=Saved through the link' "$work/real.ini")"
check "no planted link was written through" "keep me" "$(cat "$work/victim")"
check "no temporary file is left" 2 "$(ls "$work" | grep -c '\.tq-')"
rm -f "$work/linked.ini" "$work/real.ini" "$work"/*.tq-new "$work/victim"

echo "== remind me at a time already passed, short timer period"
settings "$work/repeat.ini" 1500 "Stretch"
start repeat "$(winpath "$work/repeat.ini")"
drive wait "$DIALOG" 200
drive click "$DIALOG" 505
drive spin "$DIALOG" 502 0
drive spin "$DIALOG" 504 0
drive click "$DIALOG" 1
drive gone "$DIALOG" 10
check "stays resident" running "$(finished repeat 1)"
check "answers the handshake while resident" 1 "$(drive post "$(winpath "$work/repeat.ini")" 0 && echo 1)"
check "the next tick shows the entry again" 0 "$(drive wait "$DIALOG" 200 20; echo $?)"
check "the repeat was saved before it was shown" 1 "$(grep -c 'Again=32768' "$work/repeat.ini")"
drive click "$DIALOG" 1
check "the tick after that ends it with 0" 0 "$(finished repeat 20)"

echo "== a second start on the same file while the first is resident"
settings "$work/shared.ini" 60000 "Shared"
settings "$work/other.ini" 60000 "Other"
start first "$(winpath "$work/shared.ini")"
drive wait "$DIALOG" 200
drive click "$DIALOG" 505
drive spin "$DIALOG" 502 23
drive spin "$DIALOG" 504 59
drive click "$DIALOG" 1
drive gone "$DIALOG" 10
start second "$(winpath "$work/shared.ini")"
check "the second start ends with 1" 1 "$(finished second)"
check "the first runs a check pass" 0 "$(drive wait "$DIALOG" 200 20; echo $?)"
start third /e "$(winpath "$work/shared.ini")"
check "a request while a dialog is open: the third ends with 1" 1 "$(finished third)"
sleep 2
check "no second dialog opens" 1 "$(drive count "$DIALOG" | tr -d '\r')"
start other "$(winpath "$work/other.ini")"
drive wait "$DIALOG" 200
sleep 1
check "a start on another file runs on its own" 2 "$(drive count "$DIALOG" | tr -d '\r')"
drive click "$DIALOG" 1
drive click "$DIALOG" 1
sleep 2
drive click "$DIALOG" 1
check "the other instance ends with 0" 0 "$(finished other 20)"
drive gone "$DIALOG" 10
start fourth /e "$(winpath "$work/shared.ini")"
check "a start with /e ends with 1" 1 "$(finished fourth)"
check "the first opens its editor" 0 "$(drive wait "$DIALOG" 111 20; echo $?)"
drive click "$DIALOG" 2
drive gone "$DIALOG" 10

echo "== Quit from the notification-area menu"
cp "$work/shared.ini" "$work/shared.before"
drive post "$(winpath "$work/shared.ini")" 0x111 803 0
check "Quit ends with 0" 0 "$(finished first 20)"
check "the file is byte for byte as it was" same "$(cmp -s "$work/shared.ini" "$work/shared.before" && echo same)"

echo "== the handshake answers only its exact parameters"
settings "$work/hand.ini" 60000 "Hand"
start hand "$(winpath "$work/hand.ini")"
drive wait "$DIALOG" 200
check "wrong first parameter: no atom" 0 "$(drive identify 19741 0xEE3FDA8D | tr -d '\r')"
check "wrong second parameter: no atom" 0 "$(drive identify 19740 0xEE3FDA8C | tr -d '\r')"
check "exact parameters: an atom" yes "$([ "$(drive identify 19740 0xEE3FDA8D | tr -d '\r')" != 0 ] && echo yes)"
drive click "$DIALOG" 1
check "ends with 0" 0 "$(finished hand)"

echo "== a negative entry count"
printf '[Options]\r\nEntries=-1\r\n' >"$work/fatal.ini"
start fatal "$(winpath "$work/fatal.ini")"
drive wait "TQ fatal error"
check "the box says Not enough memory" "Not enough memory" "$(drive text "TQ fatal error" 65535 | tr -d '\r')"
drive click "TQ fatal error" 1
check "then exit 1" 1 "$(finished fatal)"

echo "== /e with a path"
settings "$work/edit.ini" 60000 "First" "Second"
cp "$work/edit.ini" "$work/edit.before"
start edit /e "$(winpath "$work/edit.ini")"
drive wait "$DIALOG" 111
check "the editor opens on the first entry" "1 of 2" "$(drive text "$DIALOG" 111 | tr -d '\r')"
check "showing its message" "First" "$(drive text "$DIALOG" 110 | tr -d '\r')"
drive settext "$DIALOG" 110 "Not kept"
drive click "$DIALOG" 2
check "Cancel ends with 0" 0 "$(finished edit)"
check "Cancel leaves the file as it was" same "$(cmp -s "$work/edit.ini" "$work/edit.before" && echo same)"

echo "== a quoted path with a blank, and a path too long"
mkdir -p "$work/my files"
settings "$work/my files/quoted.ini" 60000 "Quoted"
# Wine quotes an argument with a blank in it, as a Windows shortcut would.
start quoted "$(winpath "$work/my files/quoted.ini")"
drive wait "$DIALOG" 200
drive settext "$DIALOG" 110 "Saved through quotes"
drive click "$DIALOG" 1
check "quoted path: ends with 0" 0 "$(finished quoted)"
check "quoted path: saved into the file" 1 "$(grep -c 'Saved through quotes' "$work/my files/quoted.ini")"
start long "C:\\$(printf 'x%.0s' {1..300}).ini"
drive wait "TQ fatal error"
check "too long: the box says so" "The settings file path is too long" "$(drive text "TQ fatal error" 65535 | tr -d '\r')"
drive click "TQ fatal error" 1
check "too long: exit 1" 1 "$(finished long)"

echo "== the command tail is read from the exact command line"
printf '[Options]\r\nEntries=2\r\n' >"$work/tail.ini"
entry 1 0 "Tail first" >>"$work/tail.ini"
entry 2 0 "Tail second" | sed 's/Active=1/Active=0/' >>"$work/tail.ini"
tailw=$(winpath "$work/tail.ini")
# exec_tq NAME COMMANDLINE: TQ.EXE started with exactly that command line.
exec_tq() {
  rm -f "$work/$1.status"
  (drive exec "$tqw" "$2" | tr -d '\r' >"$work/$1.code"; mv "$work/$1.code" "$work/$1.status") &
}
exec_tq glued "\"$tqw\"/e $tailw"
check "a switch glued to a quoted program name opens the editor" 0 "$(drive wait "$DIALOG" 111 20; echo $?)"
check "on the settings file after it" "1 of 2" "$(drive text "$DIALOG" 111 | tr -d '\r')"
drive click "$DIALOG" 2
check "glued switch: ends with 0" 0 "$(finished glued)"
exec_tq blank " $tqw $tailw"
check "a blank before the program name: a check pass on the file" "Tail first" \
  "$(drive wait "$DIALOG" 110 20 && drive text "$DIALOG" 110 | tr -d '\r')"
drive click "$DIALOG" 1
check "blank first: ends with 0" 0 "$(finished blank)"
exec_tq tab "$tqw	/E $tailw"
check "a tab after the program name, then the switch: the editor" "1 of 2" \
  "$(drive wait "$DIALOG" 111 20 && drive text "$DIALOG" 111 | tr -d '\r')"
drive click "$DIALOG" 2
check "tab: ends with 0" 0 "$(finished tab)"

echo "== a path too long for an atom still hands over"
long="$work/l"
while [ ${#long} -lt 200 ]; do long="$long/$(printf 'd%.0s' {1..30})"; done
mkdir -p "$long"
longfile="$long/$(printf 'f%.0s' $(seq 1 $((258 - ${#long} - 1 - 2))))"
settings "$longfile" 60000 "Long path"
check "the path is 258 characters" 258 "$(winpath "$longfile" | wc -c)"
start longfirst "$(winpath "$longfile")"
drive wait "$DIALOG" 200
start longsecond "$(winpath "$longfile")"
check "the second start hands over and ends with 1" 1 "$(finished longsecond)"
check "no second dialog opens" 1 "$(drive count "$DIALOG" | tr -d '\r')"
drive click "$DIALOG" 1
check "the first ends with 0" 0 "$(finished longfirst)"

echo "== several starts on one file at the same moment"
settings "$work/crowd.ini" 60000 "Crowd"
cp "$work/crowd.ini" "$work/crowd.before"
crowdw=$(winpath "$work/crowd.ini")
# crowd N [repeat]: N starts at once; prints "dialogs seen, exits with 0, exits with 1"
crowd() {
  local n=$1 repeat=${2:-} out="$work/together.out" tick
  rm -f "$out"
  drive together "$n" "$tqw" "$crowdw" >"$out" & # unbuffered: each exit is seen as it comes
  local job=$!
  drive wait "$DIALOG" 200 60 || true
  local handed=$((n - 1))
  for ((tick = 0; tick < 600; tick++)); do
    [ "$(grep -c '^exit' "$out" 2>/dev/null)" -ge $handed ] && break
    sleep 0.1
  done
  sleep 1 # a second dialog, if any, has had time to show
  local dialogs
  dialogs=$(drive count "$DIALOG" | tr -d '\r')
  if [ -n "$repeat" ]; then
    drive click "$DIALOG" 505
    drive spin "$DIALOG" 502 23
    drive spin "$DIALOG" 504 59
  fi
  for ((tick = 0; tick < dialogs; tick++)); do
    drive click "$DIALOG" 1
    sleep 0.5
  done
  drive gone "$DIALOG" 20 >/dev/null 2>&1
  if [ -n "$repeat" ]; then
    sleep 2
    echo "resident $(drive classcount Tq_Main | tr -d '\r')" >"$work/resident.out"
    drive post "$crowdw" 0x111 803 0
    for window in $(seq 2 "$(drive classcount Tq_Main | tr -d '\r')"); do drive post "$crowdw" 0x111 803 0; done
  fi
  wait $job
  echo "$dialogs $(tr -d '\r' <"$out" | grep -c '^exit [0-9]* 0$') $(tr -d '\r' <"$out" | grep -c '^exit [0-9]* 1$')"
}
for n in 3 3 3 3 3 5 5 5 5 5; do
  check "$n starts at once: one dialog, one instance ends with 0, the others with 1" "1 1 $((n - 1))" "$(crowd $n)"
  check "  the file is intact" same "$(cmp -s "$work/crowd.ini" "$work/crowd.before" && echo same)"
  check "  no temporary file is left" 0 "$(ls "$work" | grep -c '\.tq-')"
done
check "3 starts at once whose dialog sets a repeat: one dialog, one resident instance" "1 1 2" "$(crowd 3 repeat)"
check "  exactly one instance stayed resident" "resident 1" "$(cat "$work/resident.out")"

finish_checks "$work/driver.log"
