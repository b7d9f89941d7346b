#!/bin/sh
# Builds the fuzz targets of tests/fuzz with clang (build-fuzz/) and runs them.
#
#   tools/run-fuzz.sh --test              each target over a fixed number of inputs (ctest), as
#                                         tools/build-and-test.sh does
#   tools/run-fuzz.sh SECONDS [TARGET...] each target (default: all) for SECONDS, one after the
#                                         other, at low priority
#
# Long runs keep what they find in build-fuzz/corpus/TARGET/ (seeded from tests/fuzz/corpus/),
# so the next run starts from there; a failing input is written to build-fuzz/crashes/ and the
# script ends with status 1 after the other targets have run. Replay one input with
#   build-fuzz/TARGET FILE
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build=build-fuzz
targets="fuzz_tokenizer fuzz_checks fuzz_game_dir fuzz_wizard fuzz_ini fuzz_vdf fuzz_line_diff fuzz_jpeg"

[ $# -ge 1 ] || { sed -n '2,13p' "$0"; exit 2; }

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRINDLE_FUZZ=ON -DBRINDLE_GUI=OFF -DBRINDLE_TESTS=OFF -DBRINDLE_BENCH=OFF >/dev/null
cmake --build "$build" --target brindle_fuzz

if [ "$1" = "--test" ]; then
  exec ctest --test-dir "$build/tests/fuzz" --output-on-failure -j "$(nproc)"
fi

seconds=$1
shift
[ $# -gt 0 ] && targets="$*"
mkdir -p "$build/crashes"
failed=""
for t in $targets; do
  [ -x "$build/$t" ] || { echo "$t: not built"; continue; }
  mkdir -p "$build/corpus/$t"
  dict=""
  [ -f "tests/fuzz/dict/$t.dict" ] && dict="-dict=$root/tests/fuzz/dict/$t.dict"
  log="$build/$t.log"
  echo "== $t: $seconds s"
  # shellcheck disable=SC2086
  if ! nice "$build/$t" -max_total_time="$seconds" -max_len=4096 -timeout=60 -print_final_stats=1 \
      $dict -artifact_prefix="$root/$build/crashes/$t-" "$build/corpus/$t" "tests/fuzz/corpus/$t" \
      >"$log" 2>&1; then
    failed="$failed $t"
    grep -E "property violated|ERROR: |SUMMARY|Test unit written" "$log" || tail -n 20 "$log"
  fi
  # The last status line (inputs run, coverage, corpus) and the total.
  grep -E "^#[0-9]+" "$log" | tail -n 1
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$log" || true
done
if [ -n "$failed" ]; then
  echo "failed:$failed (inputs in $build/crashes/)"
  exit 1
fi
