#!/usr/bin/env bash
# The calculation, the command-line tool and all their tests once more, built
# by clang with AddressSanitizer and UndefinedBehaviorSanitizer (float casts
# and float division by zero included); any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
