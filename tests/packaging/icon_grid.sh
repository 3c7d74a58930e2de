#!/usr/bin/env bash
# The small icons are drawn on whole pixels: in each zq350-N.svg, every rectangle lies on pixel
# edges and every line's edges do too (a coordinate minus half the line's width is whole), so
# nothing is blurred over two pixels; the PNG beside it has that size. Anything the check cannot
# judge (another element, a transform, a curve, a relative command) fails it.
# usage: icon_grid.sh ICONS_DIR SIZE...
set -uo pipefail
dir=$1; shift
failed=0
for size in "$@"; do
  svg=$dir/zq350-$size.svg png=$dir/hicolor/${size}x$size/apps/zq350.png
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  dims=$(od -An -tu1 -j16 -N8 "$png" 2>/dev/null | awk '{print $1*2^24+$2*2^16+$3*2^8+$4 "x" $5*2^24+$6*2^16+$7*2^8+$8}')
  [ "$dims" = "${size}x$size" ] || { echo "$png: ${dims:-unreadable}, expected ${size}x$size"; failed=1; }
  tr '\n' ' ' <"$svg" | awk -v size="$size" -v name="$svg" '
    function attr(el, a) {
      if (!match(el, "[ \t]" a "=\"[^\"]*\"")) return ""
      return substr(el, RSTART + length(a) + 3, RLENGTH - length(a) - 4)
    }
    function whole(v) { return v ~ /^-?[0-9]+(\.0*)?$/ }
    function bad(why) { print name ": " why; failed = 1 }
    BEGIN { RS = "<"; failed = 0; shapes = 0 }
    /^svg[ \t]/ {
      if (attr($0, "width") != size || attr($0, "height") != size || attr($0, "viewBox") != "0 0 " size " " size)
        bad("not a " size " x " size " canvas")
    }
    /transform=/ { bad("a transform: " substr($0, 1, 40)) }
    /^(circle|ellipse|line|polyline|polygon|text|use|image)[ \t\/]/ { bad("cannot judge <" $1) }
    /^rect[ \t]/ {
      shapes++
      split("x y width height", keys, " ")
      for (k = 1; k <= 4; k++)
        if (!whole(attr($0, keys[k]))) bad("rect " keys[k] "=\"" attr($0, keys[k]) "\" off the pixel grid")
      s = attr($0, "stroke")
      if (s != "" && s != "none") bad("a stroked rect")
    }
    /^path[ \t]/ {
      shapes++
      w = attr($0, "stroke-width") + 0; d = attr($0, "d")
      if (attr($0, "stroke-linecap") != "square" || attr($0, "stroke-linejoin") != "miter" || w <= 0)
        bad("a path needs a stroke-width, square caps and mitred joins: " d)
      n = split(d, tok, /[ \t,]+/)
      for (i = 1; i <= n; i++) {
        if (tok[i] == "") continue
        if (tok[i] ~ /^[MHV]$/) continue
        if (tok[i] !~ /^-?[0-9.]+$/) { bad("path command " tok[i] " in: " d); continue }
        if (!whole(tok[i] - w / 2)) bad("line edge at " tok[i] " - " w / 2 " in: " d)
      }
    }
    END { if (shapes == 0) bad("nothing drawn"); exit failed }
  ' || failed=1
done
[ "$failed" -eq 0 ] && echo "icons $*: on whole pixels"
exit $failed
