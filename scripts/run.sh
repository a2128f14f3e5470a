#!/usr/bin/env bash
# Builds TQ.EXE and runs it under Wine on a copy of the bundled demo settings
# file (build/demo/TQ.INI).  On your display when DISPLAY is set; otherwise on
# a virtual display, where it saves a screenshot of the first dialog, closes
# the dialog and ends, printing where the picture is.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/bootstrap.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tq tqdriver >/dev/null
source scripts/wine-env.sh
source scripts/display.sh

demo="$root/build/demo"
mkdir -p "$demo"
cp demo/TQ.INI "$demo/TQ.INI"
settings="Z:${demo//\//\\}\\TQ.INI"
echo "settings file: $demo/TQ.INI"

if [ -n "${DISPLAY:-}" ]; then
  status=0
  scripts/wine-run.sh build/win64/TQ.EXE "$settings" || status=$?
  echo "TQ.EXE ended with exit code $status"
  exit 0
fi

tq_start_display
trap 'wineserver -k >/dev/null 2>&1 || true; tq_stop_display' EXIT
tq_init_prefix
# In a Wine virtual desktop, which draws the dialog's frame and caption. The
# driver that presses OK has to run on that desktop too.
desktop=tq-demo,640x400
wine explorer /desktop=$desktop build/win64/TQ.EXE "$settings" >/dev/null 2>&1 &
tq=$!
on_desktop() { wine explorer /desktop=$desktop build/win64/tests/tqdriver.exe "$@" >/dev/null 2>&1 || true; }
picture="$demo/first-dialog.png"
for _ in $(seq 1 30); do
  sleep 1
  import -window root -crop 640x400+0+0 +repage "$picture"
  # The dialog is up once the picture holds more than the desktop's colour.
  [ "$(identify -format '%k' "$picture")" -gt 16 ] && break
done
sleep 1
import -window root -crop 640x400+0+0 +repage "$picture"
# OK on each due reminder of the demo until TQ has ended.
for _ in 1 2 3 4 5 6; do
  kill -0 "$tq" 2>/dev/null || break
  on_desktop click "TQ Windows Reminder" 1
  sleep 2
done
echo "screenshot of the first dialog: $picture"
