#!/bin/sh
# Installs what is needed, builds everything into build/ and runs every test (logic tests and
# window tests on Qt's offscreen platform); then runs them all again in a build with
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer (build-sanitize/).
# Both builds treat compiler warnings as errors.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON \
  -DBRINDLE_BENCH=OFF -DBRINDLE_WERROR=ON
cmake --build build-sanitize
# Leaks are reported; tools/lsan.supp lists the system libraries whose own lifetime caches
# are not ours to report.
LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
