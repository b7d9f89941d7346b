#!/bin/sh
# Installs what is needed, builds everything into build/ and runs every test (logic tests and
# window tests on Qt's offscreen platform); then runs them all again in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize/).
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON -DBRINDLE_BENCH=OFF
cmake --build build-sanitize
# Qt's own allocations that live until exit are not ours to report.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
