#!/usr/bin/env bash
# Checks that need no build: every source is formatted as .clang-format says, and no include climbs
# a layer (scripts/check-layers.py).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
python3 scripts/check-layers.py
