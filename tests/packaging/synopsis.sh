#!/usr/bin/env bash
# A man page's SYNOPSIS says what the program's --help says in its usage lines, line for line:
# each synopsis line (up to .br) as text, against each usage line with its continuation lines
# joined, blanks collapsed. A Qt program's "Usage: NAME [options] ..." counts with [options]
# spelt out from its option list, one [-x | --long VALUE] each, in --help's order. A line added
# to one and not the other (a new mode, a new option) fails, showing both lists.
# usage: synopsis.sh PROGRAM MANPAGE.1
set -uo pipefail
program=$1 page=$2
name=$(basename "$program")

help=$(LC_ALL=C LANGUAGE= QT_QPA_PLATFORM=offscreen "$program" --help 2>&1)
status=$?
if [ "$status" -ne 0 ]; then
  printf '%s --help exited with %s:\n%s\n' "$program" "$status" "$help"
  exit 1
fi

from_help=$(printf '%s\n' "$help" | awk -v name="$name" '
  function flush() { if (line != "") { gsub(/[ \t]+/, " ", line); sub(/ $/, "", line); print line } line = "" }
  # Qt: the usage line, then "Options:" with "  -h, --help  text" and "  --setup <FILE>  text".
  NR == 1 && /^Usage: / { qt = 1; usage = substr($0, 8); next }
  qt && /^Options:/ { inopts = 1; next }
  qt && inopts && /^$/ { inopts = 0; next }
  qt && inopts && /^  -/ {
    sub(/^  /, ""); sub(/  .*/, "")
    n = split($0, names, /, /)
    opt = ""
    for (i = 1; i <= n; i++) {
      value = ""
      if (match(names[i], / <[^>]*>$/)) {
        value = " " substr(names[i], RSTART + 2, RLENGTH - 3); names[i] = substr(names[i], 1, RSTART - 1)
      }
      opt = opt (i > 1 ? " | " : "") names[i] value
    }
    options = options (options == "" ? "" : " ") "[" opt "]"
    next
  }
  qt { next }
  # A tool: "usage: NAME ..." and further lines up to the first blank one; a line that starts
  # with NAME starts another usage, any other continues the one before.
  !started && /^usage: / { started = 1; line = substr($0, 8); next }
  started && /^[ \t]*$/ { flush(); started = 0; done = 1; next }
  started {
    text = $0; sub(/^[ \t]+/, "", text)
    if (index(text, name " ") == 1 || text == name) { flush(); line = text } else line = line " " text
  }
  END {
    if (qt) { sub(/\[options\]/, options, usage); line = usage }
    flush()
  }')

# The SYNOPSIS section as text: .B and .I join their words with blanks, the alternating
# macros (.BR, .RI, ...) without; .br ends a line.
from_page=$(awk '
  function unescape(s) {
    gsub(/\\f[BIRP]/, "", s); gsub(/\\-/, "-", s); gsub(/\\\(dq/, "\"", s); gsub(/\\&/, "", s)
    gsub(/\\ /, " ", s)
    return s
  }
  function args(s, out,   n, a, q) {   # words, "quoted words" kept whole
    n = 0
    while (s != "") {
      sub(/^[ \t]+/, "", s)
      if (s == "") break
      if (substr(s, 1, 1) == "\"") {
        q = index(substr(s, 2), "\"")
        if (q == 0) q = length(s)
        out[++n] = substr(s, 2, q - 1); s = substr(s, q + 2)
      } else {
        match(s, /^[^ \t]+/); out[++n] = substr(s, 1, RLENGTH); s = substr(s, RLENGTH + 1)
      }
    }
    return n
  }
  function add(t) { line = line (line == "" ? "" : " ") t }
  function flush() { if (line != "") { gsub(/[ \t]+/, " ", line); print line } line = "" }
  /^\.SH / { insyn = ($0 ~ /^\.SH "?SYNOPSIS"?$/); next }
  !insyn { next }
  /^\.(br|PP|sp|LP|P)$/ { flush(); next }
  /^\.(B|I|R|SM) / { n = args(substr($0, index($0, " ") + 1), w); t = ""
    for (i = 1; i <= n; i++) t = t (i > 1 ? " " : "") w[i]; add(unescape(t)); next }
  /^\.(BR|RB|IR|RI|BI|IB) / { n = args(substr($0, index($0, " ") + 1), w); t = ""
    for (i = 1; i <= n; i++) t = t w[i]; add(unescape(t)); next }
  /^\./ { print "unknown request in SYNOPSIS: " $0; bad = 1; next }
  { add(unescape($0)) }
  END { flush(); exit bad }
' "$page") || { echo "$page: $from_page"; exit 1; }

if [ -z "$from_help" ] || [ -z "$from_page" ]; then
  echo "no usage lines in $name --help or no SYNOPSIS in $page"
  exit 1
fi
if [ "$from_help" != "$from_page" ]; then
  echo "$(basename "$page") SYNOPSIS and $name --help differ:"
  diff -u --label "SYNOPSIS of $(basename "$page")" --label "$name --help" \
    <(printf '%s\n' "$from_page") <(printf '%s\n' "$from_help")
  exit 1
fi
echo "$(basename "$page") SYNOPSIS agrees with $name --help:"
printf '  %s\n' "$from_help"
