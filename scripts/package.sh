#!/usr/bin/env bash
# Builds the Debian package of the three programs: installs what the build needs, makes a
# Release build without tests (preset release, into build-package/), packages it with CPack
# and prints the package's path last. Install it with: sudo apt install ./build-package/zq350_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
zq_ensure_packages "${zq_packages_build[@]}" "${zq_packages_package[@]}"

# Debian's own compiler and linker flags, hardening included (stack protector, fortified
# functions, read-only relocations, immediate binding), as a package built by Debian has them;
# their -O2, not CMake's -O3 for Release.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
zq_build release "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG" \
  "-DCMAKE_EXE_LINKER_FLAGS=$ldflags"

rm -f build-package/zq350_*.deb
cpack --preset release >&2
deb=$(ls build-package/zq350_*.deb)
echo "$PWD/$deb"
