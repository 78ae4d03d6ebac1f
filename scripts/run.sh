#!/usr/bin/env bash
# Installs what is missing, builds, and shows the sample database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build

# The sample is opened as a copy in the user's data folder, made once: the window's lock file and
# any Save go there, never into the checkout's tracked file.
data="${XDG_DATA_HOME:-$HOME/.local/share}/Quillmarsh"
sample="$data/sample.site"
if [ ! -e "$sample" ]; then
    if ! mkdir -p "$data" || ! cp examples/sample.site "$sample.part" || ! chmod u+w "$sample.part" ||
        ! mv "$sample.part" "$sample"; then
        echo "Cannot copy the sample database to $sample." >&2
        exit 1
    fi
    echo "Copied the sample database to $sample; delete it to start again from examples/sample.site." >&2
else
    echo "Opening your copy of the sample database: $sample (delete it to start again from examples/sample.site)." >&2
fi

if [ -x build/src/quillmarsh ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/src/quillmarsh "$sample"
fi
if [ -x build/src/quillmarsh ]; then
    echo "No display found (DISPLAY is not set): showing the sample database as text instead." >&2
fi
build/src/cli/quillmarsh-cli dump "$sample"
