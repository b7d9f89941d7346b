#!/bin/sh
# Installs what is needed, then:
#  1. builds everything into build/ and runs every test (logic tests and window tests on Qt's
#     offscreen platform), then builds the Debian package and checks it (tools/check-package.sh);
#  2. builds the Qt-free core, the logic tests and brindle-cli for Windows with MinGW-w64
#     (build-windows/) and runs the logic tests under Wine;
#  3. runs every test again in a build with AddressSanitizer, LeakSanitizer and
#     UndefinedBehaviorSanitizer (build-sanitize/);
#  4. builds the fuzz targets with clang (build-fuzz/) and runs each over a fixed number of
#     inputs from its seeds (tools/run-fuzz.sh --test).
# Every build treats compiler warnings as errors (the fuzz build: in the fuzz targets themselves;
# the libraries there are gated by the GCC builds above).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
tools/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
# The Debian package, unpacked and tried.
tools/check-package.sh build

cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DBRINDLE_GUI=OFF -DBRINDLE_BENCH=OFF \
  -DBRINDLE_WERROR=ON
cmake --build build-windows
# A Wine prefix of the build's own; its first start takes a few seconds.
WINEPREFIX="$root/build-windows/wine" WINEDEBUG=-all \
  ctest --test-dir build-windows --output-on-failure

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON \
  -DBRINDLE_BENCH=OFF -DBRINDLE_WERROR=ON
cmake --build build-sanitize
# Leaks are reported; tools/lsan.supp lists the system libraries whose lifetime caches are
# not ours to report.
LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"

tools/run-fuzz.sh --test
