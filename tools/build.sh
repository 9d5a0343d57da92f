#!/usr/bin/env bash
# Configures and builds into build/ (or $TARK9_BUILD_DIR). Builds are serialised through a
# lock so that two of them never fight over the machine's cores.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARK9_BUILD_DIR:-$root/build}"
jobs="${TARK9_JOBS:-$(nproc)}"
exec 9>"/tmp/tark9-build.lock"
flock 9
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${TARK9_BUILD_TYPE:-RelWithDebInfo}" "$@"
else
    # Configured again every time: a tool installed since the last configure (deps.sh --tests
    # installs more than run.sh needs) then adds its tests at once. Quiet unless it fails.
    cmake "$build" "$@" >/dev/null
fi
cmake --build "$build" -j "$jobs" ${TARK9_TARGETS:+--target $TARK9_TARGETS}
