# shellcheck shell=bash disable=SC2034  # server_pid and DISPLAY are for with-display.sh
# Sourced by with-display.sh: the X server the tests run on, its monitors and the DPI Wine reports.
# Wine reads the monitor layout and the DPI when its first process starts, and a layout changed
# while Wine runs reached some windows and not others: so the layout is made and checked, and
# the DPI stored, before any Windows process of the run starts (the caller has ended the rest).

# Waits for a server started with -displayfd 3>"$1/display" and sets DISPLAY.
WaitForDisplay() {
  local work=$1
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$work/display" ]; then
    echo "with-display: the X server did not start" >&2
    cat "$work/server.log" >&2
    exit 1
  fi
  DISPLAY=":$(head -n 1 "$work/display")"
}

# The monitors as `xrandr --listmonitors` names them, one "WxH+X+Y" (a `*` after the primary)
# a line, in output order.
ListedMonitors() {
  xrandr --listmonitors | sed -n 's#^ *[0-9]*: +\(\*\?\)\(DUMMY[0-9]*\) \([0-9]*\)/[0-9]*x\([0-9]*\)/[0-9]*\(+[-0-9]*+[-0-9]*\).*#\2 \3x\4\5\1#p' |
    sort -V | cut -d' ' -f2
}

# Puts the monitors of LAYOUT ("1280x1024+0+0 1600x1200+1280+0*") on the outputs DUMMY0,
# DUMMY1, ... of the dummy Xorg on $DISPLAY (the others are disconnected) and waits until X
# reports exactly that layout.
SetMonitors() {
  local layout=$1 arguments=() i=0 monitor size
  for monitor in $layout; do
    size=${monitor%%+*}
    # A mode with a zero pixel clock is enough for a screen nobody watches.
    xrandr --newmode "$size" 0 "${size%x*}" "${size%x*}" "${size%x*}" "${size%x*}" \
      "${size#*x}" "${size#*x}" "${size#*x}" "${size#*x}" 2>/dev/null || true
    xrandr --addmode "DUMMY$i" "$size"
    local position=${monitor#*+}
    position=${position%\*}
    arguments+=(--output "DUMMY$i" --mode "$size" --pos "${position/+/x}" --rotate normal)
    [ "${monitor: -1}" = "*" ] && arguments+=(--primary)
    i=$((i + 1))
  done
  xrandr "${arguments[@]}"
  local wanted
  wanted=$(tr ' ' '\n' <<<"$layout" | grep -v '^$')
  for _ in $(seq 50); do
    [ "$(ListedMonitors)" = "$wanted" ] && return 0
    sleep 0.1
  done
  echo "with-display: X shows the monitors $(ListedMonitors | tr "\n" " ")instead of $layout" >&2
  return 1
}

# Starts Xorg with the dummy driver on a free display, big enough for LAYOUT, and lays it out.
StartDummyXorg() {
  local layout=$1 work=$2 right=0 bottom=0 monitor size position x y
  if [ "$(id -u)" -ne 0 ]; then
    echo "with-display: several monitors need Xorg, which only root may start here" >&2
    exit 77
  fi
  if ! command -v Xorg >/dev/null || ! command -v xrandr >/dev/null ||
    [ ! -f /usr/lib/xorg/modules/drivers/dummy_drv.so ]; then
    echo "with-display: several monitors need Xorg, its dummy driver and xrandr: install" \
      "xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils (make deps)" >&2
    exit 1
  fi
  for monitor in $layout; do
    size=${monitor%%+*}
    position=${monitor#*+}
    position=${position%\*}
    x=${position%+*}
    y=${position#*+}
    right=$((right > x + ${size%x*} ? right : x + ${size%x*}))
    bottom=$((bottom > y + ${size#*x} ? bottom : y + ${size#*x}))
  done
  cat >"$work/xorg.conf" <<EOF
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual $right $bottom
  EndSubSection
EndSection
EOF
  Xorg -displayfd 3 -config "$work/xorg.conf" -noreset -nolisten tcp -logfile "$work/xorg.log" \
    3>"$work/display" >"$work/server.log" 2>&1 &
  server_pid=$!
  WaitForDisplay "$work"
  export DISPLAY
  SetMonitors "$layout" || exit 1
}

# The value Wine's system DPI comes from, in the user's registry; nothing printed when it is not set.
StoredDpi() {
  local hex
  hex=$(awk '/^\[Control Panel\\\\Desktop\]/ { inside = 1; next } /^\[/ { inside = 0 }
             inside && sub(/^"LogPixels"=dword:/, "") { print }' "$WINEPREFIX/user.reg")
  [ -z "$hex" ] || echo $((16#$hex))
}

# Stores the DPI for the next Windows process; a prefix that already has it is left alone, so
# the usual run at 96 DPI starts no extra Wine process.
SetWineDpi() {
  local dpi=$1
  [ "$(StoredDpi)" = "$dpi" ] && return 0
  [ "$dpi" = 96 ] && [ -z "$(StoredDpi)" ] && return 0
  timeout 60 "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  timeout 30 "$WINESERVER" -k 2>/dev/null || true
  timeout 30 "$WINESERVER" -w 2>/dev/null || true
  if [ "$(StoredDpi)" != "$dpi" ]; then
    echo "with-display: Wine did not store LogPixels = $dpi" >&2
    exit 1
  fi
}
