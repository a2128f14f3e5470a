# Sourced by the other scripts: a private virtual X display.
#   tq_start_display   starts Xvfb on a free display when DISPLAY is unset
#                      and exports DISPLAY; sets TQ_XVFB_PID when it did
#   tq_stop_display    stops that Xvfb by its PID

tq_start_display() {
  TQ_XVFB_PID=
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local numberfile
  numberfile=$(mktemp)
  # -displayfd picks a free display number and writes it once the server listens.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numberfile" 2>/dev/null &
  TQ_XVFB_PID=$!
  local tries=0
  while [ ! -s "$numberfile" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$TQ_XVFB_PID" 2>/dev/null; then
      echo "display: Xvfb did not start" >&2
      rm -f "$numberfile"
      return 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$(tr -d '[:space:]' <"$numberfile")"
  rm -f "$numberfile"
}

tq_stop_display() {
  if [ -n "${TQ_XVFB_PID:-}" ]; then
    kill "$TQ_XVFB_PID" 2>/dev/null || true
    wait "$TQ_XVFB_PID" 2>/dev/null || true
    TQ_XVFB_PID=
  fi
}
