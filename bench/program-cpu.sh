#!/usr/bin/env bash
# `make bench-program`: the CPU time of glimmerlux.exe under Wine magnifying an 800x600 view at
# zoom 2, at 15 and at 60 frames a second (set through the program's own update frequency
# command), next to xzoom at the same size and zoom on the same display, in two scenes: the
# pointer moving (every frame new) and the pointer parked on a still desktop (nothing new); then
# the program's memory, GDI objects and windows over 10,000 frames at 60 a second.
# Runs on a private display of its own. Usage: bench/program-cpu.sh [PROGRAM_DIR]
# BENCH_SECONDS: length of each CPU window (30); MEMORY_FRAMES: length of the memory run (10000).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${PROGRAM_CPU_ON_DISPLAY:-}" ]; then
  export PROGRAM_CPU_ON_DISPLAY=1 XVFB_SCREEN=1920x1080x24 WITH_DISPLAY_TIMEOUT=1800
  exec scripts/with-display.sh "$0" "$@"
fi
# shellcheck source-path=SCRIPTDIR/../scripts
source scripts/wine-env.sh
bin=${1:-build/windows}
seconds=${BENCH_SECONDS:-30}
memory_frames=${MEMORY_FRAMES:-10000}
hz=$(getconf CLK_TCK)
# Each frame the program reads its 400x300 source (800x600 at zoom 2) from the X server as one
# GetImage reply of 32-bit pixels after a 32-byte header, written by the server to the socket.
capture_bytes=$((400 * 300 * 4 + 32))

Die() {
  echo "program-cpu: $*" >&2
  exit 1
}

WaitForWindow() {
  timeout 30 bash -c "until xdotool search --name '$1' >/dev/null 2>&1; do sleep 0.2; done" ||
    Die "no window \"$1\" after 30 s"
}

# utime + stime of the processes, in clock ticks; processes that are gone count nothing.
CpuTicks() {
  local total=0 pid fields
  for pid in "$@"; do
    fields=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null) || continue
    total=$((total + $(awk '{ print $12 + $13 }' <<<"$fields")))
  done
  echo "$total"
}

# with-display.sh started the X server beside the `timeout` that runs this script.
XvfbPid() {
  pgrep -x -P "$(ps -o ppid= -p "$PPID" | tr -d ' ')" Xvfb
}

InPrefix() {
  tr '\0' '\n' <"/proc/$1/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"
}

WineserverPid() {
  local pid
  for pid in $(pgrep -x wineserver64) $(pgrep -x wineserver); do
    InPrefix "$pid" && echo "$pid"
  done
  return 0
}

# Windows processes of this prefix whose command line has $1 (every one when $1 is empty).
WinePids() {
  local pid
  for pid in /proc/[0-9]*; do
    pid=${pid#/proc/}
    case $(readlink "/proc/$pid/exe" 2>/dev/null) in /usr/lib/wine/wine64*) ;; *) continue ;; esac
    InPrefix "$pid" || continue
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- "$1" && echo "$pid"
  done
  return 0
}

# The pointer goes round a circle to the right of both magnifiers, 20 steps a second.
MovePointer() {
  local steps=$(($1 * 20))
  # shellcheck disable=SC2046
  xdotool $(awk -v n="$steps" 'BEGIN {
    for (i = 0; i < n; ++i) {
      a = 2 * 3.14159265 * i / 200
      printf "mousemove %d %d sleep 0.05 ", 1400 + 350 * cos(a), 560 + 350 * sin(a)
    }
  }')
}

# Bytes Xvfb has written with write/writev (its replies and events to every client).
XvfbWrites() {
  awk '/^wchar:/ { print $2 }' "/proc/$1/io"
}

# One CPU window: prints "Xvfb wineserver other-Wine magnifier" CPU ticks over $seconds, then the
# bytes Xvfb wrote meanwhile. $1: pids of the magnifier; other Wine processes are every
# Wine process not in $1. $2: the scene, `moving` (the pointer goes round its circle) or `still`
# (the pointer parked to the right of both magnifiers, nothing on the desktop moves).
MeasureWindow() {
  local magnifier=$1 scene=$2 xvfb wineserver others before after mover=""
  xvfb=$(XvfbPid) || Die "no Xvfb found"
  wineserver=$(WineserverPid)
  [ -n "$wineserver" ] || Die "no wineserver found"
  others=$(WinePids "" | grep -vxF -f <(tr ' ' '\n' <<<"$magnifier" | grep .) || true)
  case $scene in
    moving)
      MovePointer $((seconds + 3)) &
      mover=$!
      ;;
    still) xdotool mousemove 1400 560 || Die "could not park the pointer" ;;
    *) Die "no scene \"$scene\"" ;;
  esac
  # The still scene's first frames are the last ones with the pointer somewhere else.
  sleep 1
  # shellcheck disable=SC2086
  before="$(CpuTicks $xvfb) $(CpuTicks $wineserver) $(CpuTicks $others) $(CpuTicks $magnifier) $(XvfbWrites "$xvfb")"
  sleep "$seconds"
  # shellcheck disable=SC2086
  after="$(CpuTicks $xvfb) $(CpuTicks $wineserver) $(CpuTicks $others) $(CpuTicks $magnifier) $(XvfbWrites "$xvfb")"
  [ -z "$mover" ] || wait "$mover"
  paste -d ' ' <(tr ' ' '\n' <<<"$after") <(tr ' ' '\n' <<<"$before") | awk '{ printf "%d ", $1 - $2 }'
  echo
}

# Milliseconds of CPU per second of wall time, from ticks over the window.
PerSecond() {
  awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", t * 1000 / hz / s }'
}

# The ticks that the magnifier costs: its own and what it makes the X server and the wineserver do
# beyond the idle run of the same scene. The other Wine processes (the desktop, services, the
# pattern) are shown but left out: they wander by a few ms a second on their own.
NetTicks() {
  local xvfb wineserver others magnifier idle_xvfb idle_wineserver
  read -r xvfb wineserver others magnifier _ <<<"$1"
  read -r idle_xvfb idle_wineserver _ <<<"$(IdleOf "$2")"
  echo $((xvfb + wineserver + magnifier - idle_xvfb - idle_wineserver))
}

IdleOf() {
  case $1 in
    moving) echo "$idle_moving" ;;
    still) echo "$idle_still" ;;
    *) Die "no idle run for the scene \"$1\"" ;;
  esac
}

# $1: name; $2: scene; $3: frames a second; $4: the window's figures.
Row() {
  local name=$1 scene=$2 rate=$3 ticks=$4 xvfb wineserver others magnifier total net
  read -r xvfb wineserver others magnifier _ <<<"$ticks"
  total=$((xvfb + wineserver + others + magnifier))
  net=$(NetTicks "$ticks" "$scene")
  printf "| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n" "$name" "$scene" "$rate" "$(PerSecond "$xvfb")" \
    "$(PerSecond "$wineserver")" "$(PerSecond "$others")" "$(PerSecond "$magnifier")" "$(PerSecond "$total")" \
    "$(PerSecond "$net")" "$(awk -v n="$(PerSecond "$net")" -v r="$rate" 'BEGIN { if (r > 0) printf "%.2f", n / r; else print "-" }')"
}

ProgramState() {
  local rss probe
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$1/status")
  probe=$("$WINE" "$bin/program_probe.exe" count | tr -d '\r') || Die "program_probe count failed"
  # "gdi N windows M"
  awk -v rss="$rss" '{ print rss, $2, $4 }' <<<"$probe"
}

# The program's frames over a window: the server's writes less those of the idle run of the same
# scene (events to the other clients), in whole capture replies. A still frame is captured too.
ProgramRate() {
  local written idle_written
  read -r _ _ _ _ written _ <<<"$1"
  read -r _ _ _ _ idle_written _ <<<"$(IdleOf "$2")"
  awk -v w="$written" -v i="$idle_written" -v b="$capture_bytes" -v s="$seconds" \
    'BEGIN { printf "%.2f", (w - i) / b / s }'
}

# xzoom draws through shared memory, which no socket count sees; it sleeps once a frame after
# drawing, so its frames are its sleeps, counted by strace over 10 s. $1: the delay it should have.
XzoomRate() {
  local summary calls
  [ "$(xdotool getwindowname "$xzoom_window")" = "delay = $1 ms" ] || Die "xzoom did not take the $1 ms delay"
  if ! command -v strace >/dev/null; then
    echo "strace is missing: xzoom's rate is taken from its delay alone" >&2
    awk -v d="$1" 'BEGIN { printf "%.2f", 1000 / d }'
    return
  fi
  summary=$(timeout -s INT 10 strace -c -e trace=clock_nanosleep,nanosleep -p "$xzoom_pid" 2>&1 >/dev/null || true)
  calls=$(awk '$NF ~ /nanosleep$/ { n += $4 } END { print n + 0 }' <<<"$summary")
  [ "${calls:-0}" -gt 0 ] || Die "strace saw xzoom sleep not once"
  awk -v c="$calls" 'BEGIN { printf "%.2f", c / 10 }'
}

# xzoom's `d` key steps its delay 200 -> 100 -> 50 -> 10 -> 0 ms.
XzoomSlower() {
  xdotool key --window "$xzoom_window" d 2>/dev/null
  sleep 0.3
}

# Chooses an update frequency in the program's main menu.
ProgramCommand() {
  "$WINE" "$bin/program_probe.exe" command "$1" | tr -d '\r' || Die "program_probe command $1 failed"
  sleep 2
}

for program in glimmerlux program_probe test_pattern; do
  [ -x "$bin/$program.exe" ] || Die "no $bin/$program.exe: build the windows preset first (make windows)"
done
command -v xzoom >/dev/null || Die "xzoom is missing (scripts/install-deps.sh bench)"

echo "Starting the test pattern (Wine) as the desktop to magnify"
"$WINE" "$bin/test_pattern.exe" --demo &
WaitForWindow "^Test pattern\$"
sleep 2

scenes=(moving still)
echo "Idle: the pattern and the moving pointer, no magnifier (${seconds} s)"
idle_moving=$(MeasureWindow "" moving)
echo "Idle: the pattern and the pointer parked, no magnifier (${seconds} s)"
idle_still=$(MeasureWindow "" still)
read -r _ _ _ _ idle_writes _ <<<"$idle_moving"

xzoom -mag 2 -geometry 800x600+0+0 2>/dev/null &
xzoom_pid=$!
WaitForWindow "^xzoom"
xzoom_window=$(xdotool search --name "^xzoom" | head -n 1)
XzoomSlower
XzoomSlower
xzoom50_rate=$(XzoomRate 50)
declare -A xzoom50_ticks xzoom10_ticks program15_ticks program60_ticks program15_rate program60_rate
for scene in "${scenes[@]}"; do
  echo "xzoom -mag 2 -geometry 800x600 at its 50 ms delay, pointer $scene (${seconds} s)"
  xzoom50_ticks[$scene]=$(MeasureWindow "$xzoom_pid" "$scene")
done
# 10 ms is its fastest delay that still sleeps each frame, so the one whose frames can be counted;
# at 0 it draws as fast as it can, far beyond 60 a second.
XzoomSlower
xzoom10_rate=$(XzoomRate 10)
for scene in "${scenes[@]}"; do
  echo "xzoom at its 10 ms delay, pointer $scene (${seconds} s)"
  xzoom10_ticks[$scene]=$(MeasureWindow "$xzoom_pid" "$scene")
done
kill "$xzoom_pid"
wait "$xzoom_pid" 2>/dev/null || true

echo "glimmerlux.exe, view 800x600 at zoom 2"
"$WINE" "$bin/glimmerlux.exe" &
WaitForWindow "^Glimmerlux( .*)?\$"
sleep 2
"$WINE" "$bin/program_probe.exe" size 800 600 | tr -d '\r' || Die "could not size the view to 800x600"
program_pid=$(WinePids glimmerlux.exe)
[ "$(wc -w <<<"$program_pid")" -eq 1 ] || Die "expected one glimmerlux.exe process, found: $program_pid"
ProgramCommand N15xpersecond1
for scene in "${scenes[@]}"; do
  echo "glimmerlux.exe at \"15 x per second : Low\", pointer $scene (${seconds} s)"
  program15_ticks[$scene]=$(MeasureWindow "$program_pid" "$scene")
  program15_rate[$scene]=$(ProgramRate "${program15_ticks[$scene]}" "$scene")
done
ProgramCommand N60xpersecond1
for scene in "${scenes[@]}"; do
  echo "glimmerlux.exe at \"60 x per second : High\", pointer $scene (${seconds} s)"
  program60_ticks[$scene]=$(MeasureWindow "$program_pid" "$scene")
  program60_rate[$scene]=$(ProgramRate "${program60_ticks[$scene]}" "$scene")
  awk -v r="${program60_rate[$scene]}" 'BEGIN { exit !(r > 40) }' ||
    Die "only ${program60_rate[$scene]} frames a second after the 60 a second command, pointer $scene"
done
memory_rate=${program60_rate[moving]}

# Long enough for the frames asked for at the rate just measured, and samples at six even steps.
memory_seconds=$(awk -v f="$memory_frames" -v r="$memory_rate" 'BEGIN { s = f / r; printf "%d", s == int(s) ? s : int(s) + 1 }')
echo "glimmerlux.exe memory, GDI objects and windows over ${memory_frames} frames (${memory_seconds} s)"
MovePointer $((memory_seconds + 20)) &
mover=$!
xvfb=$(XvfbPid) || Die "no Xvfb found"
# The count reads the program's whole GDI handle table, which brings 1.5 MB of it into the
# program's resident memory the first time: read once before the first sample.
ProgramState "$program_pid" >/dev/null
start=$(date +%s)
first_writes=$(XvfbWrites "$xvfb")
# The program's frames since the start of the memory run.
FramesSoFar() {
  awk -v w="$(XvfbWrites "$xvfb")" -v f="$first_writes" -v i="$idle_writes" -v e="$(($(date +%s) - start))" \
    -v s="$seconds" -v b="$capture_bytes" 'BEGIN { n = (w - f - i * e / s) / b; printf "%d", (n > 0 ? n : 0) }'
}
samples=()
for step in 0 1 2 3 4 5 6; do
  elapsed=$((memory_seconds * step / 6))
  sleep $((start + elapsed - $(date +%s))) 2>/dev/null || true
  # The rate sags a little while the probe runs: the last sample waits for the full count.
  if [ "$step" -eq 6 ]; then
    for _ in $(seq 10); do
      [ "$(FramesSoFar)" -ge "$memory_frames" ] && break
      sleep 1
    done
    elapsed=$(($(date +%s) - start))
  fi
  samples+=("$elapsed $(FramesSoFar) $(ProgramState "$program_pid")")
done
kill "$mover" 2>/dev/null || true
wait "$mover" 2>/dev/null || true

echo
echo "CPU: milliseconds of CPU per second of wall time over ${seconds} s. net: magnifier + Xvfb +"
echo "wineserver, less Xvfb + wineserver of the idle run of the same scene. Frames a second: the"
echo "program's counted capture replies ($capture_bytes bytes each in Xvfb's writes beyond the idle"
echo "run; a still frame is captured too); xzoom's counted sleeps."
echo
echo "| run | pointer | frames/s | Xvfb | wineserver | other Wine | magnifier | total | net | net ms/frame |"
echo "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|"
for scene in "${scenes[@]}"; do
  Row "idle (pattern)" "$scene" 0 "$(IdleOf "$scene")"
  Row "xzoom, delay 50 ms" "$scene" "$xzoom50_rate" "${xzoom50_ticks[$scene]}"
  Row "xzoom, delay 10 ms" "$scene" "$xzoom10_rate" "${xzoom10_ticks[$scene]}"
  Row "glimmerlux.exe, 15 x per second" "$scene" "${program15_rate[$scene]}" "${program15_ticks[$scene]}"
  Row "glimmerlux.exe, 60 x per second" "$scene" "${program60_rate[$scene]}" "${program60_ticks[$scene]}"
done
echo
# $1: caption; $2: scene; $3 $4: the program's ticks and rate; $5 $6: xzoom's.
Ratio() {
  awk -v name="$1" -v p="$(NetTicks "$3" "$2")" -v pr="$4" -v x="$(NetTicks "$5" "$2")" -v xr="$6" 'BEGIN {
    if (x <= 0 || pr <= 0) { printf "%s: xzoom cost nothing measurable, no ratio\n", name; exit }
    printf "%s, net CPU per frame: %.2f (per second at each one'\''s own rate: %.2f)\n",
      name, (p / pr) / (x / xr), p / x
  }'
}
for scene in "${scenes[@]}"; do
  Ratio "pointer $scene: glimmerlux at 15/s / xzoom at 50 ms" "$scene" "${program15_ticks[$scene]}" \
    "${program15_rate[$scene]}" "${xzoom50_ticks[$scene]}" "$xzoom50_rate"
  Ratio "pointer $scene: glimmerlux at 60/s / xzoom at 10 ms" "$scene" "${program60_ticks[$scene]}" \
    "${program60_rate[$scene]}" "${xzoom10_ticks[$scene]}" "$xzoom10_rate"
done
echo
echo "| seconds | frames | RSS KiB | GDI objects | windows |"
echo "|---:|---:|---:|---:|---:|"
for sample in "${samples[@]}"; do
  read -r elapsed frames rss gdi windows <<<"$sample"
  printf "| %s | %s | %s | %s | %s |\n" "$elapsed" "$frames" "$rss" "$gdi" "$windows"
done
read -r _ _ first_rss _ <<<"${samples[0]}"
read -r _ last_frames last_rss _ <<<"${samples[-1]}"
awk -v a="$first_rss" -v b="$last_rss" -v n="$last_frames" 'BEGIN {
  printf "\nRSS growth: %+d KiB over %d frames, %+.1f KiB per 1000 frames\n", b - a, n, (n > 0 ? (b - a) / n * 1000 : 0)
}'
