# Sourced by the other scripts: the project's private Wine prefix.
TQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${TQ_WINEPREFIX:-$TQ_ROOT/build/wineprefix}"
export WINEDEBUG=-all
# No Mono or Gecko install prompts, and no menu entries on the host for
# shortcuts made inside the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

# Creates the prefix once; concurrent callers wait for the first.  The lock's
# descriptor is closed for Wine's own processes: a wineserver that inherited
# it would hold the lock for as long as it lives.
tq_init_prefix() {
  [ -f "$WINEPREFIX/.tq-ready" ] && [ -f "$WINEPREFIX/.tq-fonts" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.tq-ready" ]; then
      wineboot -i >/dev/null 2>&1 9>&- || true
      wineserver -w 9>&-
      touch "$WINEPREFIX/.tq-ready"
    fi
    tq_install_fonts
  ) 9>"$WINEPREFIX.lock"
}

# Keeps one Wine server running for the prefix until it is killed, so that
# a run of many short Wine programs does not start one for each.  A server
# that is running already (another run, or one about to end) refuses with an
# error; it serves as well, and when it ends the next program starts another.
tq_keep_server() {
  wineserver -p 2>/dev/null || true
}

# Debian's Wine never reads its own fonts in /usr/share/wine/fonts, so a new
# prefix has no MS Sans Serif (the dialogs' font), no Marlett (the caption
# buttons) and no Tahoma.  Copied into the prefix's Fonts folder they are
# found like fonts installed on Windows.
tq_install_fonts() {
  [ -f "$WINEPREFIX/.tq-fonts" ] && return 0
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/"
  touch "$WINEPREFIX/.tq-fonts"
}

# tq_wine_at TIME ARGS...: wine with the clock starting at a fixed local time
# (it runs on from there).  File times stay real: faked ones would make Wine
# take its prefix for outdated and rebuild it at every start.
tq_wine_at() {
  local when=$1
  shift
  NO_FAKE_STAT=1 faketime -f "@$when" wine "$@"
}
