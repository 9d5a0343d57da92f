#!/usr/bin/env bash
# Runs one test program in places of its own: a fresh home, XDG directories and temporary
# directory, removed afterwards. Tests can then run side by side without sharing settings,
# downloads, logs, lock files or local sockets, and never see what an earlier run left behind.
# With TARK9_OWN_DISPLAY set the test also gets an X display of its own: one whose window must
# be the active one (keyboard shortcuts) cannot share a display with tests running beside it.
set -u
scratch="$(mktemp -d "${TMPDIR:-/tmp}/tark9-test.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/runtime" "$scratch/tmp" && chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" XDG_DATA_HOME="$scratch/data" \
       XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" TMPDIR="$scratch/tmp"
if [ -n "${TARK9_OWN_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
fi
"$@"
