#!/usr/bin/env bash
# batch_pipe.sh PROGRAM
# Feeds `PROGRAM --batch -` through a pipe one row at a time and wants each
# row's result back while the pipe is still open. A tool that read its whole
# input before the first row would answer only once the pipe closed: the
# reads here then time out, and the test fails instead of hanging.
set -u
coproc tool { exec "$1" --batch -; }
# Bash forgets these names once the tool has ended.
pid=$tool_PID
to_tool=${tool[1]}
from_tool=${tool[0]}

fail() {
  echo "$1"
  kill "$pid" 2>/dev/null
  exit 1
}
# expect PATTERN WHAT: the tool's next line matches PATTERN within 20 seconds.
expect() {
  local line
  IFS= read -r -t 20 line <&"$from_tool" || fail "no $2 within 20 s while the pipe was open"
  # shellcheck disable=SC2254
  case $line in
    $1) ;;
    *) fail "the $2 is '$line'" ;;
  esac
}

printf 'h5\n350\n' >&"$to_tool"
expect 'h5,MBk,*' header
expect '350,144.166,3260.572,22,*,ok,*' "first row"
printf '150\n' >&"$to_tool"
expect '150,*' "second row"
exec {to_tool}>&-
wait "$pid" || fail "exit status $? once the pipe closed"
