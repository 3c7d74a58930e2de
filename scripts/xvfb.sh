# A virtual X display (Xvfb) for ./run without a display, the smoke test and the package check.
# Sourced. zq_xvfb_start starts one and exports DISPLAY; zq_xvfb_stop ends it (call it from the
# caller's EXIT trap); zq_wait_window waits until a window of a given name is mapped.

ZQ_XVFB_PID="" ZQ_XVFB_DIR=""

# Starts Xvfb on a free display it picks itself and exports DISPLAY. Returns 1 with Xvfb's log
# on standard error when it does not start within 10 s.
zq_xvfb_start() {
  ZQ_XVFB_DIR=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$ZQ_XVFB_DIR/display" >"$ZQ_XVFB_DIR/xvfb.log" 2>&1 &
  ZQ_XVFB_PID=$!
  local _
  for _ in $(seq 100); do
    [ -s "$ZQ_XVFB_DIR/display" ] && break
    sleep 0.1
  done
  if [ ! -s "$ZQ_XVFB_DIR/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$ZQ_XVFB_DIR/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$ZQ_XVFB_DIR/display")"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
  # The display is named before it is sure to take clients (and a server that lost a race
  # for it ends): wait until one connects.
  for _ in $(seq 50); do
    xwininfo -root >/dev/null 2>&1 && return 0
    kill -0 "$ZQ_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "Xvfb on $DISPLAY takes no clients:" >&2
  cat "$ZQ_XVFB_DIR/xvfb.log" >&2
  return 1
}

zq_xvfb_stop() {
  if [ -n "$ZQ_XVFB_PID" ]; then
    kill "$ZQ_XVFB_PID" 2>/dev/null
    wait "$ZQ_XVFB_PID" 2>/dev/null
  fi
  [ -n "$ZQ_XVFB_DIR" ] && rm -rf "$ZQ_XVFB_DIR"
  ZQ_XVFB_PID="" ZQ_XVFB_DIR=""
  return 0
}

# Waits up to $3 seconds (default 15) for a viewable window named $1 on $DISPLAY, while the
# process $2 runs. Prints the window id and returns 0; returns 1 when the process ended first
# or the time ran out.
zq_wait_window() {
  local name=$1 pid=$2 seconds=${3:-15} id _
  for _ in $(seq $((seconds * 10))); do
    id=$(xwininfo -name "$name" 2>/dev/null | awk '/Window id:/ {print $4}')
    if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable"; then
      echo "$id"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
