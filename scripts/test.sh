#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# CI sets QM_WERROR=ON so that a warning fails the build.
bash scripts/build.sh build -DQM_BUILD_BENCH=OFF -DQM_WERROR="${QM_WERROR:-OFF}"
ctest --test-dir build --output-on-failure -j2
