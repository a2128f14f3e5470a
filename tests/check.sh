# Sourced by the scripts that run TQ from outside: one line per check, the
# failures counted, and the script's end.
failures=0

check() { # what expected actual
  if [ "$2" == "$3" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}

# The script's status: 0 when every check passed.  After a failure the
# driver's log (its first argument) is shown.
finish_checks() {
  if [ $failures -ne 0 ] && [ -s "$1" ]; then
    echo "driver log:"
    cat "$1"
  fi
  [ $failures -eq 0 ]
}
