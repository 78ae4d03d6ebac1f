#!/usr/bin/env bash
# Installs what is missing, builds, and shows the sample database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
if [ -x build/src/quillmarsh ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/src/quillmarsh examples/sample.site
fi
if [ -x build/src/quillmarsh ]; then
    echo "No display found (DISPLAY is not set): showing the sample database as text instead." >&2
fi
build/src/cli/quillmarsh-cli dump examples/sample.site
