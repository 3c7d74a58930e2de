#!/usr/bin/env bash
# Starts the real program on a virtual X display and checks that its main window maps.
# Usage: xvfb_smoke.sh PATH_TO_ZQ350
set -u
program=$1
command -v Xvfb >/dev/null && command -v xwininfo >/dev/null || { echo "Xvfb or xwininfo missing"; exit 77; }
source "$(dirname "$0")/../../scripts/xvfb.sh"

log=$(mktemp)
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  zq_xvfb_stop
  rm -f "$log"
}
trap cleanup EXIT

zq_xvfb_start || exit 1
"$program" >"$log" 2>&1 &
app_pid=$!
if zq_wait_window "Timing View" "$app_pid" 15 >/dev/null; then
  echo "Timing View mapped on $DISPLAY"
  exit 0
fi
echo "no Timing View window within 15 s, or zq350 ended early:"
cat "$log"
exit 1
