#!/usr/bin/env bash
# Renders the hicolor PNG sizes beside this script (hicolor/NxN/apps/zq350.png) with
# rsvg-convert (Debian's librsvg2-bin): zq350.svg for the sizes its 8-unit grid divides into
# whole pixels, zq350-N.svg, drawn on that size's pixels, for the others. Run it after changing
# an SVG and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")"
source ../../scripts/deps.sh
zq_ensure_packages "${zq_packages_icons[@]}"
for size in 16 22 24 32 48 64 128 256; do
  svg=zq350.svg
  [ -f "zq350-$size.svg" ] && svg=zq350-$size.svg
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" "$svg" -o "hicolor/${size}x${size}/apps/zq350.png"
done
