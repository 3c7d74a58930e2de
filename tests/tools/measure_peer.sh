#!/usr/bin/env bash
# zq350-inspect measure against a peer: sigrok-cli's timing decoder, run on our VCD export of
# the same capture, times each interval between edges of a channel. Its intervals that start at
# a rising edge are high pulses, the others low ones, and from rising edge to rising edge
# periods; their count, minimum, mean and maximum in seconds (at the VCD's 1 MHz), and the
# frequency 1 / mean period, must be ours. Skipped when sigrok-cli is not installed.
# usage: measure_peer.sh INSPECT CAPTURE CHANNEL...   (channels with a regular and a complete
#        capture: the peer knows nothing of unreliable samples)
set -uo pipefail
inspect=$1 capture=$2
shift 2
if ! command -v sigrok-cli >/dev/null; then
  echo "skipped: sigrok-cli is not installed"
  exit 0
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$inspect" export "$capture" --vcd "$tmp/c.vcd" || exit 1
"$inspect" measure "$capture" --samplerate 1MHz --csv >"$tmp/ours.csv" || exit 1

failed=0
for channel in "$@"; do
  for edge in any rising; do
    sigrok-cli -i "$tmp/c.vcd" -P "timing:data=D$channel:edge=$edge" -A timing=time \
      --protocol-decoder-samplenum >"$tmp/$edge" 2>"$tmp/err" ||
      { echo "sigrok-cli failed:"; cat "$tmp/err"; exit 1; }
  done
  # Lines "START-END timing-1: 4.000 μs (250.000 kHz)"; the time read with its unit.
  awk -v channel="$channel" '
    function seconds(line,   t) {
      if (!match(line, /: [0-9.]+ [^ ]+ /)) { print "unread: " line; bad++; return 0 }
      split(substr(line, RSTART + 2, RLENGTH - 3), t, " ")
      return t[1] * (t[2] == "s" ? 1 : t[2] == "ms" ? 1e-3 : t[2] == "ns" ? 1e-9 : 1e-6)
    }
    function add(kind, v) {
      if (!(kind in n) || v < lo[kind]) lo[kind] = v
      if (!(kind in n) || v > hi[kind]) hi[kind] = v
      n[kind]++; sum[kind] += v
    }
    function near(a, b) { return (a - b) ^ 2 <= (1e-6 * b) ^ 2 + 1e-30 }
    FILENAME ~ /rising$/ { split($1, ends, "-"); rising[ends[1]] = rising[ends[2]] = 1; add("period", seconds($0)); next }
    FILENAME ~ /any$/ { add(($1 + 0) in rising ? "high" : "low", seconds($0)); next }
    FNR == 1 { for (i = 1; i <= NF; i++) col[$i] = i; next }
    $1 == channel {
      for (k = 0; k < 3; k++) {
        kind = k == 0 ? "high" : k == 1 ? "low" : "period"
        if (!n[kind]) { printf "D%s: the peer found no %s\n", channel, kind; bad++; continue }
        peer[1] = lo[kind]; peer[2] = sum[kind] / n[kind]; peer[3] = hi[kind]
        split("min mean max", stat, " ")
        for (s = 1; s <= 3; s++) {
          ours = $col[kind "_" stat[s] "_s"]
          if (ours == "" || !near(ours, peer[s])) {
            printf "D%s %s %s: ours %s, peer %.9g over %d\n", channel, kind, stat[s], ours, peer[s], n[kind]
            bad++
          }
        }
      }
      # Periods run between rising edges: one fewer than the edges.
      if ($col["rising_edges"] != n["period"] + 1) { printf "D%s rising edges: ours %s, peer %d\n", channel, $col["rising_edges"], n["period"] + 1; bad++ }
      if (!near($col["frequency_hz"], n["period"] / sum["period"])) { printf "D%s frequency: ours %s\n", channel, $col["frequency_hz"]; bad++ }
      printf "D%s: %d high, %d low pulses and %d periods compared, %d differ\n", channel, n["high"], n["low"], n["period"], bad
      found = 1
    }
    END { if (!found) { print "channel " channel " not in our CSV"; bad++ } exit bad > 0 }
  ' "$tmp/rising" "$tmp/any" FS=, "$tmp/ours.csv" || failed=1
done
exit $failed
