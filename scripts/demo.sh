#!/usr/bin/env bash
# Shows the magnifier at work over the test pattern and saves a screenshot of the whole screen.
# Runs on a display of its own: scripts/with-display.sh scripts/demo.sh [PROGRAM_DIR [OUTPUT.png]]
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/windows}
out=${2:-build/demo.png}

WaitForWindow() {
  timeout 30 bash -c "until xdotool search --name '^$1\$' >/dev/null 2>&1; do sleep 0.2; done" ||
    { echo "demo: no window \"$1\" after 30 s" >&2; exit 1; }
}

scripts/wine.sh "$bin/test_pattern.exe" --demo &
WaitForWindow "Test pattern"
# Over the swatches, the title and the small print, well away from where the magnifier opens (centred on the screen).
xdotool mousemove 150 125
scripts/wine.sh "$bin/glimmerlux.exe" &
WaitForWindow Glimmerlux
sleep 3
import -window root "$out"
echo "Saved $out"
