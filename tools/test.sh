#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (under Xvfb, with the software Quick
# backend: the GL path hangs under Xvfb and the offscreen platform grabs empty images).
# Arguments go to ctest (-R REGEX runs some tests only). Tests run side by side: most of their
# time is spent waiting for time-outs and peers, not computing, so more run at once than there
# are cores (TARK9_TEST_JOBS overrides the number).
#
#   test.sh --sanitize [ctest arguments]
# builds with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/ (or
# $TARK9_BUILD_DIR) and runs the tests there: a memory error or undefined behaviour fails the
# test it happens in. Leaks are not reported (Qt's plugins keep allocations until exit), and each
# test's time budget is stretched for the slower instrumented code.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
configure=()
sanitize=""
if [ "${1:-}" = "--sanitize" ]; then
    shift
    sanitize=1
    export TARK9_BUILD_DIR="${TARK9_BUILD_DIR:-$root/build-sanitize}"
    configure+=(-DTARK9_SANITIZE=ON)
fi
"$root/tools/deps.sh" --tests
"$root/tools/build.sh" "${configure[@]}"
build="${TARK9_BUILD_DIR:-$root/build}"
# The fuzz test builds a sanitizer tree of its own on first use; for the whole suite it is built
# here with everything else, so that it neither holds up the other tests nor counts as test time.
if [ "$#" -eq 0 ] && command -v clang++ >/dev/null; then
    TARK9_FUZZ_BUILD_DIR="$build/fuzz" "$root/tools/fuzz/run.sh" --build
fi
# The same for the package's own release tree, which the package's tests check.
if [ "$#" -eq 0 ] && command -v dpkg-shlibdeps >/dev/null; then
    "$root/tests/packaging/packagebuild.sh" "$root" "$build/deb"
fi
jobs="${TARK9_TEST_JOBS:-$(( $(nproc) * 4 ))}"

# Tests never touch the user's own settings, logs or locks.
scratch="$(mktemp -d /tmp/tark9-test.XXXXXX)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/runtime" && chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" \
       XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"
export QT_QUICK_BACKEND=software
if [ -n "$sanitize" ]; then
    export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
mkdir -p "$HOME"

cd "$build"
# Said before they run, so that a test that is missing (a tool the configure did not find) shows.
count="$(ctest -N "$@" | sed -n 's/^Total Tests: //p')"
echo "Running ${count:-0} tests in $build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs" "$@"
