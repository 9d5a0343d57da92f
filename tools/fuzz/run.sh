#!/usr/bin/env bash
# Builds the fuzz drivers (clang, libFuzzer, ASan, UBSan) and runs them.
#   run.sh --short        a bounded run of each driver (what the test suite runs)
#   run.sh --long RUNS    RUNS inputs for each driver, with the figures libFuzzer prints
#   run.sh --build        only build them (tools/test.sh does, so that the test's time is the run's)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${TARK9_FUZZ_BUILD_DIR:-$root/build/fuzz}"
mode="${1:---short}"
runs=20000
[ "$mode" = "--long" ] && runs="${2:-1000000}"
drivers=(fuzz_midiindata fuzz_presetfile fuzz_firmwarecatalogue fuzz_applyjson)
# The longest input each driver is given, in bytes: a configuration message or a preset is under
# 1100; the JSON show --json writes is some 6.5 KiB; a describe.json a few hundred bytes.
declare -A max_len=([fuzz_applyjson]=16384 [fuzz_firmwarecatalogue]=4096)

if ! grep -qs "add_subdirectory(tools/fuzz)" "$root/CMakeLists.txt"; then
    echo "fuzz: the top-level CMakeLists.txt does not include tools/fuzz (add_subdirectory(tools/fuzz) after src)"
    exit 1
fi
# libFuzzer's runtime comes with libclang-rt-14-dev, which clang only recommends.
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' \
        | clang++ -fsanitize=fuzzer -x c++ - -o /dev/null 2>/dev/null; then
    echo "fuzz: clang cannot link libFuzzer here (install libclang-rt-14-dev)"
    exit 1
fi

# The whole back end is built with the sanitizers and libFuzzer's coverage instrumentation.
# Builds share the machine-wide build lock with tools/build.sh.
(
    flock 9
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
              -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
              -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
              -DTARK9_FUZZ=ON -DTARK9_SANITIZE=ON -DTARK9_BUILD_TESTS=OFF -DTARK9_BUILD_BENCH=OFF >/dev/null
    fi
    cmake --build "$build" -j "${TARK9_JOBS:-$(nproc)}" --target "${drivers[@]}"
) 9>"/tmp/tark9-build.lock"
[ "$mode" = "--build" ] && exit 0

work="$(mktemp -d /tmp/tark9-fuzz.XXXXXX)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# Qt keeps some allocations until exit; per-input leak checks stay on, the exit report is off.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

for driver in "${drivers[@]}"; do
    corpus="$work/corpus-$driver"
    mkdir -p "$corpus"
    cp "$root/tools/fuzz/seeds/${driver#fuzz_}/"* "$corpus/"
    echo "== $driver: $runs inputs"
    status=0
    "$build/tools/fuzz/$driver" -runs="$runs" -max_len="${max_len[$driver]:-1100}" -seed=1 -print_final_stats=1 -artifact_prefix="$work/" "$corpus" >"$work/$driver.log" 2>&1 || status=$?
    grep -E "^(#[0-9]+ +(INITED|DONE)|stat::|Done |==[0-9]+==ERROR|SUMMARY|.*runtime error)" "$work/$driver.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$work/$driver.log"
        # Keep what made it fail where it can be looked at again.
        mkdir -p "$build/crashes" && cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$build/crashes/" 2>/dev/null || true
        echo "fuzz: $driver failed (exit $status)"
        exit 1
    fi
done
echo "fuzz: ${#drivers[@]} passed, 0 failed"
