#!/usr/bin/env bash
# Runs zq350-inspect on every case of tests/data/golden/cases.txt and compares its standard
# output, standard error and exit status with the stored golden file, byte for byte.
# usage: golden.sh INSPECT REPO_ROOT [--update]
set -uo pipefail
inspect=$1 root=$2 update=${3:-}
dir="$root/tests/data/golden"
failed=0 count=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
while read -r name mode capture options; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  count=$((count + 1))
  # shellcheck disable=SC2086  # the options are words
  (cd "$root" && "$inspect" "$mode" "$capture" $options >"$tmp/out" 2>"$tmp/err")
  rc=$?
  { cat "$tmp/out"; printf -- '--- stderr\n'; cat "$tmp/err"; printf -- '--- exit %d\n' "$rc"; } >"$tmp/case"
  if [ "$update" = "--update" ]; then
    cp "$tmp/case" "$dir/$name.txt"
  elif ! cmp -s "$tmp/case" "$dir/$name.txt"; then
    echo "DIFFERS: $name ($mode $capture $options)"
    diff "$dir/$name.txt" "$tmp/case" | head -20
    failed=$((failed + 1))
  fi
done <"$dir/cases.txt"
echo "$count golden cases, $failed differ"
[ "$failed" -eq 0 ] && [ "$count" -gt 0 ]
