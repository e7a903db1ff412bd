#!/usr/bin/env bash
# Builds everything and runs every test: the full build (GUI tests offscreen), then the core
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then the threaded device
# tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
q804_ensure_packages

jobs=$(q804_jobs)
export QT_QPA_PLATFORM=offscreen

echo "== Full build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQ804_SANITIZE=address,undefined \
    -DQ804_BUILD_GUI=OFF -DQ804_BUILD_BENCHMARKS=OFF -DQ804_WITH_HIDAPI=OFF
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan -L core --output-on-failure -j "$jobs"

echo "== Threaded tests under ThreadSanitizer"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DQ804_SANITIZE=thread \
    -DQ804_BUILD_GUI=OFF -DQ804_BUILD_BENCHMARKS=OFF -DQ804_WITH_HIDAPI=OFF
cmake --build build-tsan -j "$jobs"
ctest --test-dir build-tsan -L threaded --output-on-failure -j "$jobs"

echo "== Fuzzing the parsers of profile files, macro areas and key tables"
bash scripts/fuzz.sh "${Q804_FUZZ_SECONDS:-60}"
