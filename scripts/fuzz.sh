#!/usr/bin/env bash
# Builds the decoder's libFuzzer target (preset fuzz, clang) and runs it for $1 seconds
# (default 60). Seeds: tests/data/fuzz-corpus, capture files led by six bytes of window
# settings; what the run finds goes to fuzz-out/corpus, crashes to fuzz-out/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
zq_ensure_packages "${zq_packages_build[@]}" "${zq_packages_ci[@]}"
seconds=${1:-60}
zq_build fuzz
mkdir -p fuzz-out/corpus
build-fuzz/decoder_fuzz -max_total_time="$seconds" -max_len=40000 -timeout=10 \
  -print_final_stats=1 -artifact_prefix=fuzz-out/ fuzz-out/corpus tests/data/fuzz-corpus
