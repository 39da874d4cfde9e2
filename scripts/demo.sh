#!/usr/bin/env bash
# Shows the magnifier at work over the test pattern and saves a screenshot of the whole screen.
# Runs on a display of its own: scripts/with-display.sh scripts/demo.sh [PROGRAM_DIR [OUTPUT.png]]
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/windows}
out=${2:-build/demo.png}

# Usage: WaitForWindow --name|--classname PATTERN. Wine names an X window's class after the
# program's file; the magnifier's caption changes as it starts, so it is found by that class.
WaitForWindow() {
  timeout 30 bash -c "until xdotool search --onlyvisible $1 '$2' >/dev/null 2>&1; do sleep 0.2; done" ||
    { echo "demo: no window $1 \"$2\" after 30 s" >&2; exit 1; }
}

scripts/wine.sh "$bin/test_pattern.exe" --demo &
WaitForWindow --name "^Test pattern$"
# Over the swatches, the title and the small print, well away from where the magnifier opens (centred on the screen).
xdotool mousemove 150 125
scripts/wine.sh "$bin/glimmerlux.exe" &
WaitForWindow --classname "^glimmerlux\\.exe$"
sleep 3
import -window root "$out"
echo "Saved $out"
