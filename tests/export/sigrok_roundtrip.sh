#!/usr/bin/env bash
# Exports a capture, reads the file back through sigrok-cli, and compares every sample 0..2047
# with the bits zq350-inspect's listing shows for the same file.
# usage: sigrok_roundtrip.sh INSPECT vcd|csv CAPTURE
#   vcd: D0..D15 must match the listing where it has a line and read as 0 (sigrok's reading of
#        x) where it has none; TRIG is 1 at sample 1024 only; UNRELIABLE is 1 exactly over the
#        samples without a listing line and the lines the damage report names.
#   csv: D0..D15 must match the listing on all 2048 samples (a complete capture: sigrok's CSV
#        input refuses the empty cells of samples the file does not hold).
set -uo pipefail
inspect=$1 format=$2 capture=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$inspect" list "$capture" --start 0 --length 2047 >"$tmp/list" 2>/dev/null
"$inspect" check "$capture" >/dev/null 2>"$tmp/report"
if [ "$format" = vcd ]; then
  "$inspect" export "$capture" --vcd "$tmp/out.vcd" 2>/dev/null
  sigrok-cli -I vcd -i "$tmp/out.vcd" -O csv:label=channel:header=false >"$tmp/read" 2>"$tmp/err"
else
  "$inspect" export "$capture" --csv "$tmp/out.csv" 2>/dev/null
  sigrok-cli -I csv:column_formats=-,-,16l:samplerate=1000000 -i "$tmp/out.csv" \
    -O csv:label=channel:header=false >"$tmp/read" 2>"$tmp/err"
fi
[ $? -eq 0 ] || { echo "sigrok-cli failed:"; cat "$tmp/err"; exit 1; }

awk -v format="$format" '
  FILENAME ~ /report$/ && /Decimal Address of line is/ { for (k = 0; k < 16; k++) damaged[$NF + k] = 1; next }
  FILENAME ~ /list$/ {
    # "ADDR (  n) = HEX - bits": the sample in parentheses; its word is the last four digits
    # (digits of a word cut short by a line start are shown before them).
    if (!match($0, /\( *[0-9]+\)/)) next
    s = substr($0, RSTART + 1, RLENGTH - 2) + 0
    bits = substr($0, index($0, " - ") + 3); gsub(/ /, "", bits)
    listed[s] = substr(bits, length(bits) - 15)
    next
  }
  FILENAME ~ /read$/ {
    if ($0 ~ /^D[0-9]/) { n = split($0, names, ","); for (i = 1; i <= n; i++) col[names[i]] = i; next }
    if ($0 !~ /^[01,]+$/) next
    split($0, v, ",")
    got = ""
    for (b = 15; b >= 0; b--) got = got v[col["D" b]]
    s = rows++
    want = (s in listed) ? listed[s] : "0000000000000000"
    if (got != want) { printf "sample %d: D15..D0 %s, listing %s\n", s, got, (s in listed) ? want : "(none)"; bad++ }
    if (format == "vcd") {
      if (v[col["TRIG"]] != (s == 1024)) { printf "sample %d: TRIG %s\n", s, v[col["TRIG"]]; bad++ }
      u = !(s in listed) || (s in damaged)
      if (v[col["UNRELIABLE"]] != u) { printf "sample %d: UNRELIABLE %s, want %d\n", s, v[col["UNRELIABLE"]], u; bad++ }
    }
  }
  END {
    if (rows != 2048) { printf "%d samples read back, want 2048\n", rows; bad++ }
    printf "%s: %d samples compared, %d listed, %d differ\n", format, rows, length(listed), bad
    exit bad > 0
  }' "$tmp/report" "$tmp/list" "$tmp/read"
