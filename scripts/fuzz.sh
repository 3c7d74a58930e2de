#!/usr/bin/env bash
# Builds the decoder's libFuzzer target with clang and runs it for $1 seconds (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
mkdir -p build-fuzz fuzz-out/corpus
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Isrc src/capture/*.cpp src/chart/ChartData.cpp src/chart/ChartGrid.cpp \
  src/chart/PositionLabels.cpp src/chart/Listing.cpp tests/capture/fuzz/decoder_fuzz.cpp \
  -o build-fuzz/decoder_fuzz
# Seeds: the example captures, led by six bytes of window settings.
for f in examples/*.txt; do
  { printf '\360\003\100\000\017\020'; cat "$f"; } > "fuzz-out/corpus/seed-$(basename "$f")"
done
build-fuzz/decoder_fuzz -max_total_time="$seconds" -max_len=40000 -timeout=10 \
  -print_final_stats=1 fuzz-out/corpus
