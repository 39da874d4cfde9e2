#!/usr/bin/env bash
# `make bench-program`: the CPU time of glimmerlux.exe under Wine magnifying an 800x600 view at
# zoom 2 while the pointer moves, next to xzoom at the same size and zoom on the same display,
# and the program's memory, GDI objects and windows over a few thousand frames.
# Runs on a private display of its own. Usage: bench/program-cpu.sh [PROGRAM_DIR]
# BENCH_SECONDS: length of each CPU window (30); MEMORY_SECONDS: length of the memory run (180).
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
memory_seconds=${MEMORY_SECONDS:-180}
hz=$(getconf CLK_TCK)
# The program's tick is a 66 ms timer; xzoom's nearest built-in delay is 50 ms.
program_rate=$(awk 'BEGIN { printf "%.2f", 1000 / 66 }')
xzoom_delay_presses=2 # 200 ms -> 100 ms -> 50 ms

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

# One CPU window: prints "Xvfb wineserver other-Wine magnifier" CPU ticks over $seconds with the
# pointer moving. $1: pids of the magnifier; other Wine processes are every Wine process not in $1.
MeasureWindow() {
  local magnifier=$1 xvfb wineserver others before after mover
  xvfb=$(XvfbPid) || Die "no Xvfb found"
  wineserver=$(WineserverPid)
  [ -n "$wineserver" ] || Die "no wineserver found"
  others=$(WinePids "" | grep -vxF -f <(tr ' ' '\n' <<<"$magnifier" | grep .) || true)
  MovePointer $((seconds + 3)) &
  mover=$!
  sleep 1
  # shellcheck disable=SC2086
  before="$(CpuTicks $xvfb) $(CpuTicks $wineserver) $(CpuTicks $others) $(CpuTicks $magnifier)"
  sleep "$seconds"
  # shellcheck disable=SC2086
  after="$(CpuTicks $xvfb) $(CpuTicks $wineserver) $(CpuTicks $others) $(CpuTicks $magnifier)"
  wait "$mover"
  paste -d ' ' <(tr ' ' '\n' <<<"$after") <(tr ' ' '\n' <<<"$before") | awk '{ printf "%d ", $1 - $2 }'
  echo
}

# Milliseconds of CPU per second of wall time, from ticks over the window.
PerSecond() {
  awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", t * 1000 / hz / s }'
}

# The ticks that the magnifier costs: its own and what it makes the X server and the wineserver do
# beyond the idle run. The other Wine processes (the desktop, services, the pattern) are shown but
# left out: they wander by a few ms a second on their own.
NetTicks() {
  local xvfb wineserver others magnifier
  read -r xvfb wineserver others magnifier <<<"$1"
  echo $((xvfb + wineserver + magnifier - idle_base))
}

Row() {
  local name=$1 rate=$2 ticks=$3 xvfb wineserver others magnifier total net
  read -r xvfb wineserver others magnifier <<<"$ticks"
  total=$((xvfb + wineserver + others + magnifier))
  net=$(NetTicks "$ticks")
  printf "| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n" "$name" "$rate" "$(PerSecond "$xvfb")" \
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

for program in glimmerlux program_probe test_pattern; do
  [ -x "$bin/$program.exe" ] || Die "no $bin/$program.exe: build the windows preset first (make windows)"
done
command -v xzoom >/dev/null || Die "xzoom is missing (scripts/install-deps.sh bench)"

echo "Starting the test pattern (Wine) as the desktop to magnify"
"$WINE" "$bin/test_pattern.exe" --demo &
WaitForWindow "^Test pattern\$"
sleep 2

echo "Idle: the pattern and the moving pointer, no magnifier (${seconds} s)"
idle=$(MeasureWindow "")
read -r a b _ _ <<<"$idle"
idle_base=$((a + b))

echo "xzoom -mag 2 -geometry 800x600 at its 50 ms delay (${seconds} s)"
xzoom -mag 2 -geometry 800x600+0+0 2>/dev/null &
xzoom_pid=$!
WaitForWindow "^xzoom"
xzoom_window=$(xdotool search --name "^xzoom" | head -n 1)
for _ in $(seq "$xzoom_delay_presses"); do
  xdotool key --window "$xzoom_window" d 2>/dev/null
  sleep 0.3
done
[ "$(xdotool getwindowname "$xzoom_window")" = "delay = 50 ms" ] || Die "xzoom did not take the 50 ms delay"
# xzoom sleeps once a frame after drawing it, so its frames are its sleeps.
xzoom_rate=20.00
if command -v strace >/dev/null; then
  summary=$(timeout -s INT 10 strace -c -e trace=clock_nanosleep,nanosleep -p "$xzoom_pid" 2>&1 >/dev/null || true)
  calls=$(awk '$NF ~ /nanosleep$/ { n += $4 } END { print n + 0 }' <<<"$summary")
  [ "${calls:-0}" -gt 0 ] && xzoom_rate=$(awk -v c="$calls" 'BEGIN { printf "%.2f", c / 10 }')
else
  echo "strace is missing: xzoom's rate is taken as 20 frames a second"
fi
xzoom_ticks=$(MeasureWindow "$xzoom_pid")
kill "$xzoom_pid"
wait "$xzoom_pid" 2>/dev/null || true

echo "glimmerlux.exe, view 800x600 at zoom 2 (${seconds} s)"
"$WINE" "$bin/glimmerlux.exe" &
WaitForWindow "^Glimmerlux\$"
sleep 2
"$WINE" "$bin/program_probe.exe" size 800 600 | tr -d '\r' || Die "could not size the view to 800x600"
program_pid=$(WinePids glimmerlux.exe)
[ "$(wc -w <<<"$program_pid")" -eq 1 ] || Die "expected one glimmerlux.exe process, found: $program_pid"
sleep 3
program_ticks=$(MeasureWindow "$program_pid")

echo "glimmerlux.exe memory, GDI objects and windows over ${memory_seconds} s"
MovePointer $((memory_seconds + 10)) &
mover=$!
samples=()
start=$(date +%s)
step=$((memory_seconds >= 6 ? memory_seconds / 6 : 1))
for ((elapsed = 0; elapsed <= memory_seconds; elapsed += step)); do
  sleep $((start + elapsed - $(date +%s))) 2>/dev/null || true
  samples+=("$elapsed $(ProgramState "$program_pid")")
done
kill "$mover" 2>/dev/null || true
wait "$mover" 2>/dev/null || true

echo
echo "CPU: milliseconds of CPU per second of wall time over ${seconds} s. net: magnifier + Xvfb +"
echo "wineserver, less Xvfb + wineserver of the idle run. Frames a second: the program's 66 ms timer;"
echo "xzoom's counted. 60 a second waits for the program's update frequency command."
echo
echo "| run | frames/s | Xvfb | wineserver | other Wine | magnifier | total | net | net ms/frame |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|"
Row "idle (pattern, pointer)" 0 "$idle"
Row "xzoom, delay 50 ms" "$xzoom_rate" "$xzoom_ticks"
Row "glimmerlux.exe" "$program_rate" "$program_ticks"
xzoom_net=$(NetTicks "$xzoom_ticks")
program_net=$(NetTicks "$program_ticks")
awk -v p="$program_net" -v x="$xzoom_net" -v pr="$program_rate" -v xr="$xzoom_rate" 'BEGIN {
  if (x <= 0) { print "\nxzoom cost nothing measurable: no ratio"; exit }
  printf "\nglimmerlux / xzoom, net CPU per frame: %.2f (per second at each one'\''s own rate: %.2f)\n",
    (p / pr) / (x / xr), p / x
}'
echo
echo "| seconds | frames | RSS KiB | GDI objects | windows |"
echo "|---:|---:|---:|---:|---:|"
for sample in "${samples[@]}"; do
  read -r elapsed rss gdi windows <<<"$sample"
  printf "| %s | %s | %s | %s | %s |\n" "$elapsed" "$(awk -v s="$elapsed" -v r="$program_rate" 'BEGIN { printf "%d", s * r }')" \
    "$rss" "$gdi" "$windows"
done
read -r _ first_rss _ <<<"${samples[0]}"
read -r last_elapsed last_rss _ <<<"${samples[-1]}"
awk -v a="$first_rss" -v b="$last_rss" -v s="$last_elapsed" -v r="$program_rate" 'BEGIN {
  printf "\nRSS growth: %+d KiB over %d frames, %+.1f KiB per 1000 frames\n", b - a, s * r, (b - a) / (s * r) * 1000
}'
