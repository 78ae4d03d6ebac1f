#!/usr/bin/env bash
# Takes a screenshot of the application on a virtual 1600x1000 screen with a window manager.
#   scripts/screenshot.sh OUT.png "KEYS" [ARGUMENTS...]
# KEYS are xdotool key names sent one after the other once the window is up ("ctrl+l Tab", or ""
# for none); ARGUMENTS go to the application (a database to open). SCALE=2 sets QT_SCALE_FACTOR,
# WM=0 leaves the window manager out, BUILD names the build folder (default build), DELAY the
# seconds to wait before the keys. Preferences live in a throw-away folder for each run.
# Needs xvfb, openbox, xdotool and imagemagick (apt-get install xvfb openbox xdotool imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "$1")
keys=${2:-}
shift 2 || shift $#
app=${BUILD:-build}/src/quillmarsh
[ -x "$app" ] || { echo "build the application first ($app)" >&2; exit 1; }
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config QT_SCALE_FACTOR=${SCALE:-1} KEYS=$keys OUT=$out APP=$app WM=${WM:-1} DELAY=${DELAY:-4}
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
    [ "$WM" = 1 ] && { openbox >/dev/null 2>&1 & sleep 1; }
    "$APP" "$@" >/dev/null 2>&1 &
    app=$!
    sleep "$DELAY"
    for key in $KEYS; do xdotool key --clearmodifiers "$key"; sleep 0.7; done
    sleep 1
    import -window root "$OUT"
    kill $app 2>/dev/null || true
' screenshot "$@"
echo "$out"
