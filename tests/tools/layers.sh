#!/usr/bin/env bash
# The folders of src/ are layers: a folder includes only from the folders listed before it,
# never from its own layer's successors, and no source file grows past 450 lines.
# usage: layers.sh REPO_ROOT
set -uo pipefail
cd "$1/src" || exit 2
order=(capture export session chart widgets timing hexlist app)
rank() { local i; for i in "${!order[@]}"; do [ "${order[$i]}" = "$1" ] && echo "$i" && return; done; echo 99; }
bad=0
for dir in "${order[@]}"; do
  mine=$(rank "$dir")
  while IFS=: read -r file _ inc; do
    target=${inc#*\"}; target=${target%%/*}
    [ "$target" = "$dir" ] || [ "$target" = zq ] && continue  # zq/Version.h is generated
    if [ "$(rank "$target")" -ge "$mine" ]; then
      echo "$dir/$file includes $target: up or across the layers"; bad=1
    fi
  done < <(cd "$dir" && grep -Hn '#include "[a-z]*/' -- *.h *.cpp 2>/dev/null)
done
while read -r lines file; do
  [ "$file" = total ] && continue
  [ "$lines" -gt 450 ] && echo "$file: $lines lines (more than 450)" && bad=1
done < <(wc -l -- */*.h */*.cpp ../tools/*/*.cpp)
[ "$bad" -eq 0 ] && echo "layers hold"
exit "$bad"
