#!/usr/bin/env bash
# Checks that the packages are reproducible: builds the packages of one commit twice with
# scripts/package.sh, in two fresh clones at paths of different lengths (so two build trees),
# the second under another time zone, locale and umask, and compares them byte for byte, the
# debug symbols' package too. Given the packages of a build tree (scripts/package.sh's output),
# compares those as well: an incremental build must give the same bytes as a fresh one. When
# packages differ, diffoscope says where, and the clones are kept for a look.
# usage: scripts/package-repro.sh [--commit COMMIT] [PACKAGE.deb...]   (default commit: HEAD)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
zq_ensure_packages "${zq_packages_package_repro[@]}"

commit=HEAD
if [ "${1:-}" = "--commit" ]; then commit=$2; shift 2; fi
commit=$(git rev-parse --verify "$commit^{commit}")
work=$(mktemp -d /var/tmp/zq350-repro.XXXXXX)
keep=0
trap '[ "$keep" -eq 1 ] || rm -rf "$work"' EXIT

build() {  # $1 = clone folder; the packages' paths go to $1.out, the build's output to $1.log
  git clone -q --no-hardlinks . "$1" &&
    git -C "$1" checkout -q --detach "$commit" &&
    "$1/scripts/package.sh" >"$1.out" 2>"$1.log" || { tail -30 "$1.log" >&2; return 1; }
}
echo "package-repro: building $commit twice in $work" >&2
build "$work/a" || { keep=1; exit 1; }
(umask 002; TZ=Asia/Kathmandu LC_ALL=C.UTF-8 build "$work/second-tree-at-a-longer-path") \
  || { keep=1; exit 1; }

failed=0
compare() {
  if cmp -s "$1" "$2"; then
    echo "same bytes: $(basename "$1") ($(sha256sum <"$1" | cut -c1-16))"
  else
    echo "DIFFERENT: $1 $2"
    diffoscope --no-progress --text - "$1" "$2" | head -200 || true
    failed=1
  fi
}
mapfile -t first <"$work/a.out"
mapfile -t second <"$work/second-tree-at-a-longer-path.out"
[ "${#first[@]}" -eq 2 ] && [ "${#second[@]}" -eq 2 ] || { echo "package.sh did not print two packages"; keep=1; exit 1; }
for i in 0 1; do compare "${first[$i]}" "${second[$i]}"; done
for given in "$@"; do
  compare "$given" "$(dirname "${first[0]}")/$(basename "$given")"
done
if [ "$failed" -ne 0 ]; then
  keep=1
  echo "package-repro: the packages differ; the clones are in $work" >&2
  exit 1
fi
echo "package-repro: $commit gives the same packages in every tree"
