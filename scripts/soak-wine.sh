#!/usr/bin/env bash
# `make soak-wine`: glimmerlux.exe under Wine at 60 frames a second for SOAK_FRAMES frames (100000)
# while zoom, filter, flips, grid, smoothing and the view size change in a fixed cycle, through
# the program's own menu commands. At the end of every cycle it samples the process's resident
# memory (/proc) and its GDI objects and windows, counted by program_probe.exe in the process's
# GDI handle table: GetGuiResources answers 0 under Wine. Fails when the GDI objects or windows
# at the last sample exceed those at the end of the first fifth of the run, or resident memory
# grew since then by more than SOAK_RSS_SLACK_KIB.
# Usage: scripts/soak-wine.sh [PROGRAM_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${SOAK_FRAMES:-100000}
if [ -z "${SOAK_ON_DISPLAY:-}" ]; then
  export SOAK_ON_DISPLAY=1 XVFB_SCREEN=1920x1080x24
  # The run, plus start-up and the probe's own starts.
  export WITH_DISPLAY_TIMEOUT=$((frames / 50 + 600))
  exec scripts/with-display.sh "$0" "$@"
fi
# shellcheck source-path=SCRIPTDIR
source scripts/wine-env.sh
bin=${1:-build/windows}
slack=${SOAK_RSS_SLACK_KIB:-512}

Die() {
  echo "soak-wine: $*" >&2
  exit 1
}
set -E  # the trap below in functions too
trap 'echo "soak-wine: a command failed at line $LINENO" >&2' ERR
for program in glimmerlux program_probe test_pattern; do
  [ -x "$bin/$program.exe" ] || Die "no $bin/$program.exe: build the windows preset first (make windows)"
done
# Under load Wine now and then fails to start a process at all (no output, no message): then one
# more try, two seconds on. A probe that ran and said something is not tried again, so a toggle
# is never sent twice.
Probe() {
  local out status=0
  out=$("$WINE" "$bin/program_probe.exe" "$@" 2>&1) || status=$?
  if [ "$status" -ne 0 ] && [ -z "$out" ]; then
    sleep 2
    status=0
    out=$("$WINE" "$bin/program_probe.exe" "$@" 2>&1) || status=$?
  fi
  tr -d '\r' <<<"$out"
  return "$status"
}
WaitForWindow() {
  timeout 30 bash -c "until xdotool search --name '$1' >/dev/null 2>&1; do sleep 0.2; done" ||
    Die "no window \"$1\" after 30 s"
}
# Each toggle twice, and back to where it started: zoom 2, no filter, no flips, no grid, 800x600.
cycle=(Magnify4X1 CfSepia1 FlipHorizontally1 N10pixels1 "size 640 480" Smoothen1 Magnify1X1 FlipVertically1
  CfInvert1 DrawCrossHair1 Magnify025X1 N1pixel1 DrawFixedGrid1 Magnify3X1 CfDaltonizeTritanopia1 "size 320 240"
  Magnify40x1 FlipHorizontally1 FlipVertically1 Smoothen1 DrawCrossHair1 DrawFixedGrid1 NoGrid1 CfNone1
  Magnify2X1 "size 800 600")

"$WINE" "$bin/test_pattern.exe" --demo &
WaitForWindow "^Test pattern\$"
"$WINE" "$bin/glimmerlux.exe" &
WaitForWindow "^Glimmerlux( .*)?\$"
sleep 2
Probe size 800 600 >/dev/null || Die "could not size the view"
Probe command N60xpersecond1 >/dev/null || Die "could not set 60 frames a second"
pid=
for p in /proc/[0-9]*; do
  { tr '\0' ' ' <"$p/cmdline"; } 2>/dev/null | grep -qF glimmerlux.exe && pid=${p#/proc/} && break
done
[ -n "$pid" ] || Die "no glimmerlux.exe process"
# The pointer wanders over the pattern the whole time.
(while :; do xdotool mousemove $((1000 + RANDOM % 800)) $((100 + RANDOM % 800)); sleep 0.05; done) &
mover=$!
trap 'kill $mover 2>/dev/null || true' EXIT

# Frames are the 16 ms timer's ticks: Wine delivers 62.6 a second (bench/README.md counts them).
rate=62.6
seconds=$(awk -v f="$frames" -v r="$rate" 'BEGIN { printf "%d", f / r + 1 }')
start=$(date +%s)
Sample() {
  local rss counts
  [ -d "/proc/$pid" ] || Die "glimmerlux.exe is gone"
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  # A probe that Wine fails to start under load is tried again before the run is called failed.
  counts=$(Probe count) || Die "program_probe count failed twice"
  awk -v t="$(($(date +%s) - start))" -v r="$rate" -v rss="$rss" '{ printf "%d %d %d %d %d\n", t, t * r, rss, $2, $4 }' <<<"$counts"
}
echo "| seconds | frames (at $rate/s) | RSS KiB | GDI objects | windows |"
echo "|---:|---:|---:|---:|---:|"
# The count reads the program's whole GDI handle table, which brings 1.5 MB of it into the
# program's resident memory the first time: read once before the first sample.
Probe count >/dev/null || Die "program_probe count failed twice"
samples=()
cycles=0
while :; do
  for step in "${cycle[@]}"; do
    [ -d "/proc/$pid" ] || Die "glimmerlux.exe is gone (at $step)"
    # shellcheck disable=SC2086  # a size step is the probe's verb and its two numbers
    if [ "${step%% *}" = size ]; then Probe $step >/dev/null; else Probe command "$step" >/dev/null; fi ||
      Die "program_probe could not send $step"
  done
  cycles=$((cycles + 1))
  sample=$(Sample)
  samples+=("$sample")
  read -r t f r g w <<<"$sample"
  printf "| %s | %s | %s | %s | %s |\n" "$t" "$f" "$r" "$g" "$w"
  # The first cycle only settles: at least two more are compared with it.
  [ "$cycles" -ge 3 ] && [ $(($(date +%s) - start)) -ge "$seconds" ] && break
done
# The first fifth of the run (at least its first cycle) lets every bitmap reach its size and
# Wine's and the X server's caches fill; growth is counted from there to the end.
settled=$(((${#samples[@]} - 1) / 5))
read -r _ _ rssFirst _ _ <<<"${samples[0]}"
read -r ts fs rss0 gdi0 win0 <<<"${samples[$settled]}"
read -r t1 f1 rss1 gdi1 win1 <<<"${samples[-1]}"
echo
echo "$cycles cycles, $t1 s, about $f1 frames. Settling (first cycle to ${ts} s, about $fs frames): RSS $rssFirst -> $rss0 KiB."
echo "From then to the end: RSS $rss0 -> $rss1 KiB, GDI objects $gdi0 -> $gdi1, windows $win0 -> $win1"
# A sample taken while a command is being carried out may count its brush or font for a moment
# (one to four more, gone a sample or two later): the lowest of three samples is judged, at the
# end and where growth is counted from.
LowestGdi() {
  local lowest=$((1 << 30)) sample g
  for sample in "$@"; do
    read -r _ _ _ g _ <<<"$sample"
    ((g < lowest)) && lowest=$g
  done
  echo "$lowest"
}
gdiFrom=$(LowestGdi "${samples[@]:$settled:3}")
gdiEnd=$(LowestGdi "${samples[@]: -3}")
echo "GDI objects, the lowest of three samples: $gdiFrom from the end of the first fifth, $gdiEnd at the end"
[ "$gdiEnd" -le "$gdiFrom" ] || Die "GDI objects grew"
[ "$win1" -le "$win0" ] || Die "windows grew"
[ $((rss1 - rss0)) -le "$slack" ] || Die "resident memory grew by $((rss1 - rss0)) KiB"
