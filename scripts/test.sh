#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# The browser tests' driver, exactly as locked (it brings no browser: the
# tests use Debian's chromium).
npm ci --prefix tests/web --no-audit --no-fund --loglevel=error

jobs=$(nproc)
echo "== build and test, at ${SECONDS}s"
# The WebAssembly module and the web page are built too, and checked against
# this build in Node and in headless Chromium.
# Line tables only (-g1): a failure's backtrace still names the lines, and
# the build takes a fifth less time than with full debug information.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
  -DRAMPWALL_GUI=ON -DRAMPWALL_WASM=ON -DRAMPWALL_WERROR=ON
cmake --build build -j "$jobs"

# Hardening: the calculation, command-line and window tests again under the
# sanitizers, static analysis with no findings, and each fuzz target for a
# bounded time from its corpus.
# The tests above run while the sanitizer build compiles beside them: they
# wait on windows, browsers and timers much of the time, and no test may
# depend on how busy the machine is. Their report follows when both are done.
tests_log=$(mktemp)
trap 'if [ -n "${tests:-}" ]; then kill "$tests" 2>/dev/null || true; fi; rm -f "$tests_log"' EXIT
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300 >"$tests_log" 2>&1 &
tests=$!
for step in scripts/sanitizers.sh scripts/analyze.sh scripts/fuzz.sh; do
  echo "== $step, at ${SECONDS}s"
  "$step"
  if [ -n "${tests:-}" ]; then
    status=0
    wait "$tests" || status=$?
    tests=
    echo "== the tests of the build above, done by ${SECONDS}s"
    cat "$tests_log"
    [ "$status" -eq 0 ] || exit "$status"
  fi
done
echo "== all passed in ${SECONDS}s"
