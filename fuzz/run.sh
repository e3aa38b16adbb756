#!/usr/bin/env bash
# Builds the fuzz targets and runs each one for the given number of seconds (default 60) on a
# temporary copy of its committed corpus, so the checkout stays as it is. Any crash, leak,
# timeout or out-of-memory fails the run; the reproducer is kept in the printed directory.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
work="$(mktemp -d)"
for target in execute symbols numberbase dump prepared; do
  mkdir -p "$work/$target/corpus"
  cp fuzz/corpus/"$target"/* "$work/$target/corpus/" 2>/dev/null || true
  echo "fuzzing $target for ${seconds}s"
  (cd "$work/$target" && "$OLDPWD/build/fuzz/fuzz/${target}_fuzzer" -dict="$OLDPWD/fuzz/tolvex.dict" \
     -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 corpus) \
    || { echo "fuzz target $target failed; reproducer in $work/$target" >&2; exit 1; }
done
rm -rf "$work"
