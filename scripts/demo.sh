#!/usr/bin/env bash
# Installs what is missing, builds, writes the demo simulation run and shows it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
mkdir -p out/demo
build/examples/zan_demo_data out/demo
build/tools/zan-info out/demo/*
