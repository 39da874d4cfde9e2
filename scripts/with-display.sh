#!/usr/bin/env bash
# shellcheck disable=SC2317  # Cleanup and Interrupted run from traps
# Runs a command on a private X display with the project's Wine prefix, and leaves nothing running:
# the display, the wineserver and every Windows process of the prefix end with it.
# Usage: with-display.sh COMMAND [ARGS...]
#   WITH_DISPLAY_TIMEOUT  seconds the command may take (900)
#   WINE_MONITORS         several monitors on Xorg's dummy driver instead of one Xvfb screen, as X
#                         places them: "1280x1024+0+0 1600x1200+1280+0*" (`*` marks the primary;
#                         Windows puts the primary's top-left at (0, 0)). Xorg needs root.
#   WINE_DPI              the system DPI Wine reports (LogPixels), 96 unless set
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/wine-env.sh"
mkdir -p "$(dirname "$WINEPREFIX")"

# One wineserver serves a prefix whatever the display, so users of the prefix take turns.
# Children get no copy of the lock (9>&-): a wineserver left behind would otherwise hold it.
exec 9>"$WINEPREFIX.lock"
flock -w 900 9 || { echo "with-display: the Wine prefix stayed busy for 15 minutes" >&2; exit 1; }
# Whatever still runs in the prefix was left behind by a run that was killed.
timeout 30 "$WINESERVER" -k 9>&- 2>/dev/null || true

server_pid=""
command_pid=""
work=$(mktemp -d)
Cleanup() {
  timeout 30 "$WINESERVER" -k 9>&- 2>/dev/null || true
  timeout 30 "$WINESERVER" -w 9>&- 2>/dev/null || true
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
Interrupted() {
  if [ -n "$command_pid" ]; then kill "$command_pid" 2>/dev/null || true; fi
  exit 143
}
trap Cleanup EXIT
trap Interrupted TERM INT HUP

# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/desk.sh"
# -displayfd lets the server pick a free display itself, so parallel runs never race for one.
if [ -n "${WINE_MONITORS:-}" ]; then
  StartDummyXorg "$WINE_MONITORS" "$work" 9>&-
else
  command -v Xvfb >/dev/null || { echo "with-display: Xvfb is missing: install xvfb (make deps)" >&2; exit 1; }
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$work/display" 9>&- >"$work/server.log" 2>&1 &
  server_pid=$!
  WaitForDisplay "$work"
fi
export DISPLAY

export GLIMMERLUX_PRIVATE_DISPLAY=1
# An error inside a window message of the program becomes a line here rather than a box that
# would hold the test; any line fails the run. (Z: is the Unix root in every Wine prefix.)
export GLIMMERLUX_ERROR_LOG="Z:$work/handler-errors.log"
EnsurePrefix 9>&-
# Set while no Windows process runs, so every process of the command starts at this DPI.
SetWineDpi "${WINE_DPI:-96}" 9>&-
# In the background so that a signal reaches the trap at once rather than after the command.
timeout --kill-after=10 "${WITH_DISPLAY_TIMEOUT:-900}" "$@" 9>&- &
command_pid=$!
rc=0
wait "$command_pid" || rc=$?
if [ -s "$work/handler-errors.log" ]; then
  echo "with-display: the program reported errors in its window messages:" >&2
  cat "$work/handler-errors.log" >&2
  [ "$rc" -ne 0 ] || rc=1
fi
exit "$rc"
