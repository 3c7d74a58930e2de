#!/usr/bin/env bash
# zq350-sim run as a user runs it: refused input and numbers, and its --link on every way out.
# usage: sim.sh SIM VERSION REPO_ROOT CASE   (CASE: refusals | link | send)
# shellcheck disable=SC2015  # "check && check || fail" fails when either check does
set -uo pipefail
sim=$1 version=$2 root=$3 case=$4
capture=$root/examples/counter-uart.txt
tmp=$(mktemp -d)
failed=0 pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; failed=1; }

# Runs the simulator in the foreground: rc, err.
run() {
  timeout 10 "$sim" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$? err=$(cat "$tmp/err")
}
# Starts it in the background, the ending signals at their defaults (a script's background jobs
# ignore SIGINT), and waits until it tells its port: pid, port. Leading env options allowed.
start() {
  : >"$tmp/out"  # now: the background job's own redirection may come after the first look
  env --default-signal=HUP,INT,PIPE,TERM "$@" >"$tmp/out" 2>"$tmp/err" &
  pid=$! port=
  for _ in $(seq 100); do
    port=$(head -n 1 "$tmp/out") && [ -n "$port" ] && return 0
    sleep 0.05
  done
  fail "no port told: $(cat "$tmp/err")"
  return 1
}
# Waits up to 10 s for it to end: rc.
finish() {
  for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && fail "did not end" && kill -KILL "$pid"
  wait "$pid" 2>/dev/null
  rc=$? pid=
}
gone() { [ -L "$tmp/link" ] && fail "$1: link left behind"; rm -f "$tmp/link"; }

case $case in
refusals)
  # Anything but a regular file of at most 16 MiB, and a number out of range or not a number:
  # refused at once with a message, exit 2 (124 would be a hang).
  mkdir "$tmp/dir" && mkfifo "$tmp/fifo" && truncate -s 17M "$tmp/huge"
  while IFS='|' read -r args text; do
    # shellcheck disable=SC2086  # the arguments are words
    run $args
    [ "$rc" -eq 2 ] && [[ "$err" == "zq350-sim: $text"* ]] || fail "$args: exit $rc, '$err'"
  done <<EOF
$tmp/dir|$tmp/dir: Is a directory
/dev/zero|/dev/zero: a character device, not a regular file
$tmp/fifo|$tmp/fifo: a named pipe, not a regular file
$tmp/huge|$tmp/huge: File too large
$capture --pause 99999999999999999999|--pause: '99999999999999999999' is out of range
$capture --pause=86400001|--pause: '86400001' is out of range
$capture --pause -1|--pause: '-1' is out of range
$capture --pause 12ms|--pause: '12ms' is not a number
$capture --burst=18446744073709551616|--burst: '18446744073709551616' is out of range
$capture --burst 0|--burst: '0' is out of range
$capture --burst 9-3|--burst: '9-3': the largest burst is below the smallest
$capture --fast=yes|--fast takes no value
EOF
  run --version
  [ "$rc" -eq 0 ] && [ "$(cat "$tmp/out")" = "zq350-sim $version" ] || fail "--version: exit $rc"
  timeout 10 "$sim" --help >/dev/full 2>/dev/null
  [ $? -eq 1 ] || fail "--help onto a full disk did not fail"
  ;;
link)
  # Whichever signal ends it, its link goes along, and it dies of that signal.
  for sig in HUP PIPE INT TERM; do
    start "$sim" "$capture" --link "$tmp/link" || continue
    [ "$(readlink "$tmp/link")" = "$port" ] || fail "SIG$sig: link not to $port"
    kill -"$sig" "$pid"
    finish
    [ "$rc" -eq $((128 + $(kill -l "$sig"))) ] || fail "SIG$sig: exit $rc"
    gone "SIG$sig"
  done
  # A signal the caller ignores (nohup) stays ignored.
  start env --ignore-signal=HUP "$sim" "$capture" --link "$tmp/link" && kill -HUP "$pid"
  sleep 0.3
  kill -0 "$pid" 2>/dev/null || fail "SIGHUP under nohup ended it"
  kill -TERM "$pid" && finish && gone "nohup"
  # Standard output, which carries the port's path, failing: a pipe nobody reads (SIGPIPE, or
  # EPIPE where it is ignored), a closed descriptor.
  # shellcheck disable=SC2094  # opened both ways only to leave a writer without a reader
  mkfifo "$tmp/pipe" && exec 3<>"$tmp/pipe" 4>"$tmp/pipe" 3<&-
  env --default-signal=PIPE "$sim" "$capture" --link "$tmp/link" >&4 2>/dev/null &
  pid=$! && finish
  [ "$rc" -eq 141 ] || fail "pipe nobody reads: exit $rc"
  gone "SIGPIPE on standard output"
  for how in "--ignore-signal=PIPE >&4" "--default-signal=PIPE >&-"; do
    eval "timeout 10 env $how \"\$sim\" \"\$capture\" --link \"\$tmp/link\" 2>\"\$tmp/err\""
    rc=$?
    [ "$rc" -eq 1 ] && grep -q "standard output" "$tmp/err" || fail "$how: exit $rc"
    gone "$how"
  done
  exec 4>&-
  # Whatever stands at its path is refused at once, exit 2, and stays: a file, a folder, the real
  # port made a link (ln -sfn /dev/ttyS0 /dev/ttyUSB0), a dangling link, another simulator's link.
  start "$sim" "$capture" --link "$tmp/first" && first=$pid first_port=$port
  while IFS='|' read -r make kind; do
    rm -rf "$tmp/link" && eval "$make" && before=$(ls -ld --time-style=+ "$tmp/link")
    run "$capture" --link "$tmp/link"
    [ "$rc" -eq 2 ] && [ ! -s "$tmp/out" ] &&
      [[ "$err" == "zq350-sim: $tmp/link: File exists ($kind)"* ]] || fail "$kind: exit $rc, '$err'"
    [ "$(ls -ld --time-style=+ "$tmp/link")" = "$before" ] || fail "$kind: replaced"
  done <<LINKS
echo mine >"\$tmp/link"|a regular file
mkdir "\$tmp/link"|a directory
ln -s /dev/null "\$tmp/link"|a symbolic link to /dev/null
ln -s "\$tmp/nowhere" "\$tmp/link"|a symbolic link to $tmp/nowhere
ln -s "\$first_port" "\$tmp/link"|a symbolic link to $first_port, a pseudo-terminal in use
LINKS
  [ "$(readlink "$tmp/first")" = "$first_port" ] || fail "the first simulator lost its link"
  pid=$first && kill -TERM "$pid" && finish
  rm -rf "${tmp:?}/link"
  # A stale link, to a pseudo-terminal that is gone (its simulator killed with SIGKILL), is
  # replaced and taken along as its own.
  n=100000 && while [ -e /dev/pts/$n ]; do n=$((n + 1)); done
  ln -s /dev/pts/$n "$tmp/link"
  start "$sim" "$capture" --link "$tmp/link" && {
    [ "$(readlink "$tmp/link")" = "$port" ] || fail "stale link not replaced"
    kill -TERM "$pid" && finish && gone "stale link"
  }
  # Whatever is put at its path since is not its link, and stays: on a signal, on exit.
  for end in signal exit; do
    start "$sim" "$capture" --fast --link "$tmp/link" || continue
    rm "$tmp/link" && echo mine >"$tmp/link"
    if [ $end = signal ]; then kill -TERM "$pid"; else head -c "$(stat -c %s "$capture")" <"$port" >/dev/null; fi
    finish
    [ "$(cat "$tmp/link" 2>/dev/null)" = mine ] || fail "$end removed a file put at the link"
    rm -f "$tmp/link"
  done
  ;;
send)
  # Every option's value also after '=': the whole file arrives, and the link goes at the end.
  start "$sim" "$capture" --fast --burst=100-400 --pause=1 --link="$tmp/link" && {
    timeout 20 head -c "$(stat -c %s "$capture")" <"$tmp/link" >"$tmp/got"
    finish
    [ "$rc" -eq 0 ] && cmp -s "$capture" "$tmp/got" || fail "send: exit $rc, or bytes differ"
    gone "send"
  }
  ;;
*) fail "unknown case $case" ;;
esac
[ "$failed" -eq 0 ] && echo "zq350-sim $case: passed"
