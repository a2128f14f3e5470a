#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that is not part of the system.
set -euo pipefail
objdump=$1
program=$2
allowed='^(KERNEL32|USER32|GDI32|SHELL32|COMCTL32|ADVAPI32|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
shopt -s nocasematch
status=0
while read -r dll; do
  if ! [[ $dll =~ $allowed ]]; then
    echo "not a system DLL: $dll"
    status=1
  fi
done < <("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p')
exit $status
