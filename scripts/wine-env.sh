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
if [ ! -x "$WINE" ] || [ ! -x "$WINESERVER" ]; then
  echo "wine-env: Wine is missing ($WINE): install wine64 (make deps)" >&2
  exit 1
fi

EnsurePrefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    timeout 600 "$WINE" wineboot -i >/dev/null 2>&1
    timeout 120 "$WINESERVER" -w
  fi
  # On the private displays (with-display.sh sets GLIMMERLUX_PRIVATE_DISPLAY) there is no
  # window manager, and Wine waits 2 s at every hide of a window it leaves to one (the program's
  # own at Exit, the tray's as its last icon goes) for an answer that never comes: there Wine
  # manages the windows itself and hides them at once, as Windows does. On a person's display
  # the window manager has them again.
  local managed=Y
  [ -n "${GLIMMERLUX_PRIVATE_DISPLAY:-}" ] && managed=N
  if ! grep -q "^\"Managed\"=\"$managed\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
    timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
    timeout 60 "$WINESERVER" -w
  fi
  # Debian's Wine does not load the fonts of its own folder, so the panel's Marlett glyphs
  # would fall back to plain letters; every Windows has Marlett in its Fonts folder.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}
