#!/bin/sh
# Installs the Debian packages Brindle needs to build, test and run (Debian 12), including the
# MinGW-w64 cross compiler, Wine and GoogleTest's sources for the Windows build of the core, and
# the tools that build the Debian package and check it and its desktop files, and clang with its
# libFuzzer and sanitizer runtimes for the fuzz targets.
set -eu
packages="cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 libjpeg-dev
  libgtest-dev libbenchmark-dev nlohmann-json3-dev fonts-dejavu-core qt6-translations-l10n clang-format
  g++-mingw-w64-x86-64-posix wine64 googletest
  gzip dpkg-dev fakeroot file lintian desktop-file-utils appstream clang libclang-rt-dev"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
