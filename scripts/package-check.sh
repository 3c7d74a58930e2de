#!/usr/bin/env bash
# Checks the Debian package as a user gets it: builds it (scripts/package.sh), runs lintian,
# installs it with apt into a clean Debian 12 root (debootstrap --variant=minbase), and there
# runs the installed programs, starts zq350 on a virtual display until its "Timing View" window
# appears, and checks that the desktop finds the entry, icon, MIME type, metainfo and man pages.
# Needs root (chroot, mounts). The bare root is cached in $ZQ_ROOT_CACHE (made when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"
source scripts/deps.sh
source scripts/xvfb.sh
zq_ensure_packages "${zq_packages_package_check[@]}"

cache=${ZQ_ROOT_CACHE:-/var/cache/zq350-package-check}
mirror=http://deb.debian.org/debian
fail() { echo "package check: $*" >&2; exit 1; }
step() { printf '\n== %s (%ds)\n' "$*" "$SECONDS"; }

step "Package"
deb=$(scripts/package.sh | tail -n1)
[ -f "$deb" ] || fail "scripts/package.sh made no package"
echo "$deb"

step "lintian"
lintian --fail-on error "$deb" \
  || fail "lintian reports errors"

step "Clean Debian 12 root"
mkdir -p "$cache/archives/partial"
if [ ! -f "$cache/bookworm-minbase.tar" ]; then
  bare=$(mktemp -d /var/tmp/zq350-bare.XXXXXX)
  debootstrap --variant=minbase bookworm "$bare" "$mirror" >"$bare.log" 2>&1 \
    || { tail -20 "$bare.log" >&2; fail "debootstrap failed"; }
  tar --numeric-owner -C "$bare" -cf "$cache/bookworm-minbase.tar.tmp" .
  mv "$cache/bookworm-minbase.tar.tmp" "$cache/bookworm-minbase.tar"
  rm -rf "$bare" "$bare.log"
fi
root=$(mktemp -d /var/tmp/zq350-root.XXXXXX)
chmod 755 "$root"  # the root of the tree, readable by apt's own user
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  zq_xvfb_stop
  local m
  for m in "$root/proc" "$root/var/cache/apt/archives"; do
    mountpoint -q "$m" && umount "$m"
  done
  # Only when nothing is mounted inside any more.
  if ! grep -q " $root/" /proc/mounts; then rm -rf "$root"; fi
}
trap cleanup EXIT
tar --numeric-owner -C "$root" -xf "$cache/bookworm-minbase.tar"
mount -t proc proc "$root/proc"
# Downloaded packages are kept between runs.
mount --bind "$cache/archives" "$root/var/cache/apt/archives"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

step "apt install ./$(basename "$deb") (Depends only, no Recommends)"
cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "/tmp/$(basename "$deb")" >"$root/tmp/apt.log" 2>&1 || { tail -30 "$root/tmp/apt.log"; fail "apt could not install the package"; }

step "The installed programs"
examples=/usr/share/doc/zq350/examples
in_root zq350-inspect check "$examples/counter-uart.txt" || fail "zq350-inspect check of an intact example failed"
echo "zq350-inspect check $examples/counter-uart.txt: exit 0"
set +e
in_root zq350-inspect check "$examples/damaged.txt" >/dev/null 2>&1
status=$?
set -e
[ "$status" -eq 1 ] || fail "zq350-inspect check of the damaged example: exit $status, expected 1"
echo "zq350-inspect check $examples/damaged.txt: exit 1 (a report)"
# The decoder library comes from the package's Depends, Python and the decoders with it.
bytes=$(in_root zq350-inspect decode "$examples/counter-uart.txt" -P uart:rx=D9:baudrate=166667 \
  -A uart=rx-data --samplerate 1MHz | awk '{print $2}' | tr '\n' ' ')
[ "$bytes" = "5A 51 33 35 30 20 6F 6B 0A " ] || fail "zq350-inspect decode of the example said: $bytes"
echo "zq350-inspect decode of the example's serial line: $bytes"
version=$(in_root zq350 --version)
[ "$version" = "zq350 $(dpkg-deb -f "$deb" Version)" ] || fail "zq350 --version said: $version"
echo "zq350 --version: $version"
in_root zq350-sim --help >/dev/null || fail "zq350-sim --help failed"

# Xvfb runs here; its abstract socket reaches into the root (same network namespace).
zq_xvfb_start
in_root env DISPLAY="$DISPLAY" XDG_RUNTIME_DIR=/tmp zq350 >"$root/tmp/zq350.log" 2>&1 &
app_pid=$!
zq_wait_window "Timing View" "$app_pid" 30 >/dev/null \
  || { cat "$root/tmp/zq350.log"; fail "the installed zq350 showed no \"Timing View\" window"; }
echo "the installed zq350 showed its \"Timing View\" window on $DISPLAY"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

step "Where a desktop looks"
id=$(basename "$(ls "$root"/usr/share/metainfo/*.metainfo.xml)" .metainfo.xml)
for f in /usr/share/applications/zq350.desktop \
         /usr/share/icons/hicolor/scalable/apps/zq350.svg \
         /usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/zq350.png \
         /usr/share/mime/packages/zq350.xml \
         "/usr/share/metainfo/$id.metainfo.xml" \
         /usr/share/man/man1/{zq350,zq350-inspect,zq350-sim}.1.gz \
         /usr/share/doc/zq350/{copyright,changelog.gz,udev/60-zq350.rules}; do
  [ -f "$root$f" ] || fail "missing: $f"
done
gzip -t "$root"/usr/share/man/man1/zq350*.1.gz
desktop-file-validate "$root/usr/share/applications/zq350.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
echo "desktop entry, icons, MIME type, metainfo ($id), man pages: in place and valid"

# What a desktop adds: the MIME database and the desktop entries' cache, made by the triggers
# of shared-mime-info and desktop-file-utils; gio answers as a file manager asks.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  shared-mime-info desktop-file-utils libglib2.0-bin >"$root/tmp/apt-desktop.log" 2>&1 \
  || { tail -30 "$root/tmp/apt-desktop.log"; fail "apt could not install the desktop tools"; }
cp "$root$examples/counter-uart.txt" "$root/tmp/capture.txt"
printf 'Notes for the bench\n' >"$root/tmp/notes.txt"
for pair in capture.txt=application/x-zq350-capture notes.txt=text/plain; do
  file=${pair%%=*} want=${pair#*=}
  got=$(in_root gio info -a standard::content-type "/tmp/$file" | awk '/content-type:/ {print $2}')
  [ "$got" = "$want" ] || fail "gio: /tmp/$file is $got, expected $want"
  echo "gio info /tmp/$file: $got"
done
in_root gio mime application/x-zq350-capture | tee "$root/tmp/gio-mime"
grep -q "zq350.desktop" "$root/tmp/gio-mime" || fail "zq350 is not offered for captures"
if in_root gio mime text/plain | grep -q zq350.desktop; then fail "zq350 is offered for plain text"; fi
echo "zq350.desktop is offered for captures, not for plain text"

step "Package check passed"
