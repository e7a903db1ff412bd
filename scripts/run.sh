#!/usr/bin/env bash
# Builds the configurator and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
q804_ensure_packages

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(q804_jobs)"
# Until the device link lands this runs the core's tests.
exec ctest --test-dir build -L core --output-on-failure
