#!/usr/bin/env bash
# Builds the Debian packages of the three programs: installs what the build needs, makes a
# Release build without tests (preset release, into build-package/), packages it with CPack and
# prints the packages' paths, the debug symbols' package (zq350-dbgsym) first and the program's
# package last. Install it with: sudo apt install ./build-package/zq350_*.deb
# The same commit gives the same bytes, in any build tree (scripts/package-repro.sh checks it).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
zq_ensure_packages "${zq_packages_build[@]}" "${zq_packages_package[@]}" >&2
dir=$(zq_preset_dir release)

# Every time stamp that goes into the packages (rcc's resource times, the archives' file times)
# is the last commit's, or one a packager gives; without a commit to read, the changelog's.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if ! SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || [ -z "$SOURCE_DATE_EPOCH" ]; then
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/debian/changelog -STimestamp)
    echo "package: no commit to date the package by, the changelog's date taken" >&2
  fi
fi
export SOURCE_DATE_EPOCH
# The modes of the folders CPack makes for the debug files follow the umask.
umask 022

# Debian's own compiler and linker flags, hardening included (stack protector, fortified
# functions, read-only relocations, immediate binding), as a package built by Debian has them;
# their -O2, not CMake's -O3 for Release. reproducible=+all maps this folder, the build tree in
# it included, to "." in the debug information and __FILE__ (-ffile-prefix-map) and makes
# __DATE__ and __TIME__ a warning, which ZQ_WERROR makes an error.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=+all"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
[[ $cxxflags == *"-ffile-prefix-map=$PWD=."* ]] || { echo "package: dpkg-buildflags maps no paths" >&2; exit 1; }

# rcc writes SOURCE_DATE_EPOCH into the resources, but only when it runs: a tree built at an
# earlier commit would keep that commit's time. Its outputs are made again when the time changed.
stamp=$dir/.zq-source-date-epoch
if [ -d "$dir" ] && [ "$(cat "$stamp" 2>/dev/null)" != "$SOURCE_DATE_EPOCH" ]; then
  find "$dir" -path '*_autogen/*' -name 'qrc_*.cpp' -delete
fi
zq_build release "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG" \
  "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" >&2
echo "$SOURCE_DATE_EPOCH" >"$stamp"

rm -f "$dir"/zq350_*.deb "$dir"/zq350-dbgsym_*.deb
cpack --preset release >&2
ls "$PWD/$dir"/zq350-dbgsym_*.deb
ls "$PWD/$dir"/zq350_*.deb
