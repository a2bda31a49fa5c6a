#!/usr/bin/env bash
# Installs what is missing, builds Lindor and runs every test:
#  1. the whole project with its tests and benchmarks (Release with debug info), all tests;
#  2. the installed copy, its desktop files, manual page and Debian package
#     (scripts/package-check.sh);
#  3. the core (no Qt) under AddressSanitizer and UndefinedBehaviorSanitizer, core tests;
#  4. the desktop monkey (random use of the whole desktop) under ASan and UBSan for
#     MONKEY_SECONDS (default 60), with a new seed each run (MONKEY_SEED to repeat one);
#  5. the libFuzzer targets built with clang, each run for FUZZ_SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-60}
monkey_seconds=${MONKEY_SECONDS:-60}
export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINDOR_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Install and package checks"
bash scripts/package-check.sh

echo "== Core tests under ASan+UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLINDOR_QT=OFF \
      -DLINDOR_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -L core

echo "== Desktop monkey under ASan+UBSan"
cmake -S . -B build-asan-qt -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINDOR_SANITIZE=ON \
      >/dev/null
cmake --build build-asan-qt -j "$jobs" --target desktop_monkey
monkey_seed=${MONKEY_SEED:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
echo "-- desktop_monkey --seed $monkey_seed --seconds $monkey_seconds"
# Qt and fontconfig keep caches to the end of the process: leaks are not looked for here.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build-asan-qt/tests/desktop_monkey --seed "$monkey_seed" --seconds "$monkey_seconds"

echo "== Fuzzing"
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINDOR_QT=OFF \
      -DLINDOR_TESTS=OFF -DLINDOR_FUZZ=ON -DLINDOR_SANITIZE=ON >/dev/null
cmake --build build-fuzz -j "$jobs"
for f in build-fuzz/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    corpus="build-fuzz/corpus-$name"
    mkdir -p "$corpus"
    [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
    echo "-- $name for ${fuzz_seconds}s"
    "$f" -max_total_time="$fuzz_seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
        "$corpus" 2>&1 | tail -n 12
done
echo "All tests passed."
