#!/usr/bin/env bash
# The calculation, the command-line tool, the window and all their tests once
# more, built by clang with AddressSanitizer and UndefinedBehaviorSanitizer
# (float casts and float division by zero included); any report fails the
# run.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
cmake --preset asan-gui >/dev/null
cmake --build --preset asan-gui -j "$jobs"
ctest --preset asan-gui -j "$jobs"
