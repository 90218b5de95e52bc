#!/bin/sh
# Installs the dependencies, builds everything (editor, tests, benchmarks) and
# runs all tests; the data model's, the device core's and the sound library's
# tests run a second time under sanitizers. Last, the Debian package is made
# from the test build and checked with Debian's tools, and so are the desktop
# entry and the AppStream metadata.
set -e
cd "$(dirname "$0")"
sh scripts/install-deps.sh
JOBS=$(nproc)
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build-test -j "$JOBS"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZT_MODEL_ONLY=ON -DZT_SANITIZE=ON
cmake --build build-asan -j "$JOBS"
export QT_QPA_PLATFORM=offscreen
(cd build-test && ctest --output-on-failure -j "$JOBS")
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$JOBS")
rm -f build-test/*.deb
(cd build-test && cpack -G DEB)
lintian --fail-on error build-test/*.deb
desktop-file-validate src/resources/zt350editor.desktop
appstreamcli validate --no-net src/resources/org.korvanta.zt350editor.metainfo.xml
