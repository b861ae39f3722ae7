#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the viewer need,
# asking apt only for what is missing.
set -euo pipefail
# gfortran, desktop-file-utils, groff-base, dpkg-dev and file serve the
# install and package tests (Fortran example, menu entry, manual pages, the
# package's library dependencies); python3-numpy and python3-pytest the
# Python package and its tests.
pkgs=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
      qt6-base-dev libgl-dev fonts-liberation2 fonts-dejavu-core
      gfortran desktop-file-utils groff-base dpkg-dev file clang libclang-rt-dev
      python3-numpy python3-pytest)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
