#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each for the given number of seconds (default 60), starting from seed files that
# the encoders write. A crash or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQ804_BUILD_FUZZERS=ON -DQ804_SANITIZE=address,undefined -DQ804_BUILD_GUI=OFF \
    -DQ804_BUILD_TESTS=OFF -DQ804_BUILD_BENCHMARKS=OFF -DQ804_WITH_HIDAPI=OFF
cmake --build build-fuzz -j "$(nproc 2>/dev/null || echo 2)" \
    --target fuzz_profile_file fuzz_macro_area fuzz_key_table fuzz_seeds

corpus=build-fuzz/corpus
rm -rf "$corpus"
build-fuzz/bin/fuzz_seeds "$corpus"
for target in profile_file macro_area key_table; do
    echo "-- fuzz_$target for ${seconds}s"
    if ! build-fuzz/bin/fuzz_$target -max_total_time="$seconds" -max_len=70000 \
        -print_final_stats=1 "$corpus/$target" >"build-fuzz/fuzz_$target.log" 2>&1; then
        tail -n 60 "build-fuzz/fuzz_$target.log"
        echo "fuzz_$target found a fault (log: build-fuzz/fuzz_$target.log)"
        exit 1
    fi
    tail -n 8 "build-fuzz/fuzz_$target.log"
done
