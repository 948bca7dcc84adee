#!/bin/sh
# exit_status.sh STATUS ERROR_TEXT PROGRAM [ARG...]
# Runs the program, its standard input taken from $CLI_STDIN when that is set,
# and fails unless it exits with STATUS and, when ERROR_TEXT is not empty,
# says ERROR_TEXT on its standard error.
expected=$1
pattern=$2
shift 2
if [ -n "${CLI_STDIN:-}" ]; then
  err=$("$@" 2>&1 >/dev/null <"$CLI_STDIN")
else
  err=$("$@" 2>&1 >/dev/null </dev/null)
fi
status=$?
if [ "$status" -ne "$expected" ]; then
  echo "exit status $status, expected $expected"
  echo "$err"
  exit 1
fi
if [ -n "$pattern" ] && ! printf '%s\n' "$err" | grep -qF -- "$pattern"; then
  echo "standard error lacks: $pattern"
  echo "$err"
  exit 1
fi
exit 0
