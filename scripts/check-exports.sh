#!/usr/bin/env bash
# Fails unless each program file exports the five callbacks under their
# plain names:  check-exports.sh OBJDUMP PROGRAM...
set -uo pipefail
objdump=$1
shift
status=0
for program in "$@"; do
  if [ ! -f "$program" ]; then
    echo "missing: $program (build it first)"
    status=1
    continue
  fi
  names=$("$objdump" -p "$program" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
  if [ "$names" != "AboutProc EditProc MainWndProc MessProc PreviousProc " ]; then
    echo "$program exports: $names"
    status=1
  else
    echo "ok   $program"
  fi
done
exit $status
