#!/usr/bin/env bash
# Runs the whole test suite on a fresh Debian 12 machine: installs the packages,
# builds with warnings as errors and runs every test, then builds again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs every test again.
# Usage: scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_packages.sh

jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTRIVAN_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DOSTRIVAN_WERROR=ON -DOSTRIVAN_SANITIZE=ON \
  -DOSTRIVAN_BENCHMARKS=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
