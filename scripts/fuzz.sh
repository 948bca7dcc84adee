#!/usr/bin/env bash
# Each fuzz target for a bounded time (FUZZ_SECONDS, 60 by default), starting
# from a copy of its committed corpus. A crash, a failed property, a leak, a
# timeout or any sanitizer report fails the run; the input is kept in the
# printed directory.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
jobs=$(nproc)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

work=$(mktemp -d)
status=0
for target in parse_fuzz compute_fuzz format_fuzz csv_fuzz design_fuzz; do
  mkdir -p "$work/$target/corpus"
  cp fuzz/corpus/"$target"/* "$work/$target/corpus/"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$work/$target/")
  if [ -f "fuzz/$target.dict" ]; then
    options+=(-dict="fuzz/$target.dict")
  fi
  echo "== $target: ${seconds}s"
  if build-fuzz/fuzz/"$target" "${options[@]}" "$work/$target/corpus" >"$work/$target/log" 2>&1; then
    grep -E '^stat::number_of_executed_units' "$work/$target/log" | sed "s/^/   /" || true
  else
    status=1
    tail -n 60 "$work/$target/log"
    echo "$target FAILED; its input is in $work/$target/" >&2
  fi
done
if [ "$status" -eq 0 ]; then
  rm -rf "$work"
fi
exit "$status"
