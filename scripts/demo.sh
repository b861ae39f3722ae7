#!/usr/bin/env bash
# Installs what is missing, builds, writes the demo simulation run into
# out/demo and opens the viewer on it. Without a display the first page is
# drawn into a PNG file instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
mkdir -p out/demo
build/examples/zan_demo_data out/demo
files=(out/demo/flight.csv out/demo/flight2.csv)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  build/program/zan --export out/demo/page1.png "${files[@]}"
  echo "No display found: the first page of the demo run is in $(pwd)/out/demo/page1.png"
else
  exec build/program/zan "${files[@]}"
fi
