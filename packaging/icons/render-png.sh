#!/usr/bin/env bash
# Renders zq350.svg into the hicolor PNG sizes beside it (hicolor/NxN/apps/zq350.png), with
# rsvg-convert from Debian's librsvg2-bin. Run it after changing the SVG and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" zq350.svg -o "hicolor/${size}x${size}/apps/zq350.png"
done
