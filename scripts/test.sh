#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then builds
# once more with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the library and program tests there, with the fuzzing harnesses
# over their checked-in corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
(cd build && ctest --output-on-failure -j "$(nproc)")
bash scripts/build.sh build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DZAN_SANITIZE=ON -DZAN_FUZZ=ON \
  -DZAN_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j "$(nproc)")
