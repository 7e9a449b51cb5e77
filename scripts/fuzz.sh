#!/usr/bin/env bash
# Runs every libFuzzer target for the given number of seconds each (default 10: the smoke run CI
# does), starting from its seed corpus under tests/fuzz/corpus. For a long run:
#   bash scripts/fuzz.sh 600
# New inputs go to build-sanitize/fuzz/<target>/found, never into the seed corpus; a finding
# leaves its input as build-sanitize/fuzz/<target>/crash-* and fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLON_SANITIZE_BUILD_DIR:-$root/build-sanitize}
seconds=${1:-10}
targets=(theme_file_fuzzer settings_file_fuzzer fuse_files_fuzzer command_line_fuzzer console_text_fuzzer)

"$root/scripts/build-sanitized.sh" "${targets[@]}"
source "$root/scripts/sanitizer-env.sh"
export QT_QPA_PLATFORM=offscreen
failed=0
for t in "${targets[@]}"; do
  dir="$build/fuzz/$t"
  mkdir -p "$dir/found"
  echo "== $t, ${seconds}s"
  # A fixed seed, so that a smoke run that fails can be run again the same way.
  if ! (cd "$dir" && ./"$t" -seed=1 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
          -print_final_stats=1 "$dir/found" "$root/tests/fuzz/corpus/$t" 2>"$dir/log.txt"); then
    tail -n 40 "$dir/log.txt"
    failed=1
  else
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$dir/log.txt" | tr '\n' ' '
    echo
  fi
done
exit $failed
