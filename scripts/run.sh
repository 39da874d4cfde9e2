#!/usr/bin/env bash
# `make run`: the magnifier under Wine on this X display. Without one, a short demo on a
# private display that ends in a screenshot, build/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine.sh build/windows/glimmerlux.exe
fi
scripts/with-display.sh scripts/demo.sh build/windows build/demo.png
