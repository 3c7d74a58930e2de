#!/usr/bin/env bash
# Every text the sources mark for translation has a finished translation in each .ts file of
# packaging/translations/, with the same %1, %2 ... as its English text, and no .ts file keeps a
# text the sources no longer have. lupdate runs on a copy of each file, so the tree is never
# changed; a failure names each text at fault and its context. lupdate's own warnings fail too:
# a tr() it cannot place in a class is a text the program would never find translated.
# To mend: cmake --build build --target update_translations, then translate what it marks.
# usage: translations.sh LUPDATE REPO_ROOT
set -uo pipefail
lupdate=$1 root=$2
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT

mapfile -t sources < <(find "$root/src" \( -name '*.cpp' -o -name '*.h' \) | sort)
shopt -s nullglob
ts_files=("$root"/packaging/translations/zq350_*.ts)
if [ ${#ts_files[@]} -eq 0 ]; then
  echo "FAILED: no zq350_*.ts in packaging/translations/"
  exit 1
fi

# Reads a .ts file as lupdate writes it and prints one line per message at fault.
faults() {
  awk '
    function text(s) {
      gsub(/&quot;/, "\"", s); gsub(/&apos;/, "'\''", s); gsub(/&lt;/, "<", s)
      gsub(/&gt;/, ">", s); gsub(/&amp;/, "\\&", s); return s
    }
    # The placeholders of a text, sorted: "%1 %2".
    function marks(s,   out, n, i, list, m) {
      n = 0
      while (match(s, /%[1-9]/)) { list[++n] = substr(s, RSTART, 2); s = substr(s, RSTART + 2) }
      for (i = 1; i <= n; ++i) for (m = i + 1; m <= n; ++m) if (list[m] < list[i]) { t = list[i]; list[i] = list[m]; list[m] = t }
      out = ""
      for (i = 1; i <= n; ++i) if (i == 1 || list[i] != list[i - 1]) out = out " " list[i]
      return out
    }
    /<name>/ { c = $0; sub(/.*<name>/, "", c); sub(/<\/name>.*/, "", c) }
    /<message/ { src = ""; tr = ""; kind = ""; field = "" }
    /<source>/ { field = "src"; src = "" }
    /<translation/ {
      field = "tr"; tr = ""
      if (match($0, /type="[a-z]+"/)) kind = substr($0, RSTART + 6, RLENGTH - 7)
    }
    field != "" {
      line = $0
      if (field == "src") { sub(/.*<source>/, "", line); sub(/<\/source>.*/, "", line) }
      else { sub(/.*<translation[^>]*>/, "", line); sub(/<\/translation>.*/, "", line) }
      if (field == "src") src = src (src == "" ? "" : "\\n") line
      else tr = tr (tr == "" ? "" : "\\n") line
      if ($0 ~ /<\/source>/ || $0 ~ /<\/translation>/ || $0 ~ /<translation[^>]*\/>/) field = ""
    }
    /<\/message>/ {
      why = ""
      if (kind == "unfinished") why = "not translated"
      else if (kind == "vanished" || kind == "obsolete") why = "no longer in the sources"
      else if (marks(src) != marks(tr)) why = "placeholders" marks(src) " translated as" marks(tr)
      if (why != "") printf "%s: \"%s\": %s\n", text(c), text(src), why
    }
  ' "$1"
}

failed=0
for ts in "${ts_files[@]}"; do
  name=$(basename "$ts")
  cp "$ts" "$tmp/$name"
  if ! "$lupdate" -locations none -I "$root/src" "${sources[@]}" -ts "$tmp/$name" >"$tmp/log" 2>&1; then
    echo "FAILED: lupdate on $name:"; cat "$tmp/log"; failed=1; continue
  fi
  if grep -qi 'warning\|error' "$tmp/log"; then
    echo "FAILED: lupdate warns on the sources:"; grep -i 'warning\|error' "$tmp/log"; failed=1
  fi
  found=$(faults "$tmp/$name")
  if [ -n "$found" ]; then
    echo "FAILED: $name: $(wc -l <<<"$found") text(s) to mend:"
    sed 's/^/  /' <<<"$found"
    failed=1
  else
    echo "$name: $(grep -c '<message' "$ts") texts, all translated"
  fi
done
[ "$failed" -eq 0 ] || echo "Refresh: cmake --build build --target update_translations; translate, then run again."
exit "$failed"
