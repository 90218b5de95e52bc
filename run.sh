#!/bin/sh
# Installs the dependencies, builds the editor and starts it.
set -e
cd "$(dirname "$0")"
sh scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_BUILD_TESTS=OFF -DZT_BUILD_BENCH=OFF
cmake --build build --target zt350editor
exec ./build/src/zt350editor "$@"
