#!/usr/bin/env bash
# Fuzzes every harness for SECONDS seconds (default 600), two at a time,
# starting from the checked-in seeds; new inputs gather in
# build-fuzz/corpus/<name>, findings in build-fuzz/findings/<name>.
# Prints executions and corpus size per harness; fails when any harness
# found something.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
bash scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DZAN_FUZZ=ON -DZAN_SANITIZE=ON \
  -DZAN_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen

run() {
  local name=$1 seeds=$2
  local corpus=build-fuzz/corpus/$name findings=build-fuzz/findings/$name
  mkdir -p "$corpus" "$findings"
  cp -n fuzz/corpus/"$seeds"/* "$corpus"/ 2>/dev/null || true
  if build-fuzz/fuzz/zan_fuzz_"$name" "$corpus" -dict=fuzz/dict/"$seeds".dict \
      -max_total_time="$seconds" -timeout=30 -report_slow_units=60 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="$findings"/ >build-fuzz/fuzz_"$name".log 2>&1; then
    status=ok
  else
    status=FAILED
  fi
  local execs
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' build-fuzz/fuzz_"$name".log | grep -o '[0-9]*$' || echo 0)
  echo "$name: $status, $execs executions, $(ls "$corpus" | wc -l) inputs in the corpus, $(ls "$findings" | wc -l) findings"
  [ "$status" = ok ]
}

failed=0
for pair in "bin csv" "dat settings" "parallel follow"; do
  set -- $pair
  run "$1" "$1" & a=$!
  run "$2" "$2" & b=$!
  wait $a || failed=1
  wait $b || failed=1
done
exit $failed
