# Installs the Debian packages that building and testing need, skipping those already present.
# Sourced by ./run, ./test and .ci/run.
zq_packages_base=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
  libbenchmark-dev xvfb xauth x11-utils fonts-dejavu-core sigrok-cli)
zq_packages_ci=(clang libclang-rt-14-dev)
# ./run saves a screenshot when there is no display.
zq_packages_run=(imagemagick)

zq_ensure_packages() {
  local missing=()
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# Configures (once) and builds a tree. $1 = build dir, rest = extra CMake arguments.
zq_build() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
  cmake --build "$dir" -j "$(nproc)"
}
