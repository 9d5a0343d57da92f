#!/usr/bin/env bash
# Builds the package's tree as the README's package command does (a release build with the
# flags dpkg-buildflags gives, without tests and benchmarks), beside the test build; later runs
# rebuild only what changed. Builds share the machine-wide build lock with tools/build.sh.
#   packagebuild.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source="$1" build="$2"
(
    flock 9
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DTARK9_BUILD_TESTS=OFF -DTARK9_BUILD_BENCH=OFF -DTARK9_DEBIAN_BUILDFLAGS=ON >/dev/null
    else
        cmake "$build" >/dev/null
    fi
    cmake --build "$build" -j "${TARK9_JOBS:-$(nproc)}" | tail -n 3
) 9>"/tmp/tark9-build.lock"
