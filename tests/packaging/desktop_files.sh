#!/usr/bin/env bash
# The desktop entry, the AppStream metainfo and the MIME type are valid for the freedesktop
# tools, and the MIME database tells a capture saved as .txt from plain text by its content.
# usage: desktop_files.sh SOURCE_DIR METAINFO   (METAINFO: the one CMake made)
set -uo pipefail
src=$1 metainfo=$2
for tool in desktop-file-validate appstreamcli update-mime-database gio; do
  command -v "$tool" >/dev/null || { echo "$tool missing"; exit 77; }
done
failed=0
desktop-file-validate "$src/packaging/zq350.desktop" || failed=1
appstreamcli validate --no-net "$metainfo" || failed=1

# A MIME database of the system's types plus ours, as the package leaves it installed.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/share/mime/packages" "$tmp/home"
cp /usr/share/mime/packages/*.xml "$tmp/share/mime/packages/"
cp "$src/packaging/zq350-mime.xml" "$tmp/share/mime/packages/zq350.xml"
XDG_DATA_DIRS="$tmp/share" update-mime-database "$tmp/share/mime" 2>&1 | grep . && failed=1
cp "$src/examples/counter-uart.txt" "$tmp/capture.txt"
printf 'S 0000 ' >"$tmp/short-capture.txt"
printf 'Notes on the S 0000 line\n' >"$tmp/notes.txt"
printf '<!-- markup -->\n<p>S 0000</p>\n' >"$tmp/markup.txt"
while read -r file want; do
  got=$(XDG_DATA_HOME="$tmp/home" XDG_DATA_DIRS="$tmp/share" \
        gio info -a standard::content-type "$tmp/$file" | awk '/content-type:/ {print $2}')
  if [ "$got" = "$want" ]; then
    echo "$file: $got"
  else
    echo "$file: $got, expected $want"
    failed=1
  fi
done <<'CASES'
capture.txt application/x-zq350-capture
short-capture.txt application/x-zq350-capture
notes.txt text/plain
markup.txt text/plain
CASES
exit $failed
