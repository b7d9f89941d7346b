#!/bin/sh
# Installs what is needed, builds Brindle into build/ and starts it. Arguments go to Brindle.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target brindle brindle-cli brindle_data
exec ./build/brindle "$@"
