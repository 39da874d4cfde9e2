# shellcheck shell=bash disable=SC2034  # WINE and WINESERVER are for the scripts that source this
# Sourced by the scripts that run Windows programs: the project's own Wine prefix and quiet Wine.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Always the project's own prefix: the end-to-end tests delete the program's settings in it,
# and a developer's prefix must never lose its own.
project_prefix="$repo/build/wineprefix"
if [ -n "${WINEPREFIX:-}" ] && [ "$(realpath -m "$WINEPREFIX")" != "$(realpath -m "$project_prefix")" ]; then
  echo "wine-env: ignoring WINEPREFIX=$WINEPREFIX; using the project's own $project_prefix" >&2
fi
export WINEPREFIX="$project_prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: nothing here needs them, and their install prompts would block.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The `wine` wrapper insists on the 32-bit loader, which a 64-bit-only install lacks.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

EnsurePrefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    timeout 600 "$WINE" wineboot -i >/dev/null 2>&1
    timeout 120 "$WINESERVER" -w
  fi
  # Debian's Wine does not load the fonts of its own folder, so the panel's Marlett glyphs
  # would fall back to plain letters; every Windows has Marlett in its Fonts folder.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}
