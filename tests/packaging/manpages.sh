#!/usr/bin/env bash
# A program's --help and its man page name the same long options: fails, listing the
# differences, when one names an --option the other does not.
# usage: manpages.sh PROGRAM MANPAGE.1
set -uo pipefail
program=$1 page=$2

long_options() { grep -o -- '--[a-z][a-z0-9-]*' | sort -u; }

help=$(QT_QPA_PLATFORM=offscreen "$program" --help 2>&1)
status=$?
if [ "$status" -ne 0 ]; then
  echo "$program --help exited with $status:"
  echo "$help"
  exit 1
fi
in_help=$(printf '%s\n' "$help" | long_options)
# The page's source without font changes, \- read as -.
in_page=$(sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' "$page" | long_options)

if [ -z "$in_help" ] || [ -z "$in_page" ]; then
  echo "no --options found in --help or in $page"
  exit 1
fi
only_help=$(comm -23 <(echo "$in_help") <(echo "$in_page"))
only_page=$(comm -13 <(echo "$in_help") <(echo "$in_page"))
[ -n "$only_help" ] && echo "in --help, not in $(basename "$page"):" $only_help
[ -n "$only_page" ] && echo "in $(basename "$page"), not in --help:" $only_page
[ -z "$only_help$only_page" ] || exit 1
echo "$(basename "$program"): --help and $(basename "$page") name the same options:" $in_help
