#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, and
# cross-builds libjpeg for mingw-w64 into the build tree. Safe to run again:
# it installs only what is missing and reuses an earlier libjpeg build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake g++ make ninja-build pkg-config
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 fonts-wine xvfb xdotool imagemagick x11-utils
  libgtest-dev libgmock-dev libbenchmark-dev libjpeg62-turbo-dev dpkg-dev
  clang-14 libfuzzer-14-dev libclang-rt-14-dev nsis zip unzip inotify-tools msitools wixl osslsigncode python3-yaml openssl)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  [ "$(id -u)" = 0 ] && sudo= || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# libjpeg for mingw: Debian ships no cross build, so build the distribution's
# own libjpeg-turbo source package. A private deb-src list, derived from the
# machine's own apt sources (so a local mirror and its keys serve), keeps the
# machine's apt configuration untouched.
jpeg_prefix="$root/build/deps/libjpeg-mingw"
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  work="$root/build/deps/libjpeg-src"
  rm -rf "$work" && mkdir -p "$work/lists/partial" "$work/sources.list.d"
  . /etc/os-release
  suite=${VERSION_CODENAME:?setup: /etc/os-release names no release}
  "$root/scripts/derive-deb-src.sh" "$suite" > "$work/sources.list.d/deb-src.sources"
  if [ ! -s "$work/sources.list.d/deb-src.sources" ]; then
    echo "setup: no apt source of this machine serves $suite; cannot fetch libjpeg-turbo's sources" >&2
    exit 1
  fi
  aptopts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$work/sources.list.d"
           -o "Dir::State::Lists=$work/lists" -o "APT::Sandbox::User=root")
  apt-get "${aptopts[@]}" update -qq
  (cd "$work" && apt-get "${aptopts[@]}" source --download-only -qq libjpeg-turbo \
     && dpkg-source -x --no-check ./libjpeg-turbo_*.dsc src >/dev/null)
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_JPEG8=OFF -Wno-dev >/dev/null
  cmake --build "$work/build" -j2 >/dev/null
  cmake --install "$work/build" >/dev/null
  rm -rf "$work"
  echo "setup: libjpeg for mingw built in $jpeg_prefix"
fi
