# A virtual X display (Xvfb) for ./run without a display, the smoke test and the package check.
# Sourced. zq_xvfb_start starts one and exports DISPLAY; zq_xvfb_stop ends it (call it from the
# caller's EXIT trap); zq_wait_window waits until a window of a given name is mapped.

ZQ_XVFB_PID="" ZQ_XVFB_DIR=""

# Starts Xvfb on a free display and exports DISPLAY. Returns 1 with Xvfb's log on standard
# error when none takes clients within a few tries.
#
# The display is picked at random among high numbers, not the first free one: a display's
# lock file is in this machine's /tmp, but its abstract socket is shared by every /tmp that
# shares the network (containers, sandboxes), and a client tries that socket first. Counting
# from :0 would meet another Xvfb's :0 there and talk to it, or to nothing. -noreset: by
# default the server starts over whenever its last client leaves, and a client connecting just
# then (the program, while xwininfo polls for its window) is refused.
zq_xvfb_start() {
  ZQ_XVFB_DIR=$(mktemp -d)
  local try n _
  for try in 1 2 3 4 5; do
    n=$((100 + RANDOM % 800))
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$ZQ_XVFB_DIR/xvfb.log" 2>&1 &
    ZQ_XVFB_PID=$!
    export DISPLAY=":$n"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    # Ready once a client connects; a server that lost the display to another ends.
    for _ in $(seq 100); do
      kill -0 "$ZQ_XVFB_PID" 2>/dev/null || break
      xwininfo -root >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$ZQ_XVFB_PID" 2>/dev/null
    wait "$ZQ_XVFB_PID" 2>/dev/null
  done
  ZQ_XVFB_PID=""
  echo "Xvfb did not start:" >&2
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
