#!/usr/bin/env bash
# Installs every Debian package the project needs (only when one is missing), then configures
# and builds into build/. Safe to run again. Usage: scripts/setup.sh [extra cmake options]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev xvfb x11-utils xdotool fp-utils xchm python3 python3-dbfread imagemagick libchm-dev
  lintian fonts-liberation
  clang libclang-rt-14-dev clang-format
)

scripts/install-packages.sh "${PACKAGES[@]}"

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
