#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (under Xvfb, with the software Quick
# backend: the GL path hangs under Xvfb and the offscreen platform grabs empty images).
# Arguments go to ctest (-R REGEX runs some tests only). Tests run side by side: most of their
# time is spent waiting for time-outs and peers, not computing, so more run at once than there
# are cores (TARK9_TEST_JOBS overrides the number).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/deps.sh" --tests
"$root/tools/build.sh"
build="${TARK9_BUILD_DIR:-$root/build}"
# The fuzz test builds a sanitizer tree of its own on first use; for the whole suite it is built
# here with everything else, so that it neither holds up the other tests nor counts as test time.
if [ "$#" -eq 0 ] && command -v clang++ >/dev/null; then
    TARK9_FUZZ_BUILD_DIR="$build/fuzz" "$root/tools/fuzz/run.sh" --build
fi
jobs="${TARK9_TEST_JOBS:-$(( $(nproc) * 4 ))}"

# Tests never touch the user's own settings, logs or locks.
scratch="$(mktemp -d /tmp/tark9-test.XXXXXX)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/runtime" && chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" \
       XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"
export QT_QUICK_BACKEND=software
mkdir -p "$HOME"

cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs" "$@"
