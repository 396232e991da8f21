#!/usr/bin/env bash
# Builds the codec fuzzers with clang and runs each for a few seconds from its seed corpus.
# Usage: run_fuzzers.sh CLANGXX BUILD_DIR SECONDS
set -euo pipefail
clangxx=$1
build=$2
seconds=${3:-5}
here=$(cd "$(dirname "$0")" && pwd)

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$clangxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2

status=0
for fuzzer in "$build"/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  # Seeds: the small valid files the test suite keeps for this codec.
  seeds="$here/seeds/${name#fuzz_}"
  echo "== $name for ${seconds}s"
  if ! "$fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=0 "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) 2>"$build/$name.log"; then
    tail -n 40 "$build/$name.log"
    status=1
  else
    grep -E '^Done|^#[0-9]+.*DONE' "$build/$name.log" | tail -n 1 || true
  fi
done
exit $status
