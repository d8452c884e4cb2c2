#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless:
# unit and GUI tests through ctest, then each fuzz target for a bounded time
# (seeds from tests/fuzz/corpus/<name>/, tokens from tests/fuzz/<name>.dict).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
lk_install_missing "${LK_PACKAGES[@]}" "${LK_TEST_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen
jobs=$(lk_jobs)

# Tests and benchmarks on explicitly: run.sh configures the same build without them.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLORAVIK_TESTS=ON -DLORAVIK_BENCH=ON
cmake --build build -j "$jobs"

# Fuzz targets: clang, ASan + UBSan, the engine alone.
cmake -S . -B build-fuzz -G Ninja -DLORAVIK_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
cmake --build build-fuzz -j "$jobs"

# The tests of real print queues start print servers of their own.
status=0
(cd build && ctest --output-on-failure --no-tests=error -j "$jobs") || status=1

fuzz_seconds=${LK_FUZZ_SECONDS:-30}
for f in build-fuzz/tests/fuzz/fuzz_*; do
  [ -f "$f" ] && [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=tests/fuzz/corpus/${name#fuzz_}
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  [ -d "$corpus" ] && cp -n "$corpus"/* "$work"/ 2>/dev/null || true
  dict=()
  [ -f "tests/fuzz/${name#fuzz_}.dict" ] && dict=(-dict="tests/fuzz/${name#fuzz_}.dict")
  echo "Fuzzing $name for ${fuzz_seconds}s"
  if ! "$f" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 "${dict[@]}" \
       -artifact_prefix=build-fuzz/ "$work" >"build-fuzz/$name.log" 2>&1; then
    echo "FUZZ FAILURE in $name:"; tail -n 40 "build-fuzz/$name.log"; status=1
  else
    tail -n 1 "build-fuzz/$name.log"
  fi
done

# Benchmarks are informative here: their figures go to build/bench-*.txt.
for b in build/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  "$b" --benchmark_min_time=0.05 >"build/$(basename "$b").txt" 2>&1 || { echo "benchmark $b failed"; status=1; }
done

exit $status
