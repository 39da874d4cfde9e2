# shellcheck shell=bash disable=SC2034  # WINE and WINESERVER are for the scripts that source this
# Sourced by the scripts that run Windows programs: the project's own Wine prefix and quiet Wine.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: nothing here needs them, and their install prompts would block.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The `wine` wrapper insists on the 32-bit loader, which a 64-bit-only install lacks.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

EnsurePrefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  echo "Creating the Wine prefix $WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  timeout 600 "$WINE" wineboot -i >/dev/null 2>&1
  timeout 120 "$WINESERVER" -w
}
