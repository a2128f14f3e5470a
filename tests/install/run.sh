#!/usr/bin/env bash
# The Windows packages made by scripts/package.sh:
#   run.sh DIST-FOLDER tqdriver.exe OBJDUMP
# The zip holds exactly the programs, the README and the licence, and its
# TQ.EXE is a stripped 64-bit GUI program that imports only system DLLs.  In
# a fresh private Wine prefix the installer runs silently; the program, the
# uninstaller, both shortcuts and the uninstall entry are there; the Startup
# shortcut's command shows a due reminder and saves into %APPDATA%\TQ; with
# that TQ resident, the silent uninstaller makes it quit, removes everything
# it installed and keeps the settings.
set -uo pipefail
dist=$(realpath "$1")
driver=$(realpath "$2")
objdump=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
version=$(sed -n 's/^project(TQ VERSION \([0-9]*\.[0-9]*\).*/\1/p' "$root/CMakeLists.txt")
zipfile="$dist/TQ-$version-win64.zip"
setup="$dist/TQ-$version-setup.exe"
for file in "$zipfile" "$setup"; do
  if [ ! -f "$file" ]; then
    echo "FAIL $file is missing: run scripts/package.sh first"
    exit 1
  fi
done

source "$here/../check.sh"
work=$(mktemp -d)
echo "== the zip"
check "holds the programs, the README and the licence" "LICENSE.txt README.txt TQ.EXE TQLIST.EXE" \
  "$(unzip -Z1 "$zipfile" | sort | tr '\n' ' ' | sed 's/ $//')"
unzip -q "$zipfile" -d "$work/zip"
program="$work/zip/TQ.EXE"
# (Read whole before they are searched: a search that stops early would
# break the pipe and, with pipefail, fail the check.)
header=$("$objdump" -f "$program")
headers=$("$objdump" -p "$program")
check "TQ.EXE is a 64-bit Windows program" 1 "$(grep -c 'file format pei-x86-64' <<<"$header")"
check "for the GUI subsystem" 1 "$(grep -cE 'Subsystem\s+0+2\s+\(Windows GUI\)' <<<"$headers")"
check "stripped: no debug sections" 0 "$("$objdump" -h "$program" | grep -c '\.debug')"
check "stripped: no symbol table" 0 "$("$objdump" -t "$program" 2>&1 | grep -cE '^\[ *[0-9]+\]')"
check "imports only system DLLs" ok "$(bash "$root/scripts/check-imports.sh" "$objdump" "$program" && echo ok)"
check "TQLIST.EXE is stripped too" 0 "$("$objdump" -h "$work/zip/TQLIST.EXE" | grep -c '\.debug')"
check "the README is Windows text" 0 "$(grep -vc $'\r$' "$work/zip/README.txt")"
check "the licence is the MIT licence of the TQ project, as Windows text" "2 0" \
  "$(grep -cE $'^(MIT License|Copyright \\(c\\) 2026 The TQ project)\r$' "$work/zip/LICENSE.txt") $(grep -vc $'\r$' "$work/zip/LICENSE.txt")"

echo "== the installer, in a fresh prefix"
export TQ_WINEPREFIX="$root/build/wineprefix-install"
rm -rf "$TQ_WINEPREFIX" "$TQ_WINEPREFIX.lock"
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"
tq_start_display || exit 1
cleanup() {
  wineserver -k >/dev/null 2>&1
  tq_stop_display
  rm -rf "$work" "$TQ_WINEPREFIX" "$TQ_WINEPREFIX.lock"
}
trap cleanup EXIT
tq_init_prefix
drive() { wine "$driver" "$@" 2>>"$work/driver.log"; }
windows() { wine cmd /c echo "$1" 2>/dev/null | tr -d '\r'; }
appdata=$(windows '%APPDATA%')
localappdata=$(windows '%LOCALAPPDATA%')
unix() { winepath -u "$1" 2>/dev/null; }

wine "$setup" /S
check "setup.exe /S ends with 0" 0 "$?"
wineserver -w
programs="$localappdata\\Programs\\TQ"
for name in TQ.EXE TQLIST.EXE README.txt LICENSE.txt Uninstall.exe; do
  check "installed: $name" yes "$([ -f "$(unix "$programs\\$name")" ] && echo yes)"
done
startup="$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\TQ.lnk"
menu="$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\TQ reminders.lnk"
settings="$appdata\\TQ\\TQ.INI"
check "the Startup shortcut starts TQ on the per-user settings file" "$programs\\TQ.EXE|\"$settings\"" \
  "$(drive shortcut "$startup" | tr -d '\r' | paste -sd '|')"
check "the Start-menu shortcut opens the editor on it" "$programs\\TQ.EXE|/e \"$settings\"" \
  "$(drive shortcut "$menu" | tr -d '\r' | paste -sd '|')"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TQ'
value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z]* *//p"; }
check "uninstall entry: name" TQ "$(value DisplayName)"
check "uninstall entry: version" "$version" "$(value DisplayVersion)"
check "uninstall entry: publisher" "The TQ project" "$(value Publisher)"
check "uninstall entry: icon" "$programs\\TQ.EXE,0" "$(value DisplayIcon)"
quiet=$(value QuietUninstallString)
check "uninstall entry: quiet uninstall string" "\"$programs\\Uninstall.exe\" /S" "$quiet"
check "the settings folder is made" yes "$([ -d "$(unix "$appdata\\TQ")" ] && echo yes)"

echo "== the Startup shortcut's command, on a due reminder"
settings_unix=$(unix "$settings")
printf '[Options]\r\nTask bar=1\r\nTimer period=60000\r\nEntries=1\r\n[1]\r\nDay=0\r\nActive=1\r\nMessage=Installed and due\r\n' \
  >"$settings_unix"
target_and_arguments=$(drive shortcut "$startup" | tr -d '\r')
target=$(sed -n 1p <<<"$target_and_arguments")
arguments=$(sed -n 2p <<<"$target_and_arguments")
(drive exec "$target" "\"$target\" $arguments" | tr -d '\r' >"$work/tq.code"; mv "$work/tq.code" "$work/tq.status") &
DIALOG="TQ Windows Reminder"
drive wait "$DIALOG" 200 60
check "the reminder is shown" "Installed and due" "$(drive text "$DIALOG" 110 | tr -d '\r')"
drive click "$DIALOG" 505
drive spin "$DIALOG" 502 23
drive spin "$DIALOG" 504 59
drive click "$DIALOG" 1
for _ in $(seq 1 100); do grep -q 'Again=38715' "$settings_unix" && break; sleep 0.1; done
check "OK saved it into %APPDATA%\\TQ" 1 "$(grep -c 'Again=38715' "$settings_unix")"
check "TQ stays resident" running "$([ -s "$work/tq.status" ] && cat "$work/tq.status" || echo running)"

echo "== the silent uninstaller, with TQ resident"
uninstaller=${quiet% /S}
uninstaller=${uninstaller//\"/}
drive exec "$uninstaller" "$quiet" >/dev/null
for _ in $(seq 1 300); do [ -s "$work/tq.status" ] && break; sleep 0.1; done
check "the resident TQ quit, with 0" 0 "$(cat "$work/tq.status" 2>/dev/null || echo running)"
wineserver -w # the uninstaller finishes from a copy of itself
check "the program folder is gone" no "$([ -e "$(unix "$programs")" ] && echo yes || echo no)"
check "the Startup shortcut is gone" no "$([ -e "$(unix "$startup")" ] && echo yes || echo no)"
check "the Start-menu shortcut is gone" no "$([ -e "$(unix "$menu")" ] && echo yes || echo no)"
check "the uninstall entry is gone" no "$(wine reg query "$key" >/dev/null 2>&1 && echo yes || echo no)"
check "the settings are kept" 1 "$(grep -c 'Message=Installed and due' "$settings_unix")"

finish_checks "$work/driver.log"
