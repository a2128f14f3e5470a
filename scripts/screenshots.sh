#!/usr/bin/env bash
# Shows each dialog of TQ.EXE inside a Wine virtual desktop on a private
# display and saves a PNG of it in docs/screenshots; then checks that each
# picture has the expected size and is not blank.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=${TQ_BUILD_DIR:-$root/build/win64}
if [ -z "${TQ_BUILD_DIR:-}" ]; then
  bash scripts/bootstrap.sh
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target tq show_dialog >/dev/null
fi
source scripts/wine-env.sh
source scripts/display.sh
unset DISPLAY
tq_start_display
tq_init_prefix
# The prefix must be up to date before anything runs under a fake clock.
wine cmd /c exit >/dev/null 2>&1 || true

out=${TQ_SCREENSHOT_DIR:-$root/docs/screenshots}
mkdir -p "$out"
size=440x340
# The dialogs on a copy of the demo settings file, on a fixed day.
work=$(mktemp -d)
trap 'tq_stop_display; rm -rf "$work"' EXIT
for shot in "about 1 1" "message 100 2" "editor 101 3"; do
  set -- $shot
  name=$1
  id=$2
  entry=$3
  cp "$root/demo/TQ.INI" "$work/TQ.INI"
  tq_wine_at '2026-12-21 09:30:00' explorer /desktop=tq-$name,$size "$build/show_dialog.exe" \
    "Z:${work//\//\\}\\TQ.INI" "$id" "$entry" 6 "Z:${work//\//\\}\\$name.face" >/dev/null 2>&1 &
  viewer=$!
  sleep 4
  import -window root -crop "$size+0+0" +repage "$out/$name.png"
  wait "$viewer" || true
  echo "saved $out/$name.png"
done
# The icons, four times their size.
convert "$build/resources/tq_app.ico[0]" -scale 400% "$out/icon-32.png"
convert "$build/resources/tq_app.ico[1]" -scale 400% "$out/icon-16.png"

status=0
for name in about message editor; do
  picture="$out/$name.png"
  dimensions=$(identify -format '%wx%h' "$picture")
  colours=$(identify -format '%k' "$picture")
  if [ "$dimensions" != "$size" ]; then
    echo "$picture: $dimensions, expected $size"; status=1
  elif [ "$colours" -lt 4 ]; then
    echo "$picture: blank ($colours colours)"; status=1
  fi
done
# The reminder dialogs are drawn in their template's own font, not a stand-in.
for name in message editor; do
  face=$(cat "$work/$name.face" 2>/dev/null || echo none)
  if [ "$face" != "MS Sans Serif" ]; then
    echo "$name: drawn in $face, expected MS Sans Serif"; status=1
  fi
done
for name in icon-32 icon-16; do
  [ "$(identify -format '%k' "$out/$name.png")" -ge 4 ] || { echo "$out/$name.png: blank"; status=1; }
done
exit $status
