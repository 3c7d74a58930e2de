# Installs the Debian packages that building, testing and packaging need, skipping those already
# present, and builds a tree from a CMake preset. Sourced by ./run, ./test, .ci/run and the
# scripts beside this file.

# What a Release build needs (scripts/package.sh).
zq_packages_build=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev nlohmann-json3-dev
  libsigrokdecode-dev libglib2.0-dev)
# What the tests and benchmarks need on top (./test).
zq_packages_base=("${zq_packages_build[@]}" libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils fonts-dejavu-core desktop-file-utils appstream shared-mime-info libglib2.0-bin sigrok-cli)
zq_packages_ci=(clang libclang-rt-14-dev)
# ./run: the SVG window icon (Qt's SVG plugins; qt6-svg-plugins after Debian 12) and a
# screenshot when there is no display.
zq_packages_run=(libqt6svg6 imagemagick)
# The Debian package: dpkg-shlibdeps and dpkg-buildflags, and file, which CPack needs to find
# the programs among the installed files.
zq_packages_package=(dpkg-dev file)
# The check of the package as a user gets it (scripts/package-check.sh).
zq_packages_package_check=(debootstrap lintian desktop-file-utils appstream xvfb x11-utils)

zq_ensure_packages() {
  local missing=()
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  # sudo resets the environment, so the variable goes through env, after sudo.
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# The build folder of a preset of CMakePresets.json.
zq_preset_dir() {
  case $1 in
    dev) echo build ;;
    asan) echo build-asan ;;
    fuzz) echo build-fuzz ;;
    release) echo build-package ;;
    *) echo "unknown preset $1" >&2; return 1 ;;
  esac
}

# Configures a preset's tree when it is new or when its options changed (CMakePresets.json or
# the extra arguments), then builds it. $1 = preset, rest = extra CMake arguments.
# A changed CMakeLists.txt needs nothing here: the build itself configures again for that.
zq_build() {
  local preset=$1; shift
  local dir
  dir=$(zq_preset_dir "$preset") || return 1
  local stamp="$dir/.zq-configured"
  local want
  want=$({ cat CMakePresets.json; printf '%s\n' "$@"; } | sha256sum | cut -d' ' -f1)
  if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$want" ]; then
    cmake --preset "$preset" "$@"
    echo "$want" >"$stamp"
  fi
  cmake --build --preset "$preset" -j "$(nproc)"
}
