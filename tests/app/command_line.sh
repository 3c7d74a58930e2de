#!/usr/bin/env bash
# zq350's command line without a display, as over ssh or in a package check: every answer and
# every refusal comes before the toolkit would need one, with the exit status the man page gives.
# Answers and refusals are in the user's language: English unless a leading NAME=value word of a
# case asks for another (LANGUAGE lists languages in order; English is the source).
# usage: command_line.sh PATH_TO_ZQ350 VERSION
set -u
program=$1 version=$2
failed=0
# arguments | where standard output goes | exit status | standard error holds (empty: nothing)
# | standard output holds
cases=(
  "--version|pipe|0||zq350 $version"
  "-v|pipe|0||zq350 $version"
  "--help|pipe|0||Usage: zq350 [options] [FILE]"
  "-style fusion -platform xcb --version|pipe|0||zq350 $version"
  "--bogus|pipe|2|Unknown option 'bogus'|"
  "-bogus|pipe|2|Unknown option 'bogus'|"
  "--version=3|pipe|2|Unexpected value after '--version'|"
  "-platform|pipe|2|Missing value after '-platform'|"
  "one.txt two.txt|pipe|2|Only one FILE can be opened|"
  "--help|pipe|0||--port <PATH>"
  "--port|pipe|2|Missing value after '--port'|"
  "--port=|pipe|2|--port needs the path of a serial port|"
  "--help|full|2|standard output: No space left on device|"
  "--version|full|2|standard output: No space left on device|"
  "--version|closed|2|standard output: Bad file descriptor|"
  "LANGUAGE=de --help|pipe|0||Aufruf: zq350 [Optionen] [FILE]"
  "LANGUAGE=de --help|pipe|0||Diese Hilfe zeigen und beenden."
  "LANGUAGE=de --bogus|pipe|2|Unbekannte Option 'bogus'.|"
  "LANGUAGE=de one.txt two.txt|pipe|2|Es kann nur eine FILE geöffnet werden.|"
  "LANGUAGE=de --version|pipe|0||zq350 $version"
  "LANGUAGE=fr:de:en --help|pipe|0||Diese Hilfe zeigen und beenden."
  "LANGUAGE=en_GB:de --help|pipe|0||Show this help and exit."
  "LANG=de_DE.UTF-8 --help|pipe|0||Diese Hilfe zeigen und beenden."
)
for row in "${cases[@]}"; do
  IFS='|' read -r args out want_status want_err want_out <<<"$row"
  lang=(-u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=C)
  while [[ $args =~ ^([A-Z_]+=[^ ]*)\ (.*)$ ]]; do
    lang+=("${BASH_REMATCH[1]}") args=${BASH_REMATCH[2]}
  done
  err=$(mktemp)
  # shellcheck disable=SC2086  # the arguments are words
  case $out in
    pipe) got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${lang[@]}" timeout 10 "$program" $args 2>"$err") ;;
    full) got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${lang[@]}" timeout 10 "$program" $args 2>"$err" >/dev/full) ;;
    closed) got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${lang[@]}" timeout 10 "$program" $args 2>"$err" >&-) ;;
  esac
  status=$?
  if [ -z "$want_err" ]; then err_ok=$([ ! -s "$err" ] && echo yes); else
    err_ok=$(grep -qF -- "$want_err" "$err" && echo yes); fi
  if [ "$status" -ne "$want_status" ] || [ -z "$err_ok" ] || [[ "$got" != *"$want_out"* ]]; then
    echo "FAILED: ${row%%|*} (stdout $out): exit $status, want $want_status"
    sed 's/^/  stderr: /' "$err"
    failed=$((failed + 1))
  fi
  rm -f "$err"
done
echo "${#cases[@]} command lines, $failed failed"
[ "$failed" -eq 0 ]
