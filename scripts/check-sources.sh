#!/usr/bin/env bash
# Checks that need no build: every source is formatted as .clang-format says, no file grows past 800
# lines, and no include climbs a layer (scripts/check-layers.py).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
python3 scripts/check-layers.py
long=$(git ls-files '*.cpp' '*.h' | xargs wc -l | awk '$2 != "total" && $1 > 800 { print "  " $2 ": " $1 " lines" }')
if [ -n "$long" ]; then
    echo "files over 800 lines (split them by what they do):"
    echo "$long"
    exit 1
fi
