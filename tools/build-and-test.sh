#!/bin/sh
# Installs what is needed, builds everything into build/ and runs every test (logic tests and
# window tests on Qt's offscreen platform).
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
