#!/usr/bin/env bash
# Installs what is missing, builds (resources included), prepares the user's
# configuration and data directory on first run, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
lk_install_missing "${LK_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLORAVIK_TESTS=OFF -DLORAVIK_BENCH=OFF
cmake --build build -j "$(lk_jobs)" --target kvantira2

scripts/seed-user-data.sh build/resources/cd build/resources/hd

exec build/kvantira2 "$@"
