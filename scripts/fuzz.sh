#!/usr/bin/env bash
# Each fuzz target for a bounded time (FUZZ_SECONDS, 15 by default), starting
# from a copy of its committed corpus. A crash, a failed property, a leak, a
# timeout or any sanitizer report fails the run; the input is kept in the
# printed directory.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-15}
jobs=$(nproc)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

work=$(mktemp -d)
# One target's run; its log and any failing input stay in $work/TARGET.
fuzz_one() {
  local target=$1
  mkdir -p "$work/$target/corpus"
  cp fuzz/corpus/"$target"/* "$work/$target/corpus/"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                 -artifact_prefix="$work/$target/")
  if [ -f "fuzz/$target.dict" ]; then
    options+=(-dict="fuzz/$target.dict")
  fi
  if build-fuzz/fuzz/"$target" "${options[@]}" "$work/$target/corpus" >"$work/$target/log" 2>&1; then
    echo ok >"$work/$target/status"
  else
    echo failed >"$work/$target/status"
  fi
}

# As many targets at a time as there are cores: each fuzzer uses one.
targets=(parse_fuzz compute_fuzz format_fuzz csv_fuzz design_fuzz ramp_fuzz)
echo "== ${targets[*]}: ${seconds}s each, $jobs at a time"
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n || true
  done
  fuzz_one "$target" &
done
wait

status=0
for target in "${targets[@]}"; do
  if [ "$(cat "$work/$target/status" 2>/dev/null)" = ok ]; then
    echo "== $target"
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
