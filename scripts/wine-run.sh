#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix and
# returns its exit code.  Used by ctest (as the cross-compiling emulator) and
# by the run command.  Without DISPLAY it brings up a private Xvfb for the run
# and stops it afterwards.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
source "$here/display.sh"

tq_start_display || exit 1
tq_init_prefix
# Wine's helper processes (services, the desktop window) may outlive the
# program and inherit its output; writing to a file instead of our caller's
# pipe keeps a caller such as ctest from waiting on them.
output=$(mktemp)
wine "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
if [ -n "${TQ_XVFB_PID:-}" ]; then
  # Let this prefix's processes finish with the display before it goes; a
  # server kept alive on purpose (wineserver -p) is not waited for long.
  timeout 10 wineserver -w
  tq_stop_display
fi
exit $status
