#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then runs
# the library tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
(cd build && ctest --output-on-failure -j "$(nproc)")
bash scripts/build.sh build-sanitize -DZAN_SANITIZE=ON -DZAN_BUILD_PROGRAM=OFF -DZAN_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j "$(nproc)" -L library)
