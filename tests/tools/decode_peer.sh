#!/usr/bin/env bash
# zq350-inspect decode prints what sigrok-cli prints for the same capture read from our own VCD
# export, line for line with sample numbers: UART on the examples and the damaged captures, I2C
# and SPI with a decoder stacked on each on a bus capture, whole and damaged, with and without
# -A. Its CSV holds the same annotations. Skipped (77) when sigrok-cli is not installed.
# usage: decode_peer.sh ZQ350-INSPECT REPO_ROOT
set -uo pipefail
tool=$1 root=$2
if ! command -v sigrok-cli > /dev/null; then
  echo "sigrok-cli is not installed: decode not compared with it"
  exit 77
fi
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT
failed=0 compared=0
csv_as_lines='
import csv, sys
for r in list(csv.reader(sys.stdin))[1:]:
    print(f"{r[0]}-{r[1]} {r[4]}: {r[7]}")'

while read -r file pd shown; do
  [ -z "$file" ] && continue
  args=(-P "$pd")
  [ -n "$shown" ] && args+=(-A "$shown")
  what="$file ${args[*]}"
  "$tool" export "$root/$file" --vcd "$tmp/capture.vcd" --samplerate 1000000 2> /dev/null
  if [ $? -gt 1 ]; then echo "FAILED: $what: no VCD"; failed=1; continue; fi
  sigrok-cli -i "$tmp/capture.vcd" "${args[@]}" --protocol-decoder-samplenum > "$tmp/peer" 2> /dev/null
  # 1: the capture's report, which damaged captures have.
  "$tool" decode "$root/$file" "${args[@]}" --samplerate 1000000 --protocol-decoder-samplenum \
    > "$tmp/ours" 2> "$tmp/ours.err"
  status=$?
  if [ $status -gt 1 ]; then
    echo "FAILED: $what: exit status $status"; cat "$tmp/ours.err"; failed=1; continue
  fi
  if [ ! -s "$tmp/peer" ]; then echo "FAILED: $what: sigrok-cli printed nothing"; failed=1; continue; fi
  if ! diff "$tmp/peer" "$tmp/ours" > "$tmp/diff"; then
    echo "FAILED: $what differs from sigrok-cli (< sigrok-cli, > ours):"; head -20 "$tmp/diff"
    failed=1; continue
  fi
  # The CSV: the same annotations, sample numbers and texts, read by a CSV reader.
  "$tool" decode "$root/$file" "${args[@]}" --samplerate 1000000 --csv 2> /dev/null |
    python3 -c "$csv_as_lines" > "$tmp/csv"
  if ! cmp -s "$tmp/csv" "$tmp/ours"; then
    echo "FAILED: $what: the CSV holds other annotations than the lines"; failed=1; continue
  fi
  compared=$((compared + 1))
  echo "same: $what ($(wc -l < "$tmp/ours") lines)"
done << 'EOF'
examples/counter-uart.txt uart:rx=D9:baudrate=166667
examples/damaged.txt uart:rx=D9:baudrate=166667
examples/damaged.txt uart:rx=D9:baudrate=166667 uart=rx-data:rx-warnings
tests/data/captures/bad-address.txt uart:rx=D9:baudrate=166667
tests/data/captures/cut-in-header.txt uart:rx=D9:baudrate=166667
tests/data/captures/shifted-long-extra.txt uart:rx=D9:baudrate=166667
tests/data/captures/short-lower-cut.txt uart:rx=D9:baudrate=166667
tests/data/captures/i2c-spi.txt i2c:scl=D0:sda=D1,lm75
tests/data/captures/i2c-spi.txt spi:clk=D4:mosi=D5:miso=D6:cs=D7,spiflash
tests/data/captures/i2c-spi.txt spi:clk=D4:mosi=D5:miso=D6:cs=D7,spiflash spi=mosi-data,spiflash
tests/data/captures/i2c-spi-damaged.txt i2c:scl=D0:sda=D1:address_format=unshifted
EOF

# The damaged bus capture's annotations over its damage are marked, the whole one's are not.
"$tool" decode "$root/tests/data/captures/i2c-spi-damaged.txt" -P i2c:scl=D0:sda=D1 \
  --samplerate 1000000 --csv 2> /dev/null | awk -F, 'NR > 1 { print $9 }' | sort -u > "$tmp/marks"
if [ "$(tr '\n' ' ' < "$tmp/marks")" != "0 1 " ]; then
  echo "FAILED: the damaged capture's CSV marks no annotation unreliable, or all"; failed=1
fi
"$tool" decode "$root/tests/data/captures/i2c-spi.txt" -P i2c:scl=D0:sda=D1 --csv 2> /dev/null |
  awk -F, 'NR > 1 && $9 != 0 { bad = 1 } END { exit bad }' ||
  { echo "FAILED: a whole capture's annotation is marked unreliable"; failed=1; }

echo "$compared decoder runs compared with sigrok-cli"
exit $failed
