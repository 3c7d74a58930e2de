#!/usr/bin/env bash
# Starts the real program on a virtual X display and checks that its main window maps.
# Usage: xvfb_smoke.sh PATH_TO_ZQ350
set -u
program=$1
command -v Xvfb >/dev/null && command -v xwininfo >/dev/null || { echo "Xvfb or xwininfo missing"; exit 77; }

tmp=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the descriptor.
exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { echo "Xvfb did not start"; cat "$tmp/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

"$program" >"$tmp/app.log" 2>&1 &
app_pid=$!
for _ in $(seq 150); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Timing View"'; then
    state=$(xwininfo -name "Timing View" 2>/dev/null | grep "Map State")
    if echo "$state" | grep -q IsViewable; then
      echo "Timing View mapped on $DISPLAY"
      exit 0
    fi
  fi
  kill -0 "$app_pid" 2>/dev/null || { echo "zq350 ended early"; cat "$tmp/app.log"; exit 1; }
  sleep 0.1
done
echo "no Timing View window within 15 s"
cat "$tmp/app.log"
exit 1
